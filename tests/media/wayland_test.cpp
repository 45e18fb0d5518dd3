// The program on a Wayland screen, read from the screen itself as a person sees it (the picture,
// full screen, a colour of the player preferences and a second start's clip) and as a screen
// reader hears it. It runs under a headless weston (tests/on_weston.sh starts one) and is
// skipped elsewhere.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/EngineFixture.h"
#include "support/MediaClips.h"
#include "support/PrivateBus.h"
#include "support/TestFiles.h"

namespace {

// The whole screen as the compositor shows it.
QImage screenshot()
{
    QTemporaryDir dir;
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    shooter.waitForFinished(10000);
    const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.png")});
    return shots.isEmpty() ? QImage() : QImage(dir.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

// Pixels of the test pattern's bars.
int patternPixels(const QImage& screen)
{
    int n = 0;
    for (QRgb bar : {qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)})
        n += countNear(screen, bar);
    return n;
}

// The program run by program_runner's "steer" mode on the test's own session bus, with a clip.
void startSteered(QProcess& program, const QProcessEnvironment& env, const QString& clip)
{
    program.setProcessEnvironment(env);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/program_runner"), {"steer", clip});
}

QProcessEnvironment onBus(const PrivateBus& bus)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address);
    return env;
}

// Black pixels with a white one on their right, as the lines clip draws them one for one.
int linePairs(const QImage& screen)
{
    int n = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x + 1 < screen.width(); ++x)
            if (qGray(screen.pixel(x, y)) < 40 && qGray(screen.pixel(x + 1, y)) > 215) ++n;
    return n;
}

}  // namespace

TEST(Wayland, ThePictureFullScreenAColourAndASecondStartReachTheScreen)
{
    if (qgetenv("QT_QPA_PLATFORM") != "wayland") GTEST_SKIP() << "runs on a Wayland screen (tests/on_weston.sh)";
    PrivateBus bus(QStringLiteral("zp-wayland"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    const QProcessEnvironment env = onBus(bus);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    startSteered(program, env, clips::scanClip60s());
    QByteArray said;
    const auto says = [&](const QByteArray& line) {
        return waitFor([&] { return (said += program.readAllStandardOutput()).contains(line + '\n'); }, 20000);
    };
    const auto command = [&](const QByteArray& line) {
        said.clear();
        program.write(line + '\n');
        return says("done");
    };
    // The condition on what the screen shows, waited for; the last count is kept for the message.
    int seen = 0;
    const auto shows = [&](int (*measure)(const QImage&), int atLeast) {
        return waitFor([&] { return (seen = measure(screenshot())) >= atLeast; }, 10000);
    };

    ASSERT_TRUE(says("playing windows-media " + clips::scanClip60s().toUtf8())) << said.constData();
    EXPECT_TRUE(shows(patternPixels, 20000)) << seen;  // of its 320x240 pixels
    ASSERT_TRUE(command("full"));
    EXPECT_TRUE(shows(patternPixels, 1280 * 800 / 3)) << seen;
    ASSERT_TRUE(command("window"));
    ASSERT_TRUE(command("colour 008000"));
    EXPECT_TRUE(shows([](const QImage& s) { return countNear(s, qRgb(0, 128, 0), 8); }, 5000)) << seen;

    const QString lines = clips::linesClip();
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(ZP_PROGRAM), {lines});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(says("playing windows-media " + lines.toUtf8())) << said.constData();
    EXPECT_TRUE(shows(linePairs, 160 * 200)) << seen;  // 160 pairs on each of its 240 lines, one for one

    ASSERT_TRUE(command("quit"));
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 0);
}

namespace {

// A method call on the accessibility bus, answered at once.
QDBusMessage atspi(QDBusConnection& bus, const QString& service, const QString& path, const char* interface, const char* method,
                   const QVariantList& args = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, QLatin1String(interface), QLatin1String(method));
    call.setArguments(args);
    return bus.call(call, QDBus::Block, 5000);
}

}  // namespace

// A screen reader reads the text viewer's document over AT-SPI, the desktop's accessibility bus:
// the whole text, and the line its caret is on.
TEST(Wayland, TheTextViewersDocumentIsReadOverAtSpi)
{
    if (qgetenv("QT_QPA_PLATFORM") != "wayland") GTEST_SKIP() << "runs on a Wayland screen (tests/on_weston.sh)";
    PrivateBus bus(QStringLiteral("zp-atspi"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    QProcessEnvironment env = onBus(bus);
    env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    QProcess launcher;
    launcher.setProcessEnvironment(env);
    launcher.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"), {"--launch-immediately"});
    QString address;
    ASSERT_TRUE(waitFor([&] {
        const QDBusMessage reply = bus.client.call(QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
        address = reply.arguments().value(0).toString();
        return !address.isEmpty();
    })) << "no accessibility bus";
    QDBusConnection a11y = QDBusConnection::connectToBus(address, QStringLiteral("zp-a11y"));

    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("notes.txt"));
    writeFile(document, "First line of the notes\nSecond line, read by the reader");
    QProcess program;
    startSteered(program, env, clips::wavTone2s());
    program.write("text " + document.toUtf8() + '\n');

    // The viewer's text, found by its name from the registry's root down.
    const auto findText = [&]() -> std::pair<QString, QString> {
        std::vector<std::pair<QString, QString>> pending{{QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/accessible/root")}};
        for (size_t i = 0; i < pending.size() && i < 2000; ++i) {
            const auto [service, path] = pending[i];
            const QDBusMessage name = atspi(a11y, service, path, "org.freedesktop.DBus.Properties", "Get", {"org.a11y.atspi.Accessible", "Name"});
            if (name.arguments().value(0).value<QDBusVariant>().variant().toString() == QLatin1String("Text of the opened file"))
                return {service, path};
            const QDBusArgument children =
                atspi(a11y, service, path, "org.a11y.atspi.Accessible", "GetChildren").arguments().value(0).value<QDBusArgument>();
            children.beginArray();
            while (!children.atEnd()) {
                QString childService;
                QDBusObjectPath childPath;
                children.beginStructure();
                children >> childService >> childPath;
                children.endStructure();
                pending.emplace_back(childService, childPath.path());
            }
            children.endArray();
        }
        return {};
    };
    std::pair<QString, QString> text;
    ASSERT_TRUE(waitFor([&] { return !(text = findText()).first.isEmpty(); }, 20000)) << "the viewer's text is not on the bus";
    const auto textOf = [&](const char* method, const QVariantList& args) {
        return atspi(a11y, text.first, text.second, "org.a11y.atspi.Text", method, args).arguments().value(0).toString();
    };
    EXPECT_TRUE(waitFor([&] { return textOf("GetText", {0, -1}) == QLatin1String("First line of the notes\nSecond line, read by the reader"); }));
    EXPECT_EQ(textOf("GetTextAtOffset", {30, 5u}), QStringLiteral("Second line, read by the reader"));  // the line at offset 30

    program.write("quit\n");
    ASSERT_TRUE(program.waitForFinished(10000));
    launcher.terminate();
    launcher.waitForFinished(5000);
}
