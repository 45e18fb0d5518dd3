// The media-keys service on a private session bus: what a desktop's sound menu or playerctl
// sees and does.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusVariant>
#include <QProcess>
#include <gtest/gtest.h>

#include "desktop/MprisService.h"
#include "support/MediaClips.h"
#include "support/RealProgram.h"

namespace {

// A dbus-daemon of the test's own, ended with the test.
struct PrivateBus {
    QProcess daemon;
    QString address;
    PrivateBus()
    {
        daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        if (daemon.waitForReadyRead(10000)) address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        daemon.terminate();
        daemon.waitForFinished(5000);
    }
};

// Records the Player properties each PropertiesChanged signal carries.
class ChangeRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<QVariantMap> changes;
public slots:
    void changed(const QString& interface, const QVariantMap& properties, const QStringList&)
    {
        if (interface == QLatin1String("org.mpris.MediaPlayer2.Player")) changes.push_back(properties);
    }
};

// A call that the service, on the same thread, answers while the test waits.
QDBusMessage call(QDBusConnection& client, const QString& interface, const QString& method, const QVariantList& args = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(MprisService::kServiceName, MprisService::kObjectPath, interface, method);
    m.setArguments(args);
    QDBusPendingCallWatcher watcher(client.asyncCall(m));
    waitFor([&] { return watcher.isFinished(); });
    return watcher.reply();
}

QVariant property(QDBusConnection& client, const QString& name)
{
    const QDBusMessage reply = call(client, "org.freedesktop.DBus.Properties", "Get",
                                    {QStringLiteral("org.mpris.MediaPlayer2.Player"), name});
    return reply.arguments().isEmpty() ? QVariant() : reply.arguments().first().value<QDBusVariant>().variant();
}

QVariantMap metadataOf(const QVariant& v)
{
    QVariantMap m;
    if (v.canConvert<QDBusArgument>()) v.value<QDBusArgument>() >> m;
    else m = v.toMap();
    return m;
}

}  // namespace

TEST(Mpris, TheSoundMenuSeesAndSteersTheCurrentEngine)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    QDBusConnection service = QDBusConnection::connectToBus(bus.address, QStringLiteral("zp-service"));
    QDBusConnection client = QDBusConnection::connectToBus(bus.address, QStringLiteral("zp-client"));
    ASSERT_TRUE(service.isConnected());
    ChangeRecorder recorder;
    ASSERT_TRUE(client.connect(MprisService::kServiceName, MprisService::kObjectPath, "org.freedesktop.DBus.Properties",
                               "PropertiesChanged", &recorder,
                               SLOT(changed(QString, QVariantMap, QStringList))));
    {
        RealProgram p;
        auto* mpris = new MprisService(p.app, service, p.main);
        ASSERT_TRUE(mpris->isRegistered());

        const QString xml = call(client, "org.freedesktop.DBus.Introspectable", "Introspect").arguments().value(0).toString();
        for (const char* part : {"org.mpris.MediaPlayer2", "org.mpris.MediaPlayer2.Player", "PlayPause", "SetPosition",
                                 "Metadata", "PlaybackStatus", "Seeked"})
            EXPECT_TRUE(xml.contains(QLatin1String(part))) << part;

        ASSERT_TRUE(p.openThroughMenu(clips::mp3Tone90s()));
        ASSERT_TRUE(waitFor([&] { return property(client, "PlaybackStatus").toString() == QLatin1String("Playing"); }));
        const QVariantMap meta = metadataOf(property(client, "Metadata"));
        EXPECT_EQ(meta.value("xesam:title").toString(), clips::kTitle);
        EXPECT_EQ(meta.value("xesam:artist").toStringList(), QStringList{clips::kAuthor});
        EXPECT_NEAR(meta.value("mpris:length").toLongLong() / 1e6, 90.0, 0.5);
        EXPECT_TRUE(meta.value("xesam:url").toString().startsWith(QLatin1String("file:///")));

        // PlayPause pauses the real engine and the change is announced.
        recorder.changes.clear();
        call(client, "org.mpris.MediaPlayer2.Player", "PlayPause");
        ASSERT_TRUE(waitFor([&] { return p.screen().PlayState() == WindowsMediaControl::Paused; }));
        ASSERT_TRUE(waitFor([&] {
            return std::any_of(recorder.changes.begin(), recorder.changes.end(), [](const QVariantMap& c) {
                return c.value("PlaybackStatus").toString() == QLatin1String("Paused");
            });
        }));
        EXPECT_EQ(property(client, "PlaybackStatus").toString(), QStringLiteral("Paused"));

        // Seek moves the real engine's position; Stop stops it.
        const double before = p.screen().CurrentPosition();
        call(client, "org.mpris.MediaPlayer2.Player", "Seek", {QVariant::fromValue(qlonglong(20'000'000))});
        EXPECT_NEAR(p.screen().CurrentPosition(), before + 20, 0.01);
        EXPECT_NEAR(property(client, "Position").toLongLong() / 1e6, before + 20, 0.01);
        call(client, "org.mpris.MediaPlayer2.Player", "PlayPause");
        ASSERT_TRUE(waitFor([&] { return p.screen().PlayState() == WindowsMediaControl::Playing; }));
        call(client, "org.mpris.MediaPlayer2.Player", "Stop");
        ASSERT_TRUE(waitFor([&] { return p.screen().PlayState() == WindowsMediaControl::Stopped; }));
        EXPECT_FALSE(property(client, "CanGoNext").toBool());  // no CD
    }
    // The program has ended: the name is gone from the bus.
    QDBusReply<bool> owned = client.interface()->isServiceRegistered(MprisService::kServiceName);
    ASSERT_TRUE(owned.isValid());
    EXPECT_FALSE(owned.value());
}

#include "mpris_test.moc"
