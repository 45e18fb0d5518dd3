#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <mpv/client.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include "media/ClipInfo.h"
#include "media/MediaSource.h"
#include "media/OpenTracker.h"
#include "media/ListFile.h"
#include "media/SeekCoalescer.h"
#include "media/VideoView.h"
#include "platform/FileNames.h"

TEST(SeekCoalescer, KeepsOneSeekInFlightAndSendsOnlyTheNewestTarget)
{
    SeekCoalescer s;
    EXPECT_EQ(s.request(1.0), 1.0);
    EXPECT_FALSE(s.request(1.1));
    EXPECT_FALSE(s.request(1.2));
    EXPECT_FALSE(s.request(1.3));
    EXPECT_EQ(s.finished(), 1.3);  // 1.1 and 1.2 were dropped
    EXPECT_TRUE(s.busy());
    EXPECT_FALSE(s.finished());
    EXPECT_FALSE(s.busy());
    EXPECT_EQ(s.request(2.0), 2.0);
    s.reset();
    EXPECT_EQ(s.request(3.0), 3.0);
}

TEST(PictureRect, EachDisplaySizeCodeDrawsAsDocumented)
{
    const QSize pic(320, 240), area(313, 265);
    EXPECT_EQ(pictureRect(0, pic, area), QRect(-3, 0, 320, 240));  // own size, centred, cut
    EXPECT_EQ(pictureRect(1, pic, area).size(), QSize(160, 120));
    EXPECT_EQ(pictureRect(2, pic, area).size(), QSize(640, 480));
    EXPECT_EQ(pictureRect(4, pic, area), QRect(0, 0, 313, 265));
    EXPECT_EQ(pictureRect(5, pic, area).size(), QSize(240, 180));
    EXPECT_EQ(pictureRect(6, pic, area).size(), QSize(80, 60));
    EXPECT_EQ(pictureRect(7, pic, area).size(), QSize(313, 234));
    EXPECT_EQ(pictureRect(3, pic, QSize(1024, 768)), QRect(0, 0, 1024, 768));
    EXPECT_EQ(pictureRect(3, pic, QSize(1280, 768)), QRect(128, 0, 1024, 768));
    EXPECT_TRUE(pictureRect(0, QSize(), area).isEmpty());
}

TEST(ClipInfo, ReadsStreamsAudioFirstAndSkipsCoverArt)
{
    const QVariantList tracks{
        QVariantMap{{"type", "video"}, {"codec", "wmv2"}, {"demux-w", 320}, {"demux-h", 240}},
        QVariantMap{{"type", "audio"}, {"codec", "wmav2"}, {"demux-bitrate", 64000}},
        QVariantMap{{"type", "video"}, {"codec", "mjpeg"}, {"albumart", true}},
        QVariantMap{{"type", "sub"}, {"codec", "subrip"}},
    };
    const ClipInfo info = ClipInfo::fromEngine(tracks, QVariantMap{{"TITLE", "x"}}, 0, 10);
    ASSERT_EQ(info.streams.size(), 2u);
    EXPECT_EQ(info.streams[0].codecName, QStringLiteral("Windows Media Audio 2"));
    EXPECT_EQ(info.streams[1].codecName, QStringLiteral("Windows Media Video 8"));
    EXPECT_EQ(info.picture(), QSize(320, 240));
    EXPECT_EQ(info.tag({"title"}), QStringLiteral("x"));
    EXPECT_EQ(info.dataRate(), 64000);  // no file size: the streams' rates
    EXPECT_EQ(ClipInfo::fromEngine(tracks, {}, 1000000, 8).dataRate(), 1000000);
    EXPECT_FALSE(codecInstalled(QStringLiteral("no-such-codec")));
}

TEST(RamFile, ListsAddressesSkippingCommentsAndResolvingRelativeNames)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("a.ram")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("# comment\r\n\r\nrtsp://example.invalid/a.rm\r\nclip.ra\r\n/abs/b.rm\r\nfile:///abs/c.rm\n");
    f.close();
    const ListEntries list = readRamFile(f.fileName());
    EXPECT_EQ(list.entries,
              (QStringList{"rtsp://example.invalid/a.rm", dir.filePath("clip.ra"), "/abs/b.rm", "/abs/c.rm"}));
    EXPECT_EQ(list.problem, QString());
    EXPECT_TRUE(isRamFile(QStringLiteral("X.RAM")));
    EXPECT_FALSE(isRamFile(QStringLiteral("http://example.invalid/live.ram")));  // the engine reads it
}

// A list never hands the engine its internal sources, and a list that is not a small regular
// file is not read at all.
TEST(RamFile, RefusesLinesNamingEngineSourcesAndListsThatAreNotFiles)
{
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& text) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    };
    struct Case {
        QByteArray text;
        QStringList entries;
        const char* problem;
    };
    const Case cases[] = {
        {"fd://3\n", {}, "The list names \"fd://3\". The player does not open \"fd://\" addresses"},
        {"edl://a.mp3\nhttp://example.invalid/b.mp3\n", {"http://example.invalid/b.mp3"}, "names \"edl://a.mp3\""},
        {"LAVF://x\nav://lavfi:sine\nappending:///tmp/x\n", {}, "\"lavf://\""},
        {"dvd://1\ncdda://\n", {}, "\"dvd://\""},
        {"http://\n", {}, "It is not a complete address."},
        {"\n# nothing\n", {}, "The list names nothing to play."},
    };
    for (const Case& c : cases) {
        const ListEntries list = readRamFile(write("l.ram", c.text));
        EXPECT_EQ(list.entries, c.entries) << c.text.constData();
        EXPECT_TRUE(list.problem.contains(QString::fromLatin1(c.problem))) << list.problem.toStdString();
    }
    // Only the first 64 KB of a list are read.
    QByteArray big;
    while (big.size() < 200 * 1024) big += "http://example.invalid/" + QByteArray::number(big.size()) + ".rm\n";
    const ListEntries bigList = readRamFile(write("big.ram", big));
    EXPECT_GT(bigList.entries.size(), 1000);
    EXPECT_LT(bigList.entries.size(), 64 * 1024 / 24);

    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.ram")).constData(), 0600), 0);
    QDir(dir.path()).mkdir(QStringLiteral("folder.ram"));
    const std::pair<QString, const char*> unreadable[] = {
        {dir.filePath("pipe.ram"), "It is a device, pipe or socket, not a file."},
        {dir.filePath("folder.ram"), "It is a folder, not a file."},
        {dir.filePath("missing.ram"), "The file does not exist."},
        {QStringLiteral("/dev/zero"), "It is a device, pipe or socket, not a file."},
    };
    for (const auto& [path, problem] : unreadable) {
        const ListEntries list = readRamFile(path);
        EXPECT_TRUE(list.entries.isEmpty()) << path.toStdString();
        EXPECT_EQ(list.problem, QString::fromLatin1(problem)) << path.toStdString();
    }
}

// ASX lists name their clips in <ref href> elements, in whatever case and quotes.
TEST(ListFile, AsxListsNameTheirClipsInRefElements)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("a.asx")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<ASX version=\"3.0\"><Title>x</Title>\n<Entry><Ref HREF=\"clip.wmv\"/></Entry>\n"
            "<entry><ref href='mms://example.invalid/live?a=1&amp;b=2' /><ref href=\"fd://3\"/></entry>\n"
            "<entry><ref href=\"a\nb.wmv\"/><REF href = \"file:///abs/c.wma\"></entry></asx>");
    f.close();
    const ListEntries list = readAsxFile(f.fileName());
    EXPECT_EQ(list.entries,
              (QStringList{dir.filePath("clip.wmv"), "mms://example.invalid/live?a=1&b=2", "/abs/c.wma"}));
    EXPECT_TRUE(list.problem.startsWith(QStringLiteral("The list names \"fd://3\"."))) << list.problem.toStdString();
    QFile empty(dir.filePath(QStringLiteral("empty.wvx")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.write("<asx version=\"3.0\"></asx>");
    empty.close();
    EXPECT_EQ(readAsxFile(empty.fileName()).problem, QStringLiteral("The list names nothing to play."));
    EXPECT_TRUE(isAsxFile(QStringLiteral("/a/B.WAX")));
    EXPECT_FALSE(isAsxFile(QStringLiteral("http://example.invalid/b.asx")));
}

// What the player agrees to open from a name a user gives.
TEST(MediaSource, ChecksNamesByTheirFormAndWhatLiesOnDisc)
{
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("clip with spaces.mp3"));
    const QString blankEnd = dir.filePath(QStringLiteral("ends with a blank.mp3 "));
    const QString notText = platform::decodeFileName(QFile::encodeName(dir.path()) + "/bad\xff\xfe.mp3");
    for (const QString& f : {clip, blankEnd, notText}) ::close(::creat(platform::encodeFileName(f).constData(), 0600));
    const QString encodedDir = QString::fromLatin1(QFile::encodeName(dir.path()).toPercentEncoding("/"));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("fifo.mp3")).constData(), 0600), 0);
    const QString longest = QStringLiteral("http://example.invalid/").leftJustified(8192, QLatin1Char('a'));
    struct Case {
        QString name;
        bool ok, address;
        QString target;
        const char* problem;
    };
    const Case cases[] = {
        {clip, true, false, clip, ""},
        {QUrl::fromLocalFile(clip).toString(), true, false, clip, ""},
        {blankEnd, true, false, blankEnd, ""},
        {"file://" + encodedDir + "/ends%20with%20a%20blank.mp3%20", true, false, blankEnd, ""},
        {"file://" + encodedDir + "/bad%FF%FE.mp3", true, false, notText, ""},
        {"file:" + clip, true, false, clip, ""},
        {"file://localhost" + clip, true, false, clip, ""},
        {"file://otherhost" + clip, false, false, "", "It names a file on another computer (\"otherhost\")"},
        {" http://example.invalid/a.mp3 ", true, true, "http://example.invalid/a.mp3", ""},
        {"HTTP://example.invalid/radio.m3u", true, true, "HTTP://example.invalid/radio.m3u", ""},
        {"rtsp://example.invalid:554/a.rm", true, true, "rtsp://example.invalid:554/a.rm", ""},
        {"mms://example.invalid/a.wmv", true, true, "mms://example.invalid/a.wmv", ""},
        {"", false, false, "", "No file name or address was given."},
        {dir.filePath("missing.mp3"), false, false, "", "The file does not exist."},
        {"file://" + dir.filePath("missing.mp3"), false, false, "", "The file does not exist."},
        {dir.path(), false, false, "", "It is a folder, not a file."},
        {dir.filePath("fifo.mp3"), false, false, "", "It is a device, pipe or socket, not a file."},
        {"/dev/null", false, false, "", "It is a device, pipe or socket, not a file."},
        {"fd://0", false, true, "", "The player does not open \"fd://\" addresses"},
        {"edl://%10%/etc/passwd", false, true, "", "\"edl://\""},
        {"dvd://", false, true, "", "\"dvd://\""},
        {"memory://hello", false, true, "", "\"memory://\""},
        {"http:///nohost", false, true, "", "It is not a complete address."},
        {longest, true, true, longest, ""},  // a name as long as one may be
        {longest + 'a', false, true, "", "The name is too long for a file or an address."},
    };
    for (const Case& c : cases) {
        const media_source::Checked got = media_source::check(c.name);
        EXPECT_EQ(got.ok, c.ok) << c.name.toStdString();
        EXPECT_EQ(got.target, c.target) << c.name.toStdString();
        EXPECT_EQ(got.address, c.ok && c.address) << c.name.toStdString();
        EXPECT_TRUE(got.problem.contains(QString::fromLatin1(c.problem))) << got.problem.toStdString();
        EXPECT_EQ(got.problem.isEmpty(), c.ok) << got.problem.toStdString();
        EXPECT_EQ(media_source::isAddress(c.name), c.address) << c.name.toStdString();
    }
    // Another program handing names over must say their folders.
    EXPECT_TRUE(media_source::checkHandedOver({"clip.mp3"}).refusal.endsWith(QLatin1String("must give each with its folder.")));
    // A relative name is taken from the working folder ("-" is a file there, not standard input).
    EXPECT_EQ(media_source::resolve(QStringLiteral("-"), QDir(QStringLiteral("/tmp"))).target, QStringLiteral("/tmp/-"));
    EXPECT_EQ(media_source::cannotPlay(QStringLiteral("/a.mp3"), QStringLiteral("It is a folder, not a file.")),
              QStringLiteral("ZelPlayer Plus cannot play \"/a.mp3\". It is a folder, not a file."));
}

// How an open follows the engine's playlist entries: its own entry, then the entries a list
// was replaced by, in order, until one loads or the last one fails.
TEST(OpenTracker, FollowsListsToTheFirstEntryThatOpensOrTheFirstFailure)
{
    OpenTracker t;
    using O = OpenTracker::Outcome;
    t.begin(false);
    t.accepted(7);
    EXPECT_EQ(t.loaded(6), O::Pending);  // an earlier open's entry
    EXPECT_EQ(t.failed(6, MPV_ERROR_LOADING_FAILED), O::Pending);
    EXPECT_EQ(t.loaded(7), O::Loaded);

    // A plain file that fails.
    t.begin(false);
    t.accepted(8);
    EXPECT_EQ(t.failed(8, MPV_ERROR_LOADING_FAILED), O::Failed);
    EXPECT_EQ(t.problem(), QStringLiteral("It is not a media file the player can read."));

    // A list of three: the first is refused, the second cannot be read, the third opens.
    t.begin(false);
    t.accepted(9);
    EXPECT_EQ(t.replacedByList(9, 10, 3), O::Pending);
    EXPECT_FALSE(t.isPending(9));
    EXPECT_TRUE(t.isFromList(11));
    t.named(10, QStringLiteral("fd://3"));
    t.refused(10, QStringLiteral("The list names \"fd://3\"."));
    EXPECT_EQ(t.failed(10, MPV_ERROR_LOADING_FAILED), O::Pending);
    t.named(11, QStringLiteral("http://example.invalid/a.mp3"));
    EXPECT_TRUE(t.tryingAddress());
    EXPECT_EQ(t.failed(11, MPV_ERROR_LOADING_FAILED), O::Pending);
    EXPECT_EQ(t.loaded(12), O::Loaded);
    EXPECT_EQ(t.problem(), QStringLiteral("The list names \"fd://3\"."));

    // A list inside a list keeps the outer list's later entries after its own.
    t.begin(true);
    t.accepted(20);
    EXPECT_EQ(t.replacedByList(20, 21, 2), O::Pending);
    EXPECT_EQ(t.replacedByList(21, 23, 1), O::Pending);
    t.named(23, QStringLiteral("/gone.mp3"));
    EXPECT_EQ(t.failed(23, MPV_ERROR_LOADING_FAILED), O::Pending);
    EXPECT_TRUE(t.isPending(22));
    EXPECT_EQ(t.failed(22, MPV_ERROR_UNKNOWN_FORMAT), O::Failed);
    EXPECT_EQ(t.problem(), QStringLiteral("The list names \"/gone.mp3\". It is not a media file the player can read."));

    // An empty list, and a list naming itself, end the open.
    t.begin(false);
    t.accepted(30);
    EXPECT_EQ(t.replacedByList(30, 31, 0), O::Failed);
    EXPECT_EQ(t.problem(), QStringLiteral("The list names nothing to play."));
    t.begin(false);
    t.accepted(40);
    O last = O::Pending;
    for (int64_t id = 40; last == O::Pending; ++id) last = t.replacedByList(id, id + 1, 1);
    EXPECT_EQ(last, O::Failed);
    EXPECT_EQ(t.problem(), QStringLiteral("The list leads only to other lists."));
    EXPECT_EQ(t.loaded(40 + OpenTracker::kMaxLists + 1), O::Pending);
}
