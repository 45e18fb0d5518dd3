// The program started from the desktop: its command line without a display, names given at the
// start playing in their engines, hostile names, and a second start handing its names over the
// session bus to the program already running.
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdio>
#include <sys/stat.h>

#include "desktop/MprisService.h"
#include "desktop/SingleInstance.h"
#include "support/Corpus.h"
#include "support/MediaClips.h"
#include "support/PrivateBus.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"

namespace {

#ifdef ZP_SANITIZED
constexpr int kAnswerWithinMs = 1000;  // the sanitizers slow the program several times
#else
constexpr int kAnswerWithinMs = 100;
#endif

QString runner() { return QCoreApplication::applicationDirPath() + QStringLiteral("/program_runner"); }

// The environment of a desktop session without any display.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(name));
    return env;
}

struct Ended {
    int status;
    QByteArray out, err;
};

Ended runToEnd(const QString& program, const QStringList& args, const QProcessEnvironment& env, int timeoutMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {-1, p.readAllStandardOutput(), p.readAllStandardError()};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError()};
}

QProcessEnvironment offscreen(const QString& busAddress = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!busAddress.isEmpty()) env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    else env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return env;
}

bool isOnBus(PrivateBus& bus, const char* name)
{
    return bus.client.interface()->isServiceRegistered(QString::fromLatin1(name)).value();
}

// A call from another program on the bus, answered later.
QDBusPendingCall callOnBus(PrivateBus& bus, const char* service, const char* path, const char* interface, const char* method,
                           const QVariantList& args = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                                                    QLatin1String(method));
    m.setArguments(args);
    return bus.client.asyncCall(m, 60000);
}

// 5,000 hand-overs of missing files from one process, as fast as it sends them: each answered
// with its refusal, and a sound menu answered at once meanwhile and after.
void handOverABurst(PrivateBus& bus)
{
    const auto answeredAtOnce = [&bus](int sent) {
        QElapsedTimer t;
        t.start();
        QDBusPendingCall answer = callOnBus(bus, MprisService::kServiceName, MprisService::kObjectPath,
                                            "org.freedesktop.DBus.Properties", "Get", {"org.mpris.MediaPlayer2", "Identity"});
        const bool answered = waitFor([&] { return answer.isFinished(); }, 60000) && !answer.isError();
        EXPECT_TRUE(answered && t.elapsed() < kAnswerWithinMs) << t.elapsed() << " ms, after " << sent << " calls";
    };
    std::vector<QDBusPendingCall> opens;
    for (int i = 1; i <= 5000; ++i) {
        opens.push_back(callOnBus(bus, SingleInstance::kServiceName, SingleInstance::kObjectPath, SingleInstance::kServiceName,
                                  "Open", {QStringList{QStringLiteral("/nowhere/missing-%1.mp4").arg(i)}}));
        if (i % 1000 == 0) answeredAtOnce(i);
    }
    ASSERT_TRUE(waitFor([&] { return opens.back().isFinished(); }, 60000));
    answeredAtOnce(5000);
    for (int i : {1, 5000})
        EXPECT_EQ(opens[i - 1].error().message(),
                  QStringLiteral("ZelPlayer Plus cannot play \"/nowhere/missing-%1.mp4\". The file does not exist.").arg(i));
}

QList<QByteArray> lines(const QByteArray& out, const char* prefix)
{
    QList<QByteArray> found;
    for (const QByteArray& line : out.split('\n'))
        if (line.startsWith(prefix)) found << line;
    return found;
}

}  // namespace

TEST(DesktopStart, HelpVersionAndUnknownOptionsNeedNoDisplay)
{
    const Ended help = runToEnd(QStringLiteral(ZP_PROGRAM), {"--help"}, withoutDisplay());
    EXPECT_EQ(help.status, 0) << help.err.constData();
    EXPECT_TRUE(help.out.contains("[FILE|URL...]")) << help.out.constData();
    EXPECT_TRUE(help.out.contains("--version"));
    const Ended version = runToEnd(QStringLiteral(ZP_PROGRAM), {"--version"}, withoutDisplay());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QByteArray("ZelPlayer Plus 6.1.0\n"));
    const Ended unknown = runToEnd(QStringLiteral(ZP_PROGRAM), {"--shuffle", "clip.mp3"}, withoutDisplay());
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_TRUE(unknown.err.contains("Unknown option 'shuffle'.")) << unknown.err.constData();
    EXPECT_TRUE(unknown.err.contains("Usage:"));
    const Ended output = runToEnd(QStringLiteral(ZP_PROGRAM), {"--video-output=opengl", "clip.mp3"}, withoutDisplay());
    EXPECT_EQ(output.status, 2);
    EXPECT_TRUE(output.err.contains("--video-output takes gpu, software or auto, not \"opengl\".")) << output.err.constData();
}

TEST(DesktopStart, NamesGivenAtTheStartPlayInTheirOwnEngine)
{
    const Ended wav = runToEnd(runner(), {"names", clips::wavTone2s()}, offscreen());
    EXPECT_EQ(wav.status, 0);
    EXPECT_EQ(lines(wav.out, "playing"), QList<QByteArray>{"playing windows-media " + clips::wavTone2s().toUtf8()});
    EXPECT_TRUE(lines(wav.out, "message").isEmpty()) << wav.out.constData();

    const Ended rm = runToEnd(runner(), {"names", clips::rmBars3s(), clips::wavTone2s()}, offscreen());
    EXPECT_EQ(rm.status, 0);
    EXPECT_EQ(lines(rm.out, "playing"), QList<QByteArray>{"playing real " + clips::rmBars3s().toUtf8()});

    // A name whose bytes are not UTF-8, as a file manager passes it, relative to the folder.
    QTemporaryDir dir;
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9.wav";
    ASSERT_TRUE(QFile::copy(clips::wavTone2s(), dir.filePath("staging.wav")));
    ASSERT_EQ(::rename(QFile::encodeName(dir.filePath("staging.wav")).constData(), latin1.constData()), 0);
    QProcess shell;
    shell.setProcessEnvironment(offscreen());
    shell.setWorkingDirectory(dir.path());
    shell.start(QStringLiteral("/bin/sh"), {"-c", "exec \"$0\" names \"$(printf 'caf\\351.wav')\"", runner()});
    ASSERT_TRUE(shell.waitForFinished(30000));
    const QByteArray out = shell.readAllStandardOutput();
    EXPECT_TRUE(out.contains("playing windows-media " + dir.path().toUtf8() + "/caf")) << out.constData();
    EXPECT_TRUE(lines(out, "message").isEmpty()) << out.constData();
}

// A pipe, a folder, a name with a newline, one of 100 KB (near the most a single argument may
// be), and ten thousand more: one message, the good name plays.
TEST(DesktopStart, HostileNamesEndInOneMessageAndTheGoodNamePlays)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.mp3"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QStringList args{"names", pipe, dir.path(), dir.filePath("new\nline.mp3"), QString(100000, QLatin1Char('x')),
                     clips::wavTone2s()};
    for (int i = 0; i < 10000; ++i) args << dir.filePath(QStringLiteral("missing-%1.mp3").arg(i));
    QElapsedTimer t;
    t.start();
    const Ended e = runToEnd(runner(), args, offscreen());
    EXPECT_EQ(e.status, 0) << e.err.right(2000).constData();
    EXPECT_EQ(lines(e.out, "playing"), QList<QByteArray>{"playing windows-media " + clips::wavTone2s().toUtf8()});
    const QList<QByteArray> messages = lines(e.out, "message");
    ASSERT_EQ(messages.size(), 1) << e.out.left(4000).constData();
    EXPECT_EQ(messages[0], "message ZelPlayer Plus cannot play \"" + pipe.toUtf8() + "\". It is a device, pipe or socket, not a file.");
    EXPECT_LT(t.elapsed(), 20000);
}

TEST(DesktopStart, ASecondStartHandsItsNamesToTheFirstAndEndsAtOnce)
{
    PrivateBus bus(QStringLiteral("zp-start"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    QProcess first;
    first.setProcessEnvironment(offscreen(bus.address));
    first.start(runner(), {"serve"});
    QByteArray firstOut;
    while (!firstOut.contains("ready\n")) {
        ASSERT_TRUE(first.waitForReadyRead(20000)) << "the first program did not start";
        firstOut += first.readAllStandardOutput();
    }

    // A name that cannot be played: the second start says why and ends with status 1, and the
    // first program tells it too.
    const QByteArray refusal = "ZelPlayer Plus cannot play \"/nowhere/second.mp4\". The file does not exist.";
    const Ended refused = runToEnd(QStringLiteral(ZP_PROGRAM), {"/nowhere/second.mp4"}, offscreen(bus.address), 10000);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(refusal)) << refused.err.constData();

    QElapsedTimer t;
    t.start();
    const Ended second = runToEnd(QStringLiteral(ZP_PROGRAM), {clips::wavTone2s()}, offscreen(bus.address), 10000);
    EXPECT_EQ(second.status, 0) << second.err.constData();
    EXPECT_LT(t.elapsed(), 1000);

    ASSERT_TRUE(first.waitForFinished(20000)) << firstOut.constData();
    firstOut += first.readAllStandardOutput();
    EXPECT_EQ(lines(firstOut, "message"), QList<QByteArray>{"message " + refusal});
    EXPECT_EQ(lines(firstOut, "playing"), QList<QByteArray>{"playing windows-media " + clips::wavTone2s().toUtf8()});
    EXPECT_EQ(first.exitCode(), 0);
}

// Started with each hostile name of the corpus (after "--", where Qt reads no option of its
// own), the program comes up and tells why it refuses it; with the first, a burst of hand-overs
// is answered as it comes. The desktop's Quit ends the program with status 0 whatever it shows.
TEST(DesktopStart, HostileNamesAndABurstOfHandOversEndWithQuitAtStatusZero)
{
    PrivateBus bus(QStringLiteral("zp-names"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    const std::vector<corpus::Input> names = corpus::hostileNames();
    for (const corpus::Input& input : names) {
        std::fprintf(stderr, "corpus input: %s\n", qPrintable(input.description));
        QProcess program;
        program.setProcessEnvironment(offscreen(bus.address));
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(ZP_PROGRAM), {"--", "-platform", "nosuchplatform", input.path});
        ASSERT_TRUE(waitFor([&] { return program.state() == QProcess::Running && isOnBus(bus, MprisService::kServiceName); }, 20000))
            << input.description.toStdString();
        if (&input == &names.front()) handOverABurst(bus);
        callOnBus(bus, MprisService::kServiceName, MprisService::kObjectPath, "org.mpris.MediaPlayer2", "Quit");
        ASSERT_TRUE(program.waitForFinished(20000)) << input.description.toStdString();
        EXPECT_EQ(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1, 0) << input.description.toStdString();
        // The next start must not find this one's names still on the bus.
        waitFor([&] { return !isOnBus(bus, MprisService::kServiceName) && !isOnBus(bus, SingleInstance::kServiceName); });
    }
}
