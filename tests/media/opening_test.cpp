// Opening whatever a user may choose: hostile lists, pipes, playlists, addresses that stall,
// pictures that claim to be huge. Every open ends, opened or with one clear message.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeDatabase>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "media/MpvRealAudioControl.h"
#include "media/VideoView.h"
#include "platform/FileNames.h"
#include "product/Product.h"
#include "support/EngineFixture.h"
#include "support/LoopbackServer.h"
#include "support/MediaClips.h"

namespace {

constexpr int kTestDeadlineSeconds = 3;

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return f.fileName();
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The engine with a short open deadline, counting its messages.
struct Opening : Engine {
    QSignalSpy errors{wmp, &WindowsMediaControl::Error};

    Opening() : Engine(MpvOptions{QStringLiteral("null"), {}, kTestDeadlineSeconds}) {}

    // Opens the name and waits until the open has ended, opened or failed.
    bool openEnds(const QString& name, int timeoutMs = 15000)
    {
        errors.clear();
        wmp->Open(name);
        return waitFor([&] { return wmp->OpenState() != WindowsMediaControl::OpenOpening; }, timeoutMs);
    }
    // The one message the last open gave (waiting for it to arrive); empty if none or several.
    QString message()
    {
        waitFor([&] { return !errors.isEmpty(); }, 2000);
        settle();
        return errors.size() == 1 ? errors.at(0).at(0).toString() : QString();
    }
    bool playsFromTheStart()
    {
        return wmp->OpenState() == WindowsMediaControl::OpenOpen && wmp->Duration() > 1.5 && wmp->CodecCount() >= 1 &&
               waitFor([&] { return wmp->CurrentPosition() > 0.2; }, 10000);
    }
};

}  // namespace

// A list may name only files and ordinary addresses; the engine's own sources are refused with
// a message naming the line, and the engine goes on working.
TEST(Opening, ListsNamingEngineSourcesAreRefusedNamingTheLine)
{
    Opening e;
    QTemporaryDir dir;
    const QString lines[] = {"fd://3", "fd://0", "edl://" + clips::wavTone2s(), "lavf://" + clips::wavTone2s(),
                             "av://lavfi:sine", "appending://" + clips::wavTone2s(), "memory://abc", "dvd://",
                             "cdda://", "/dev/zero"};
    for (const QString& line : lines) {
        const QString m3u = writeFile(dir, QStringLiteral("list.m3u"), "#EXTM3U\n" + line.toUtf8() + "\n");
        const QString pls = writeFile(dir, QStringLiteral("list.pls"),
                                      "[playlist]\nNumberOfEntries=1\nFile1=" + line.toUtf8() + "\n");
        for (const QString& list : {m3u, pls}) {
            ASSERT_TRUE(e.openEnds(list)) << list.toStdString() << " " << line.toStdString();
            EXPECT_EQ(e.wmp->OpenState(), WindowsMediaControl::OpenClosed);
            const QString message = e.message();
            EXPECT_TRUE(message.contains("The list names \"" + line + "\"")) << message.toStdString();
        }
    }
    ASSERT_TRUE(e.openEnds(clips::wavTone2s()));
    EXPECT_TRUE(e.playsFromTheStart());
}

// Pipes, devices and folders are refused before anything reads them, at once.
TEST(Opening, PipesDevicesAndFoldersAreRefusedWithoutWaiting)
{
    Opening e;
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("x.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString listOfFifo = writeFile(dir, QStringLiteral("pipe.m3u"), "#EXTM3U\n" + fifo.toUtf8() + "\n");
    const std::pair<QString, QString> cases[] = {
        {fifo, "It is a device, pipe or socket, not a file."},
        {QStringLiteral("/dev/zero"), "It is a device, pipe or socket, not a file."},
        {QUrl::fromLocalFile(fifo).toString(), "It is a device, pipe or socket, not a file."},
        {listOfFifo, "The list names \"" + fifo + "\". It is a device, pipe or socket, not a file."},
        {dir.path(), "It is a folder, not a file."},
        {dir.filePath(QStringLiteral("missing.wmv")), "The file does not exist."},
        {QStringLiteral("file:///no/such/clip.mp3"), "The file does not exist."},
    };
    for (const auto& [name, reason] : cases) {
        QElapsedTimer t;
        t.start();
        ASSERT_TRUE(e.openEnds(name, 5000)) << name.toStdString();
        EXPECT_LT(t.elapsed(), 2000) << name.toStdString();
        EXPECT_EQ(e.message(), QStringLiteral("ZelPlayer Plus cannot play \"%1\". %2").arg(name, reason));
    }

    // The Real control reads .ram lists itself: a pipe in a list's place is not read either.
    QWidget host;
    auto* real = new MpvRealAudioControl(MpvOptions{QStringLiteral("null"), {}, kTestDeadlineSeconds}, &host);
    QSignalSpy realErrors(real, &RealAudioControl::Error);
    const QString ramFifo = dir.filePath(QStringLiteral("x.ram"));
    ASSERT_EQ(mkfifo(QFile::encodeName(ramFifo).constData(), 0600), 0);
    QElapsedTimer t;
    t.start();
    real->SetSource(ramFifo);
    real->PlayClip();  // the failure is told once, by the open
    ASSERT_TRUE(waitFor([&] { return realErrors.size() == 1; }, 2000));
    settle();
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(realErrors.size(), 1);
    EXPECT_EQ(realErrors.at(0).at(0).toString(),
              "ZelPlayer Plus cannot play \"" + ramFifo + "\". It is a device, pipe or socket, not a file.");
}

// A .ram list whose lines name engine sources: each is refused, the list opens its first
// playable entry, and a list with none gives one message naming the first refused line.
TEST(Opening, RamListsSkipRefusedLinesAndOpenTheFirstPlayableEntry)
{
    QTemporaryDir dir;
    QWidget host;
    auto* real = new MpvRealAudioControl(MpvOptions{QStringLiteral("null"), {}, kTestDeadlineSeconds}, &host);
    QSignalSpy errors(real, &RealAudioControl::Error);
    QSignalSpy opened(real, &RealAudioControl::RealTwoTextEvent);

    const QString hostile = writeFile(dir, QStringLiteral("hostile.ram"), "fd://3\nedl://x\n");
    real->SetSource(hostile);
    real->PlayClip();
    ASSERT_TRUE(waitFor([&] { return errors.size() == 1; }, 5000));
    settle();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.at(0).at(0).toString().contains("The list names \"fd://3\"")) << errors.at(0).at(0).toString().toStdString();

    errors.clear();
    const QString mixed = writeFile(dir, QStringLiteral("mixed.ram"),
                                    "fd://3\n" + clips::textFile().toUtf8() + "\nmissing.ra\n" +
                                        QUrl::fromLocalFile(clips::rmBars3s()).toEncoded() + "\n");
    real->SetSource(mixed);
    real->PlayClip();
    ASSERT_TRUE(waitFor([&] { return opened.size() == 1; }, 15000));
    EXPECT_EQ(real->GetTitle(), clips::kTitle);
    EXPECT_TRUE(waitFor([&] { return real->GetPosition() > 200; }, 10000));
    EXPECT_TRUE(errors.isEmpty());
}

// Playlists and redirector files open their first playable entry like a plain clip: the state
// reaches open with the entry's length and codecs, and it plays.
TEST(Opening, PlaylistsAndRedirectorsOpenTheirFirstPlayableEntry)
{
    Opening e;
    QTemporaryDir dir;
    const QByteArray wav = clips::wavTone2s().toUtf8();
    LoopbackServer server;
    server.route(QStringLiteral("/tone.wav"), fileBytes(clips::wavTone2s()), "audio/wav");
    server.route(QStringLiteral("/radio.m3u"), "#EXTM3U\n" + server.url("/missing.wav").toUtf8() + "\n" +
                                                   server.url("/tone.wav").toUtf8() + "\n",
                 "audio/x-mpegurl");
    server.route(QStringLiteral("/radio.pls"), "[playlist]\nNumberOfEntries=1\nFile1=" + server.url("/tone.wav").toUtf8(),
                 "audio/x-scpls");
    const QString names[] = {
        writeFile(dir, QStringLiteral("a.m3u"), "#EXTM3U\nmissing.wav\n" + clips::textFile().toUtf8() + "\n" + wav + "\n"),
        writeFile(dir, QStringLiteral("b.pls"), "[playlist]\nNumberOfEntries=1\nFile1=" + wav + "\n"),
        writeFile(dir, QStringLiteral("c.wmv"), "[Reference]\nRef1=" + QUrl::fromLocalFile(wav).toEncoded() + "\n"),
        writeFile(dir, QStringLiteral("outer.m3u"), "#EXTM3U\nb.pls\n"),
        writeFile(dir, QStringLiteral("d.asx"), "<asx version=\"3.0\"><entry><ref href=\"missing.wma\"/></entry>"
                                                "<entry><ref href=\"" + wav + "\"/></entry></asx>"),
        server.url(QStringLiteral("/radio.m3u")),
        server.url(QStringLiteral("/radio.pls")),
    };
    for (const QString& name : names) {
        ASSERT_TRUE(e.openEnds(name)) << name.toStdString();
        EXPECT_TRUE(e.playsFromTheStart()) << name.toStdString() << ": " << e.message().toStdString();
        EXPECT_NEAR(e.wmp->Duration(), 2.0, 0.05) << name.toStdString();
        EXPECT_TRUE(e.errors.isEmpty()) << name.toStdString();
    }
    // A list from the network may not reach files on this computer.
    server.route(QStringLiteral("/local.m3u"), "#EXTM3U\n" + wav + "\n", "audio/x-mpegurl");
    ASSERT_TRUE(e.openEnds(server.url(QStringLiteral("/local.m3u"))));
    EXPECT_EQ(e.wmp->OpenState(), WindowsMediaControl::OpenClosed);
    EXPECT_TRUE(e.message().endsWith("The list names \"" + QString::fromUtf8(wav) +
                                     "\". A list from the network may not name files on this computer."));
    // Lists that lead nowhere end with a message too.
    const std::pair<QString, QString> dead[] = {
        {writeFile(dir, QStringLiteral("empty.m3u"), "#EXTM3U\n"), "The list names nothing to play."},
        {writeFile(dir, QStringLiteral("self.m3u"), "#EXTM3U\nself.m3u\n"), "The list leads only to other lists."},
    };
    for (const auto& [name, reason] : dead) {
        ASSERT_TRUE(e.openEnds(name));
        EXPECT_EQ(e.message(), QStringLiteral("ZelPlayer Plus cannot play \"%1\". %2").arg(name, reason));
    }
}

// An address that never answers, or sends a byte now and then, fails at the deadline with a
// message, and the engine opens the next clip as usual.
TEST(Opening, AddressesThatNeverFinishFailAtTheDeadline)
{
    Opening e;
    QTemporaryDir dir;
    LoopbackServer trickle(LoopbackServer::Behaviour::Trickle);
    LoopbackServer silent(LoopbackServer::Behaviour::Silent);
    const QString names[] = {trickle.url(QStringLiteral("/live.mp3")), silent.url(QStringLiteral("/live.mp3")),
                             writeFile(dir, QStringLiteral("slow.m3u"),
                                       "#EXTM3U\n" + trickle.url(QStringLiteral("/live.mp3")).toUtf8() + "\n")};
    for (const QString& name : names) {
        QElapsedTimer t;
        t.start();
        ASSERT_TRUE(e.openEnds(name, (kTestDeadlineSeconds + 5) * 1000)) << name.toStdString();
        EXPECT_GE(t.elapsed(), kTestDeadlineSeconds * 900);  // the timer may run 5% early
        EXPECT_EQ(e.wmp->OpenState(), WindowsMediaControl::OpenClosed);
        EXPECT_EQ(e.wmp->PlayState(), WindowsMediaControl::Closed);
        EXPECT_EQ(e.message(), QStringLiteral("ZelPlayer Plus cannot play \"%1\". There was no answer from the "
                                              "address within %2 s.")
                                   .arg(name)
                                   .arg(kTestDeadlineSeconds));
    }
    ASSERT_TRUE(e.openEnds(clips::wavTone2s()));
    EXPECT_TRUE(e.playsFromTheStart());
}

// Messages say what went wrong in the user's words; the engine's own texts never reach them.
TEST(Opening, FailuresAreToldInTheUsersWords)
{
    Opening e;
    QTemporaryDir dir;
    LoopbackServer server;
    QTcpServer closed;  // a port that was open and is no longer: nothing answers there
    closed.listen(QHostAddress::LocalHost);
    const QString deadPort = QStringLiteral("http://127.0.0.1:%1/clip.mp3").arg(closed.serverPort());
    closed.close();
    const std::pair<QString, QString> cases[] = {
        {clips::textFile(), "It is not a media file the player can read."},
        {writeFile(dir, QStringLiteral("empty.mp3"), {}), "It is not a media file the player can read."},
        {writeFile(dir, QStringLiteral("noise.wmv"), QByteArray(20000, '\x5a')), "It is not a media file the player can read."},
        {server.url(QStringLiteral("/nothing-here.mp3")), "There is no answer from the address, or nothing there the player can play."},
        {deadPort, "There is no answer from the address, or nothing there the player can play."},
        {QStringLiteral("edl://") + clips::wavTone2s(), "The player does not open \"edl://\" addresses; it opens files and http, https, rtsp, mms, rtmp and pnm addresses."},
        {QString(), "No file name or address was given."},
    };
    for (const auto& [name, reason] : cases) {
        ASSERT_TRUE(e.openEnds(name)) << name.toStdString();
        const QString message = e.message();
        const QString shown = name.isEmpty() ? QStringLiteral("the clip") : "\"" + name + "\"";
        EXPECT_EQ(message, QStringLiteral("ZelPlayer Plus cannot play %1. %2").arg(shown, reason));
        EXPECT_EQ(e.wmp->OpenState(), WindowsMediaControl::OpenClosed);
    }
    // A file address names the file.
    ASSERT_TRUE(e.openEnds(QUrl::fromLocalFile(clips::wavTone2s()).toString()));
    EXPECT_TRUE(e.playsFromTheStart());
    EXPECT_TRUE(e.errors.isEmpty());
}

// A clip whose headers claim 16000 x 16000 never sizes the frame buffer: it holds only what
// the control shows, at every display size.
TEST(Opening, AHugePictureClaimNeverSizesTheFrameBuffer)
{
    Engine e;
    e.host.show();
    QSize largest;
    QObject::connect(&e.wmp->view(), &VideoView::frameShown,
                     [&] { largest = largest.expandedTo(e.wmp->view().frameSize()); });
    ASSERT_TRUE(e.openAndWait(clips::hugeClaimAvi()));
    for (int code : {0, 1, 2, 4, 5, 6, 7, 3, 0}) {
        e.wmp->setDisplaySize(code);
        largest = largest.expandedTo(e.wmp->view().frameSize());
        settle();
        const QSize control = e.wmp->view().size();
        EXPECT_LE(e.wmp->view().frameSize().width(), control.width() + 16) << code;
        EXPECT_LE(e.wmp->view().frameSize().height(), control.height() + 16) << code;
    }
    // Played to its end, with whatever the engine tried to decode on the way.
    EXPECT_TRUE(waitFor([&] { return e.wmp->PlayState() == WindowsMediaControl::Stopped; }, 15000));
    const QSize screen = e.wmp->screen()->size();
    EXPECT_LE(largest.width(), screen.width() + 16);
    EXPECT_LE(largest.height(), screen.height() + 16);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss / 1024, 300) << "peak resident memory in MiB";
}

// A file whose name is not UTF-8 (written on another system) opens under its own bytes, and a
// message about it shows the name readably.
TEST(Opening, AFileWhoseNameIsNotTextOpensByItsBytes)
{
    QTemporaryDir dir;
    const QByteArray bytes = QFile::encodeName(dir.path()) + "/caf\xe9.wav";
    ASSERT_TRUE(QFile::copy(clips::wavTone2s(), dir.filePath(QStringLiteral("staging.wav"))));
    ASSERT_EQ(::rename(QFile::encodeName(dir.filePath(QStringLiteral("staging.wav"))).constData(), bytes.constData()), 0);
    Engine e;
    EXPECT_TRUE(e.openAndWait(platform::decodeFileName(bytes)));
    EXPECT_NEAR(e.wmp->Duration(), 2.0, 0.1);

    QSignalSpy errors(e.wmp, &WindowsMediaControl::Error);
    e.wmp->Open(platform::decodeFileName(QFile::encodeName(dir.path()) + "/gone\xe9.wav"));
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }));
    EXPECT_TRUE(errors.at(0).at(0).toString().contains(QString::fromUtf8("gone\uFFFD.wav\". The file does not exist.")))
        << errors.at(0).at(0).toString().toStdString();
}

// Every common format the desktop entry names opens in the engine: each clip is of a type the
// entry lists as the desktop detects it, and plays its second.
TEST(Opening, EveryCommonFormatTheDesktopEntryNamesOpens)
{
    Engine e;
    const QMimeDatabase types;
    for (const QString& clip : clips::commonFormats()) {
        const QString type = types.mimeTypeForFile(clip).name();
        EXPECT_TRUE(product::kMimeTypes.contains(type)) << qPrintable(clip) << " is " << qPrintable(type);
        ASSERT_TRUE(e.openAndWait(clip)) << qPrintable(clip);
        EXPECT_NEAR(e.wmp->Duration(), 1.0, 0.1) << qPrintable(clip);
    }
}
