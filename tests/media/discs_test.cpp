// Discs from untrusted places: CD devices and DVD folders that are not what they claim are
// refused before the engine's disc readers see them, damaged DVD tables too; and an engine stuck
// in a source that never answers no longer holds the windows.
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "media/Discs.h"
#include "media/DvdIfo.h"
#include "media/MpvCdAudioDevice.h"
#include "media/MpvSession.h"
#include "support/MediaClips.h"
#include "support/EngineFixture.h"
#include "support/RealProgram.h"
#include "support/TestFiles.h"
#include "tools/frmDVD.h"

namespace {

const MpvOptions kSilent{QStringLiteral("null"), {}};

QString makeFifo(const QString& path)
{
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
    return path;
}

// Some thread of this process waits inside an open() call (a reader at a pipe with no writer).
bool aThreadWaitsInOpen()
{
    const QString prefix = QString::number(SYS_openat) + QLatin1Char(' ');
    for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (QString::fromLatin1(fileBytes(QStringLiteral("/proc/self/task/%1/syscall").arg(task))).startsWith(prefix))
            return true;
    return false;
}

quint16 bigEndian16(const QByteArray& b, qsizetype at)
{
    return static_cast<quint16>(static_cast<quint8>(b[at]) << 8 | static_cast<quint8>(b[at + 1]));
}

quint32 bigEndian32(const QByteArray& b, qsizetype at)
{
    return static_cast<quint32>(static_cast<quint8>(b[at])) << 24 | static_cast<quint8>(b[at + 1]) << 16 |
           static_cast<quint8>(b[at + 2]) << 8 | static_cast<quint8>(b[at + 3]);
}

void putBigEndian(QByteArray& b, qsizetype at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>(value >> (8 * (bytes - 1 - i)));
}

}  // namespace

TEST(Discs, CdDevicesThatAreNeitherDrivesNorWholeImagesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString goodBin = QFileInfo(clips::cdImage3Tracks()).absoluteDir().filePath(QStringLiteral("disc3.bin"));
    const auto file = [&](const QString& name, const QByteArray& data) {
        writeFile(dir.filePath(name), data);
        return dir.filePath(name);
    };
    QDir(dir.path()).mkdir(QStringLiteral("folder.cue"));
    makeFifo(dir.filePath(QStringLiteral("piped.bin")));
    QFile::link(goodBin, dir.filePath(QStringLiteral("nocue.bin")));
    const QByteArray track = "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";
    const struct {
        QString device;
        const char* why;
    } cases[] = {
        {dir.filePath(QStringLiteral("folder.cue")), "It is a folder."},
        {file(QStringLiteral("empty.cue"), {}), "It is empty."},
        {file(QStringLiteral("empty.bin"), {}), "It is empty."},
        {makeFifo(dir.filePath(QStringLiteral("drive"))), "It is a pipe, socket or device, not a drive."},
        {makeFifo(dir.filePath(QStringLiteral("pipe.cue"))), "It is a pipe, socket or device, not a drive."},
        {file(QStringLiteral("notes.txt"), "not a disc\n"), "It is neither a drive nor a disc image (.cue, .bin, .toc)."},
        // The reader takes the track file beside the sheet, of the same name, whatever the sheet names.
        {file(QStringLiteral("gone.cue"), "FILE \"" + goodBin.toUtf8() + "\" BINARY\n" + track),
         "Its track file \"gone.bin\" cannot be read. The file does not exist."},
        {file(QStringLiteral("piped.cue"), "FILE \"" + goodBin.toUtf8() + "\" BINARY\n" + track),
         "Its track file \"piped.bin\" cannot be read. It is a device, pipe or socket, not a file."},
        {dir.filePath(QStringLiteral("nocue.bin")), "Its cue sheet \"nocue.cue\" cannot be read. The file does not exist."},
        {file(QStringLiteral("notracks.cue"), "FILE \"" + goodBin.toUtf8() + "\" BINARY\n"), "The disc image has no tracks."},
        {file(QStringLiteral("nofile.toc"), "CD_DA\nTRACK AUDIO\n"), "The disc image names no track file."},
        {file(QStringLiteral("piped.toc"), "CD_DA\nTRACK AUDIO\nFILE \"piped.bin\" 0\n"), "Its track file \"piped.bin\" cannot be read."},
    };
    for (const auto& c : cases) {
        MpvCdAudioDevice device(kSilent, c.device);
        QElapsedTimer t;
        t.start();
        device.open();
        EXPECT_LT(t.elapsed(), 200) << c.device.toStdString();
        EXPECT_FALSE(device.isOpen());
        const QString expected = QStringLiteral("There is no CD drive (%1).").arg(c.device);
        EXPECT_TRUE(device.problem().startsWith(expected)) << device.problem().toStdString();
        EXPECT_TRUE(device.problem().contains(QLatin1String(c.why))) << device.problem().toStdString();
    }
    // A whole image, named with its folder, still opens.
    MpvCdAudioDevice good(kSilent, clips::cdImage3Tracks());
    good.open();
    EXPECT_TRUE(waitFor([&] { return good.tracks() == 3; }, 15000)) << good.problem().toStdString();

    // An image whose files have not changed is not read again at each look: a sheet spoiled
    // behind its unchanged size and time goes unseen until its time moves.
    const QString cue = dir.filePath(QStringLiteral("copy.cue"));
    ASSERT_TRUE(QFile::copy(clips::cdImage3Tracks(), cue));
    ASSERT_TRUE(QFile::copy(goodBin, dir.filePath(QStringLiteral("copy.bin"))));
    const auto touch = [&](int seconds) {
        QFile f(cue);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::fromSecsSinceEpoch(1'700'000'000 + seconds), QFileDevice::FileModificationTime);
    };
    touch(0);
    const discs::CdLook first = discs::lookAtCdDevice(cue);
    ASSERT_EQ(first.state, discs::CdLook::State::Disc);
    writeFile(cue, QByteArray(fileBytes(cue).size(), ' '));
    touch(0);
    EXPECT_EQ(discs::lookAtCdDevice(cue, first).state, discs::CdLook::State::Disc);
    touch(1);
    EXPECT_EQ(discs::lookAtCdDevice(cue, first).state, discs::CdLook::State::NoDisc);
}

TEST(Discs, ACdOpenEndsAtTheDeadlineWithTheOpensOwnMessage)
{
    MpvOptions options = kSilent;
    options.openDeadlineSeconds = 0;  // no disc is read that fast
    MpvCdAudioDevice device(options, clips::cdImage3Tracks());
    device.open();
    EXPECT_EQ(device.problem(), QStringLiteral("Reading the disc..."));
    ASSERT_TRUE(waitFor([&] { return device.problem() == QStringLiteral("It could not be opened within 0 s."); }));
    // The engine's late answer changes nothing.
    settle();
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.tracks(), 0);
}

TEST(Discs, ADvdFolderHoldingAPipeIsRefusedAndTheWindowClosesAtOnce)
{
    for (const char* piped : {"VTS_01_1.VOB", "VTS_01_0.IFO", "VIDEO_TS.BUP"}) {
        QTemporaryDir dir;
        const QString ifo = clips::copyOfDvd(dir.path());
        const QDir videoTs = QFileInfo(ifo).absoluteDir();
        QFile::remove(videoTs.filePath(QLatin1String(piped)));
        makeFifo(videoTs.filePath(QLatin1String(piped)));

        RealProgram p;
        p.main->frmDVDPlayer->trigger();
        frmDVD& d = p.form<frmDVD>();
        QElapsedTimer t;
        t.start();
        p.dialogs.answers.push_back(ifo);
        d.mnufileopen->trigger();
        ASSERT_TRUE(waitFor([&] { return !p.messages.shown.empty(); }, 1000)) << piped;
        EXPECT_TRUE(p.messages.shown[0].text.contains(QStringLiteral("The DVD's file %1 is not a file").arg(QLatin1String(piped))))
            << p.messages.shown[0].text.toStdString();
        EXPECT_EQ(d.MediaPlayer1->OpenState(), WindowsMediaControl::OpenClosed);
        d.close();
        settle();
        EXPECT_FALSE(p.app.forms().isLoaded<frmDVD>());
        EXPECT_LT(t.elapsed(), 1000) << piped;
    }
}

// A damaged information file, a damaged backup beside a good one (the reader falls back to it),
// and a command the reader's machine would stop on: each is refused before the engine reads it.
TEST(Discs, ADamagedDvdIsRefusedBeforeTheEngineReadsIt)
{
    const auto titleTable = [](QByteArray& b) {
        // Six bytes: the title count 0xFFFF and the table's last byte 0xFFFFFFFF.
        const qsizetype table = static_cast<qsizetype>(bigEndian32(b, 0xC4)) * 2048;
        putBigEndian(b, table, 0xFFFF, 2);
        putBigEndian(b, table + 4, 0xFFFFFFFF, 4);
    };
    const auto firstPlayToTitle5 = [](QByteArray& b) {
        const qsizetype firstPlay = bigEndian32(b, 0x84);
        const qsizetype at = firstPlay + bigEndian16(b, firstPlay + 0xE4) + 8;
        putBigEndian(b, at, 0x30020000, 4);
        putBigEndian(b, at + 4, 0x00050000, 4);
    };
    const struct {
        std::function<void(QByteArray&)> damage;
        QStringList files;
        const char* problem;
    } cases[] = {
        {titleTable, {"VIDEO_TS.IFO"}, "the title table in VIDEO_TS.IFO"},
        {titleTable, {"VIDEO_TS.BUP"}, "the title table in VIDEO_TS.BUP"},
        {firstPlayToTitle5, {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}, "command 1 (30 02 00 00 00 05 00 00) of the first-play program chain"},
    };
    Engine e;
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString ifo = clips::copyOfDvd(dir.path());
        for (const QString& name : c.files) {
            const QString path = QFileInfo(ifo).absoluteDir().filePath(name);
            QByteArray bytes = fileBytes(path);
            c.damage(bytes);
            writeFile(path, bytes);
        }
        QSignalSpy errors(e.wmp, &WindowsMediaControl::Error);
        e.wmp->Open(ifo);
        ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 1000)) << c.problem;
        EXPECT_TRUE(errors.at(0).at(0).toString().endsWith(QStringLiteral("The DVD is damaged: %1 does not hold together.").arg(c.problem)))
            << errors.at(0).at(0).toString().toStdString();
        EXPECT_EQ(e.wmp->OpenState(), WindowsMediaControl::OpenClosed);
    }
    // The same disc undamaged plays.
    QTemporaryDir good;
    EXPECT_TRUE(e.openAndWait(clips::copyOfDvd(good.path())));
}

// Each kind of damage the engine's reader would trust is found, in the disc's own table and in
// a title set's; random damage anywhere is read safely (the sanitizers watch every read).
TEST(Discs, DvdTablesThatDoNotHoldTogetherAreFound)
{
    const QDir folder = QFileInfo(clips::dvdDisc4s()).absoluteDir();
    const QByteArray manager = fileBytes(folder.filePath(QStringLiteral("VIDEO_TS.IFO")));
    const QByteArray titleSet = fileBytes(folder.filePath(QStringLiteral("VTS_01_0.IFO")));
    const dvd_ifo::VideoManager disc = dvd_ifo::readVideoManager(manager);
    ASSERT_EQ(disc.problem, QString());
    EXPECT_EQ(disc.titleSets, 1);
    ASSERT_EQ(dvd_ifo::readTitleSet(titleSet).problem, QString());
    ASSERT_EQ(dvd_ifo::checkNavigation(disc, {dvd_ifo::readTitleSet(titleSet)}), QString());

    const auto damaged = [](QByteArray b, qsizetype at, quint32 value, int bytes) {
        putBigEndian(b, at, value, bytes);
        return b;
    };
    const qsizetype titles = static_cast<qsizetype>(bigEndian32(manager, 0xC4)) * 2048;
    const qsizetype firstPlay = bigEndian32(manager, 0x84);
    const struct {
        QByteArray ifo;
        const char* what;
    } managerCases[] = {
        {manager.left(1000), "the file's header"},
        {damaged(manager, 0, 0x58595A00, 4), "the file's header"},
        {damaged(manager, 0x3E, 0, 2), "the file's header"},                         // no title sets
        {damaged(manager, 0xC4, 0x7FFF, 4), "the title table"},                       // beyond the end
        {damaged(manager, titles + 4, 0x10000, 4), "the title table"},                // last byte beyond the end
        {damaged(manager, titles, 40, 2), "the title table"},                         // more titles than bytes
        {damaged(manager, titles + 8 + 6, 7, 1), "the title table"},                  // title set 7 of 1
        {damaged(manager, firstPlay + 2, 1, 1), "a program chain"},                   // a program without cells
        {damaged(manager, firstPlay + 0xE4, 0xFFF0, 2), "a program chain"},           // commands beyond the end
    };
    for (const auto& c : managerCases)
        EXPECT_EQ(dvd_ifo::readVideoManager(c.ifo).problem,
                  QStringLiteral("The DVD is damaged: %1 does not hold together.").arg(QLatin1String(c.what)))
            << c.what;

    const qsizetype chapters = static_cast<qsizetype>(bigEndian32(titleSet, 0xC8)) * 2048;
    const qsizetype chains = static_cast<qsizetype>(bigEndian32(titleSet, 0xCC)) * 2048;
    const qsizetype firstChapter = chapters + bigEndian32(titleSet, chapters + 8);
    const struct {
        QByteArray ifo;
        const char* what;
    } setCases[] = {
        {damaged(titleSet, 0, 0x58595A00, 4), "the file's header"},
        {titleSet.left(titleSet.size() - 872), "the file's length"},  // cut inside its last sector
        {damaged(titleSet, firstChapter, 9, 2), "the chapter table"},          // program chain 9 of 1
        {damaged(titleSet, chapters + 8, 0xFFFF0000, 4), "the chapter table"},  // chapters beyond the table
        {damaged(titleSet, chains, 0x4000, 2), "the program chain table"},
        {damaged(titleSet, chains + 8 + 4, 0x7FFFFFF0, 4), "a program chain"},
        {damaged(titleSet, 0xE0, 0x7FFF, 4), "the cell address table"},
    };
    for (const auto& c : setCases)
        EXPECT_EQ(dvd_ifo::readTitleSet(c.ifo).problem, QStringLiteral("The DVD is damaged: %1 does not hold together.").arg(QLatin1String(c.what)))
            << c.what;

    // Navigation commands: each names something that exists and is allowed where it stands.
    const qsizetype firstPlayCommand = firstPlay + bigEndian16(manager, firstPlay + 0xE4) + 8;
    const qsizetype titleChain = chains + bigEndian32(titleSet, chains + 12);
    const qsizetype titleCommand = titleChain + bigEndian16(titleSet, titleChain + 0xE4) + 8;
    const auto command = [](QByteArray ifo, qsizetype at, quint64 bytes) {
        putBigEndian(ifo, at, static_cast<quint32>(bytes >> 32), 4);
        putBigEndian(ifo, at + 4, static_cast<quint32>(bytes), 4);
        return ifo;
    };
    const auto navigation = [&](const QByteArray& vmg, const QByteArray& vts) {
        return dvd_ifo::checkNavigation(dvd_ifo::readVideoManager(vmg), {dvd_ifo::readTitleSet(vts)});
    };
    // The message names the command and its chain; an empty one: it holds together.
    const struct {
        QByteArray vmg, vts;
        const char* problem;
    } navigationCases[] = {
        {command(manager, firstPlayCommand, 0x3002000000050000), titleSet,  // title 5 of 1
         "command 1 (30 02 00 00 00 05 00 00) of the first-play program chain"},
        {command(manager, firstPlayCommand, 0xE000000000000000), titleSet,  // no such command
         "command 1 (e0 00 00 00 00 00 00 00) of the first-play program chain"},
        {command(manager, firstPlayCommand, 0x2001000000000008), titleSet,  // a link with no step
         "command 1 (20 01 00 00 00 00 00 08) of the first-play program chain"},
        {manager, command(titleSet, titleCommand, 0x3002000000010000),  // a title jumps to a title
         "command 1 (30 02 00 00 00 01 00 00) of program chain 1 of title set 1"},
        {manager, command(titleSet, titleCommand, 0x2004000000000005), "command 1 (20 04 00 00 00 00 00 05) of program chain 1 of title set 1"},
        {manager, command(titleSet, titleCommand, 0x2004000000000001), ""},  // chain 1 of 1
        {manager, command(titleSet, titleCommand, 0x3008000000400000), ""},  // a call to the disc's menu
    };
    for (const auto& c : navigationCases)
        EXPECT_EQ(navigation(c.vmg, c.vts).toStdString(),
                  *c.problem ? "The DVD is damaged: " + std::string(c.problem) + " does not hold together." : "");

    std::mt19937 random(20261208);
    for (int i = 0; i < 3000; ++i) {
        QByteArray m = i % 2 ? manager : titleSet;
        for (int n = 1 + static_cast<int>(random() % 6); n > 0; --n) m[random() % 3072] = static_cast<char>(random());
        if (i % 2) dvd_ifo::checkNavigation(dvd_ifo::readVideoManager(m), {dvd_ifo::readTitleSet(titleSet)});
        else dvd_ifo::checkNavigation(disc, {dvd_ifo::readTitleSet(m)});
    }
}

TEST(Discs, AnEngineStuckInASourceThatNeverAnswersIsLetGoWithoutWaiting)
{
    QTemporaryDir dir;
    const QDir videoTs = QFileInfo(clips::copyOfDvd(dir.path())).absoluteDir();
    const QString pipe = videoTs.filePath(QStringLiteral("VIDEO_TS.IFO"));
    QFile::remove(pipe);
    makeFifo(pipe);
    struct Listener : MpvListener {
        void mpvEvent(const mpv_event&) override {}
        void mpvFrameReady() override {}
    } listener;
    // The session itself, below the checks that would refuse the pipe: the DVD reader opens the
    // disc's information file and waits there for a writer that never comes.
    auto* session = new MpvSession(kSilent, listener);
    session->setString("dvd-device", QFile::encodeName(videoTs.path()));
    session->command({"loadfile", "dvd://"});
    ASSERT_TRUE(waitFor(aThreadWaitsInOpen, 10000));

    QElapsedTimer t;
    t.start();
    delete session;
    EXPECT_LT(t.elapsed(), 1000);
    // At the program's end this teardown would be given up on.
    EXPECT_FALSE(MpvSession::finishTeardowns(200));

    // A writer comes and goes: the reader sees the end, and the teardown ends by itself.
    const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ::close(writer);
    EXPECT_TRUE(MpvSession::finishTeardowns(10000));
}
