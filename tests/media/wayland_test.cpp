// The program on a Wayland screen, read from the screen itself as a person sees it: the picture,
// full screen, a colour of the player preferences and a second start's clip. It runs under a
// headless weston (tests/on_weston.sh starts one) and is skipped elsewhere.
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/EngineFixture.h"
#include "support/MediaClips.h"
#include "support/PrivateBus.h"

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
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address);
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/program_runner"), {"steer", clips::scanClip60s()});
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
