#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "media/MediaError.h"
#include "media/MpvRealAudioControl.h"
#include "support/MediaClips.h"
#include "support/TestApp.h"

namespace {

struct RealEngine {
    QWidget host;
    MpvRealAudioControl* real;
    RealEngine() : real(new MpvRealAudioControl(MpvOptions{QStringLiteral("null"), {}}, &host))
    {
        real->setGeometry(0, 0, 153, 137);
    }
};

}  // namespace

TEST(RealEngine, RealMediaFileGivesItsPropertiesWhenOpen)
{
    RealEngine e;
    QSignalSpy opened(e.real, &RealAudioControl::RealTwoTextEvent);
    QSignalSpy pictures(e.real, &RealAudioControl::RealOneTextEvent);
    e.real->SetSource(clips::rmBars3s());
    ASSERT_TRUE(waitFor([&] { return opened.size() == 1; }, 15000));
    EXPECT_EQ(e.real->GetSource(), clips::rmBars3s());
    EXPECT_EQ(e.real->GetTitle(), clips::kTitle);
    EXPECT_EQ(e.real->GetAuthor(), clips::kAuthor);
    EXPECT_EQ(e.real->GetCopyright(), clips::kCopyright);
    EXPECT_NEAR(e.real->GetLength(), 3000, 150);
    EXPECT_EQ(e.real->GetClipWidth(), 176);
    EXPECT_EQ(e.real->GetClipHeight(), 144);
    EXPECT_GT(e.real->GetBandwidthAverage(), 0);
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures.at(0).at(0).toString(), QStringLiteral("176 x 144"));
    EXPECT_FALSE(e.real->GetCanPause());  // a source is made current, not started
}

TEST(RealEngine, PlaysToTheEndAndSaysSo)
{
    RealEngine e;
    QSignalSpy opened(e.real, &RealAudioControl::RealTwoTextEvent);
    QSignalSpy stopped(e.real, &RealAudioControl::RealNoArgumentEvent);
    e.real->SetSource(clips::raTone3s());
    ASSERT_TRUE(waitFor([&] { return opened.size() == 1; }, 15000));
    EXPECT_EQ(e.real->GetClipWidth(), 0);
    EXPECT_EQ(e.real->GetTitle(), clips::kTitle);
    QElapsedTimer playing;
    playing.start();
    e.real->PlayClip();
    EXPECT_TRUE(e.real->GetCanPause());
    ASSERT_TRUE(waitFor([&] { return stopped.size() == 1; }, 15000));
    // The 3 s tone is heard through, not ended where it starts. (Its packets carry no times, so
    // its position cannot show that.)
    EXPECT_GT(playing.elapsed(), 2000);
    EXPECT_EQ(e.real->GetPosition(), e.real->GetLength());
}

TEST(RealEngine, RvFileIsPlayedLikeAnRmFile)
{
    RealEngine e;
    QTemporaryDir dir;
    const QString rv = dir.filePath(QStringLiteral("clip.rv"));
    ASSERT_TRUE(QFile::copy(clips::rmBars3s(), rv));
    QSignalSpy opened(e.real, &RealAudioControl::RealTwoTextEvent);
    e.real->SetSource(rv);
    ASSERT_TRUE(waitFor([&] { return opened.size() == 1; }, 15000));
    EXPECT_EQ(e.real->GetClipWidth(), 176);
    e.real->PlayClip();
    EXPECT_TRUE(waitFor([&] { return e.real->GetPosition() > 300; }, 15000));
}

TEST(RealEngine, RamListPlaysItsEntries)
{
    RealEngine e;
    QTemporaryDir dir;
    const QString ram = dir.filePath(QStringLiteral("list.ram"));
    QFile f(ram);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("# a list\n\n" + QUrl::fromLocalFile(clips::raTone3s()).toString().toUtf8() + "\n");
    f.close();
    QSignalSpy opened(e.real, &RealAudioControl::RealTwoTextEvent);
    e.real->SetSource(ram);
    ASSERT_TRUE(waitFor([&] { return opened.size() == 1; }, 15000));
    EXPECT_EQ(e.real->GetSource(), ram);
    EXPECT_EQ(e.real->GetTitle(), clips::kTitle);
}

TEST(RealEngine, CallsWithoutAClipAreRefusedOrIgnored)
{
    RealEngine e;
    EXPECT_THROW(e.real->PlayClip(), MediaError);
    e.real->PauseClip();
    e.real->StopClip();
    EXPECT_EQ(e.real->GetLength(), 0);
    e.real->SetVolume(105);
    EXPECT_EQ(e.real->GetVolume(), 100);
    e.real->SetVolume(-5);
    EXPECT_EQ(e.real->GetVolume(), 0);
    QSignalSpy errors(e.real, &RealAudioControl::Error);
    e.real->SetSource(QStringLiteral("/nonexistent/clip.rm"));
    EXPECT_TRUE(waitFor([&] { return errors.size() == 1; }));
}
