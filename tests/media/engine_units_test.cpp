#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "media/ClipInfo.h"
#include "media/RamFile.h"
#include "media/SeekCoalescer.h"
#include "media/VideoView.h"

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
    EXPECT_EQ(readRamFile(f.fileName()),
              (QStringList{"rtsp://example.invalid/a.rm", dir.filePath("clip.ra"), "/abs/b.rm", "/abs/c.rm"}));
    EXPECT_TRUE(readRamFile(dir.filePath(QStringLiteral("missing.ram"))).isEmpty());
    EXPECT_TRUE(isRamFile(QStringLiteral("X.RAM")));
}
