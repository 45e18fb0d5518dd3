// The media-keys service on a private session bus: what a desktop's sound menu or playerctl
// sees and does.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusVariant>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <map>

#include "desktop/MprisService.h"
#include "main_window/frmMain.h"
#include "product/Product.h"
#include "remote/Player.h"
#include "support/MediaClips.h"
#include "support/PrivateBus.h"
#include "support/RealProgram.h"

namespace {

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

bool setProperty(QDBusConnection& client, const QString& name, const QVariant& value, QDBusMessage* reply = nullptr)
{
    const QDBusMessage r = call(client, "org.freedesktop.DBus.Properties", "Set",
                                {QStringLiteral("org.mpris.MediaPlayer2.Player"), name, QVariant::fromValue(QDBusVariant(value))});
    if (reply) *reply = r;
    return r.type() == QDBusMessage::ReplyMessage;
}

QVariantMap metadataOf(const QVariant& v)
{
    QVariantMap m;
    if (v.canConvert<QDBusArgument>()) v.value<QDBusArgument>() >> m;
    else m = v.toMap();
    return m;
}

// The real program with its media-keys service on a bus of the test's own, and a client there.
struct ProgramOnABus {
    PrivateBus bus;
    RealProgram p;
    QDBusConnection& client = bus.client;
    explicit ProgramOnABus(const QString& name) : bus(name) {}
    // Starts the service; false when the bus or the service is not there.
    bool start() { return bus.started() && (new MprisService(p.app, bus.service, p.main))->isRegistered(); }
};

}  // namespace

TEST(Mpris, TheSoundMenuSeesAndSteersTheCurrentEngine)
{
    PrivateBus bus(QStringLiteral("zp"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    QDBusConnection& client = bus.client;
    ChangeRecorder recorder;
    ASSERT_TRUE(client.connect(MprisService::kServiceName, MprisService::kObjectPath, "org.freedesktop.DBus.Properties",
                               "PropertiesChanged", &recorder,
                               SLOT(changed(QString, QVariantMap, QStringList))));
    {
        RealProgram p;
        auto* mpris = new MprisService(p.app, bus.service, p.main);
        ASSERT_TRUE(mpris->isRegistered());

        // Introspection names each property the two interfaces answer, of its value's type.
        std::map<QString, QString> introspected;  // interface/name: type
        QXmlStreamReader xml(call(client, "org.freedesktop.DBus.Introspectable", "Introspect").arguments().value(0).toString());
        for (QString interface; xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd();) {
            if (xml.isStartElement() && xml.name() == u"interface") interface = xml.attributes().value("name").toString();
            if (xml.isStartElement() && xml.name() == u"property")
                introspected[interface + '/' + xml.attributes().value("name").toString()] = xml.attributes().value("type").toString();
        }
        for (const QString interface : {"org.mpris.MediaPlayer2", "org.mpris.MediaPlayer2.Player"}) {
            const QVariantMap all = metadataOf(call(client, "org.freedesktop.DBus.Properties", "GetAll", {interface}).arguments().value(0));
            EXPECT_GE(all.size(), 7);
            for (auto it = all.begin(); it != all.end(); ++it) {
                const QVariant& v = it.value();
                EXPECT_EQ(introspected[interface + '/' + it.key()], v.canConvert<QDBusArgument>() ? v.value<QDBusArgument>().currentSignature()
                                                                                                : QDBusMetaType::typeToSignature(v.metaType()))
                    << it.key().toStdString();
            }
        }

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
        // SetPosition moves within the current track only.
        const QDBusObjectPath track = meta.value("mpris:trackid").value<QDBusObjectPath>();
        ASSERT_FALSE(track.path().isEmpty());
        const std::pair<QDBusObjectPath, qlonglong> ignored[] = {{track, 91'000'000}, {track, -1}, {QDBusObjectPath("/other"), 0}};
        for (const auto& [path, us] : ignored) {
            call(client, "org.mpris.MediaPlayer2.Player", "SetPosition", {QVariant::fromValue(path), QVariant::fromValue(us)});
            EXPECT_NEAR(p.screen().CurrentPosition(), before + 20, 0.01) << path.path().toStdString() << " " << us;
        }
        call(client, "org.mpris.MediaPlayer2.Player", "SetPosition", {QVariant::fromValue(track), QVariant::fromValue(qlonglong(30'000'000))});
        EXPECT_NEAR(p.screen().CurrentPosition(), 30, 0.01);
        // Raise brings the main window back.
        p.main->hide();
        call(client, "org.mpris.MediaPlayer2", "Raise");
        EXPECT_TRUE(p.main->isVisible());
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

// A media key pressed before anything is opened, or after an open failed, does nothing: no
// message box, no crash, a plain reply. Other failures come back as D-Bus errors.
TEST(Mpris, PlayWithNothingToPlayDoesNothingAndFailuresComeBackAsErrors)
{
    ProgramOnABus o(QStringLiteral("zp-idle"));
    ASSERT_TRUE(o.start()) << "dbus-daemon or the service did not start";
    QDBusConnection& client = o.client;
    RealProgram& p = o.p;

    const auto pressEveryKey = [&] {
        for (const char* method : {"Play", "PlayPause", "Pause", "Stop", "Next", "Previous"}) {
            const QDBusMessage reply = call(client, "org.mpris.MediaPlayer2.Player", method);
            EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << method << ": " << reply.errorMessage().toStdString();
        }
        const QDBusMessage seek = call(client, "org.mpris.MediaPlayer2.Player", "Seek", {QVariant::fromValue(qlonglong(5'000'000))});
        EXPECT_EQ(seek.type(), QDBusMessage::ReplyMessage);
        EXPECT_EQ(p.screen().OpenState(), WindowsMediaControl::OpenClosed);
        EXPECT_EQ(property(client, "PlaybackStatus").toString(), QStringLiteral("Stopped"));
    };
    pressEveryKey();
    EXPECT_TRUE(p.messages.shown.empty());

    // After a failed open: the open's own message, and nothing from the keys.
    p.dialogs.answers.push_back(QStringLiteral("/no/such/clip.mp3"));
    p.main->mnufileopen->trigger();
    ASSERT_TRUE(waitFor([&] { return p.messages.shown.size() == 1; }));
    settle();
    pressEveryKey();
    EXPECT_EQ(p.messages.shown.size(), 1u);

    // A volume or a rate that is not a number in its range is refused; the volume stays.
    const int volumeBefore = p.screen().Volume();
    const std::pair<const char*, QVariant> refused[] = {
        {"Volume", std::nan("")}, {"Volume", -0.5}, {"Volume", -std::numeric_limits<double>::infinity()},
        {"Volume", QStringLiteral("loud")}, {"Rate", std::nan("")}, {"Rate", QStringLiteral("fast")}, {"Rate", 2.5}, {"Rate", 0.25}};
    for (const auto& [name, bad] : refused) {
        QDBusMessage reply;
        EXPECT_FALSE(setProperty(client, name, bad, &reply)) << name << " " << bad.toString().toStdString();
        EXPECT_EQ(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs")) << name;
    }
    EXPECT_EQ(p.screen().Volume(), volumeBefore);
    EXPECT_TRUE(setProperty(client, "Rate", 1.5));  // the engine's speed, as the picture's menu sets it
    EXPECT_EQ(p.screen().speed(), 1.5);
    EXPECT_EQ(property(client, "Rate").toDouble(), 1.5);
    EXPECT_TRUE(setProperty(client, "Volume", 0.5));
    EXPECT_LT(p.screen().Volume(), volumeBefore);

    // Still answering and usable: a clip opens and the key plays and pauses it.
    ASSERT_TRUE(p.openThroughMenu(clips::wavTone2s()));
    call(client, "org.mpris.MediaPlayer2.Player", "PlayPause");
    EXPECT_TRUE(waitFor([&] { return p.screen().PlayState() == WindowsMediaControl::Paused; }));
}

TEST(Mpris, AnEngineFailureIsTheCallersErrorReplyNotAMessageBox)
{
    PrivateBus bus(QStringLiteral("zp-fail"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    QDBusConnection& client = bus.client;
    TestApp t;
    frmMain& main = t.app.forms().get<frmMain>();
    auto* mpris = new MprisService(t.app, bus.service, &main);
    ASSERT_TRUE(mpris->isRegistered());
    auto& wmp = static_cast<FakeWindowsMediaControl&>(*main.screenAndAudio);
    FakeWindowsMediaControl::Clip clip;
    clip.duration = 10;
    wmp.clips[QStringLiteral("clip.wmv")] = clip;
    wmp.Open(QStringLiteral("clip.wmv"));
    settle();
    wmp.pauseRefusal = QStringLiteral("The engine refused to pause.");

    const QDBusMessage reply = call(client, "org.mpris.MediaPlayer2.Player", "Pause");
    EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(reply.errorMessage(), wmp.pauseRefusal);
    EXPECT_TRUE(t.messages.shown.empty());
    // The same failure from the remote's own button is a message box, as any handler's.
    t.app.forms().get<Player>().Un2->click();
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, wmp.pauseRefusal);
    // The service goes on answering.
    wmp.pauseRefusal.clear();
    EXPECT_EQ(call(client, "org.mpris.MediaPlayer2.Player", "Pause").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(wmp.PlayState(), WindowsMediaControl::Paused);
}

// OpenUri opens a name as a start with that name would; a name that cannot be played is the
// caller's error. The track's address is a valid URI, a blank encoded.
TEST(Mpris, OpenUriOpensLikeAStartWithANameAndTheTracksAddressIsEncoded)
{
    ProgramOnABus o(QStringLiteral("zp-open"));
    ASSERT_TRUE(o.start()) << "dbus-daemon or the service did not start";
    RealProgram& p = o.p;
    PrivateBus& bus = o.bus;
    QTemporaryDir dir;
    const QString harbour = dir.filePath(QStringLiteral("harbour bells.mp3"));
    ASSERT_TRUE(QFile::copy(clips::mp3Tone90s(), harbour));

    const QDBusMessage bad = call(bus.client, "org.mpris.MediaPlayer2.Player", "OpenUri", {dir.filePath("gone.mp3")});
    EXPECT_EQ(bad.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(bad.errorMessage(), QStringLiteral("ZelPlayer Plus cannot play \"%1\". The file does not exist.").arg(dir.filePath("gone.mp3")));
    const QDBusMessage huge = call(bus.client, "org.mpris.MediaPlayer2.Player", "OpenUri", {QString(1024 * 1024, QLatin1Char('a'))});
    EXPECT_EQ(huge.type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(huge.errorMessage().endsWith(QLatin1String("The name is too long for a file or an address."))) << huge.errorMessage().toStdString();
    EXPECT_TRUE(p.messages.shown.empty());

    const QDBusMessage good = call(bus.client, "org.mpris.MediaPlayer2.Player", "OpenUri",
                                   {QString::fromLatin1(QUrl::fromLocalFile(harbour).toEncoded())});
    EXPECT_EQ(good.type(), QDBusMessage::ReplyMessage) << good.errorMessage().toStdString();
    ASSERT_TRUE(waitFor([&] { return p.screen().PlayState() == WindowsMediaControl::Playing; }, 15000));
    EXPECT_EQ(p.main->CommonDialog1->DialogFileTitle(), QStringLiteral("harbour bells.mp3"));
    const QVariantMap meta = metadataOf(property(bus.client, "Metadata"));
    EXPECT_EQ(meta.value("xesam:url").toString(), "file://" + QString(dir.path()).replace(' ', "%20") + "/harbour%20bells.mp3");
    EXPECT_TRUE(QUrl(meta.value("xesam:url").toString(), QUrl::StrictMode).isValid());
    EXPECT_TRUE(p.messages.shown.empty());

    const QStringList types = call(bus.client, "org.freedesktop.DBus.Properties", "Get",
                                   {QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("SupportedMimeTypes")})
                                  .arguments().value(0).value<QDBusVariant>().variant().toStringList();
    EXPECT_EQ(types, product::kMimeTypes);
}

// A sound menu's percentages through the engine's scale of hundredths of a decibel (a cubic
// curve: 50% is 20*log10(0.5^3) = -18.06 dB, 10% is -60 dB) and back.
TEST(Mpris, TheVolumeReadsBackAsSetFromThreeToAHundredPercent)
{
    ProgramOnABus o(QStringLiteral("zp-volume"));
    ASSERT_TRUE(o.start()) << "dbus-daemon or the service did not start";
    RealProgram& p = o.p;
    PrivateBus& bus = o.bus;
    for (int percent = 3; percent <= 100; ++percent) {
        ASSERT_TRUE(setProperty(bus.client, "Volume", percent / 100.0)) << percent;
        EXPECT_NEAR(property(bus.client, "Volume").toDouble(), percent / 100.0, 0.005) << percent;
    }
    setProperty(bus.client, "Volume", 0.5);
    EXPECT_EQ(p.screen().Volume(), -1806);
    setProperty(bus.client, "Volume", 0.1);
    EXPECT_EQ(p.screen().Volume(), -6000);
    setProperty(bus.client, "Volume", 1.0);
    EXPECT_EQ(p.screen().Volume(), 0);
}

#include "mpris_test.moc"
