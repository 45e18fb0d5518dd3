#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QSignalSpy>
#include <QWidget>
#include <gtest/gtest.h>

#include "media/MediaError.h"
#include "media/MpvWindowsMediaControl.h"
#include "media/VideoView.h"
#include "support/MediaClips.h"
#include "support/EngineFixture.h"



TEST(WindowsMediaEngine, Mp3ReportsLengthTagsCodecAndRateWithoutPicture)
{
    Engine e;
    QSignalSpy opens(e.wmp, &WindowsMediaControl::OpenStateChange);
    ASSERT_TRUE(e.openAndWait(clips::mp3Tone90s()));
    EXPECT_NEAR(e.wmp->Duration(), 90.0, 0.1);
    EXPECT_EQ(e.wmp->PictureWidth(), 0);
    EXPECT_EQ(e.wmp->PictureHeight(), 0);
    ASSERT_EQ(e.wmp->CodecCount(), 1);
    EXPECT_EQ(e.wmp->CodecName(1), QStringLiteral("MP3 (MPEG audio layer 3)"));
    EXPECT_TRUE(e.wmp->CodecInstalled(1));
    EXPECT_EQ(e.wmp->MediaInfoText(1), clips::kTitle);
    EXPECT_EQ(e.wmp->MediaInfoText(8), clips::kTitle);
    EXPECT_EQ(e.wmp->MediaInfoText(2), clips::kAuthor);
    EXPECT_EQ(e.wmp->MediaInfoText(9), clips::kAuthor);
    EXPECT_EQ(e.wmp->MediaInfoText(12), clips::kDescription);
    EXPECT_NEAR(e.wmp->DataRate(), 128000, 128000 * 0.03);
    EXPECT_TRUE(e.wmp->PlayerId().startsWith(QStringLiteral("ZelPlayer Plus 6.1.0 (mpv ")));
    EXPECT_TRUE(waitFor([&] { return e.wmp->PlayState() == WindowsMediaControl::Playing; }));
    EXPECT_EQ(e.wmp->BufferingProgress(), 100);
    EXPECT_TRUE(waitFor([&] { return e.wmp->PacketsReceived() > 0; }, 15000));
    EXPECT_FALSE(e.wmp->IsBroadcast());
    EXPECT_FALSE(e.wmp->HasError());
    // Opening, then open: the handler sees the clip's values on the second event.
    ASSERT_TRUE(waitFor([&] { return opens.size() >= 2; }));
    EXPECT_EQ(opens.at(0).at(1).toInt(), WindowsMediaControl::OpenOpening);
    EXPECT_EQ(opens.at(1).at(1).toInt(), WindowsMediaControl::OpenOpen);
}

TEST(WindowsMediaEngine, VideoClipsReportPictureSizeAndBothCodecs)
{
    Engine e;
    ASSERT_TRUE(e.openAndWait(clips::wmvBars3s()));
    EXPECT_EQ(e.wmp->PictureWidth(), 320);
    EXPECT_EQ(e.wmp->PictureHeight(), 240);
    ASSERT_EQ(e.wmp->CodecCount(), 2);
    EXPECT_EQ(e.wmp->CodecName(1), QStringLiteral("Windows Media Audio 2"));
    EXPECT_EQ(e.wmp->CodecName(2), QStringLiteral("Windows Media Video 8"));
    EXPECT_EQ(e.wmp->MediaInfoText(1), clips::kTitle);
    EXPECT_NEAR(e.wmp->Duration(), 3.0, 0.15);
    EXPECT_GT(e.wmp->DataRate(), 0);

    ASSERT_TRUE(e.openAndWait(clips::aviBars3s()));
    EXPECT_EQ(e.wmp->PictureWidth(), 320);
    EXPECT_EQ(e.wmp->PictureHeight(), 240);
    ASSERT_EQ(e.wmp->CodecCount(), 2);
    EXPECT_EQ(e.wmp->CodecName(1), QStringLiteral("MP3 (MPEG audio layer 3)"));
    EXPECT_EQ(e.wmp->CodecName(2), QStringLiteral("MPEG-4 part 2"));
    EXPECT_EQ(e.wmp->MediaInfoText(1), QString());
}

TEST(WindowsMediaEngine, DrawsTheVideoFrameInTheControl)
{
    Engine e;
    e.host.show();
    ASSERT_TRUE(e.openAndWait(clips::wmvBars3s()));
    e.wmp->Stop();
    // Colour bars: yellow, cyan and magenta must all appear in the drawn picture.
    ASSERT_TRUE(waitFor([&] {
        const QImage img = e.wmp->grab().toImage();
        return countNear(img, qRgb(191, 191, 0)) > 500 && countNear(img, qRgb(0, 191, 191)) > 500 &&
               countNear(img, qRgb(191, 0, 191)) > 500;
    }, 15000));
    EXPECT_EQ(e.wmp->view().pictureArea().size(), QSize(320, 240));
    // The right way up: the bars' bottom third holds no yellow.
    const QImage drawn = e.wmp->grab().toImage();
    const qreal r = drawn.devicePixelRatio();
    EXPECT_EQ(countNear(drawn.copy(0, qRound(170 * r), drawn.width(), qRound(70 * r)), qRgb(191, 191, 0)), 0);
    // On an X server the screen itself shows the same picture in the same place.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        const QPoint at = e.wmp->mapToGlobal(QPoint(0, 0));
        const auto onScreen = [&] {
            const QImage shown = e.wmp->screen()->grabWindow(0, at.x(), at.y(), e.wmp->width(), e.wmp->height()).toImage();
            const QImage now = e.wmp->grab().toImage();
            for (const QRgb bar : {qRgb(191, 191, 0), qRgb(0, 191, 191), qRgb(191, 0, 191)})
                if (std::abs(countNear(shown, bar) - countNear(now, bar)) > countNear(now, bar) / 50) return false;
            return true;
        };
        EXPECT_TRUE(waitFor(onScreen, 5000));
        // Covered by another window and uncovered, it shows the picture again.
        {
            QWidget cover;
            cover.setGeometry(QRect(at, e.wmp->size()));
            cover.show();
            EXPECT_TRUE(waitFor([&] { return !onScreen(); }, 5000));
        }
        EXPECT_TRUE(waitFor(onScreen, 5000));
    }
    // Drawn by the renderer asked for, on a thread of its own: the UI thread only presents it.
    EXPECT_EQ(e.wmp->view().drawsOnGpu(), qEnvironmentVariable("ZP_TEST_VIDEO_OUTPUT") == QLatin1String("gpu"));
    EXPECT_NE(e.wmp->view().drawnOn(), std::thread::id());
    EXPECT_NE(e.wmp->view().drawnOn(), std::this_thread::get_id());
}

TEST(WindowsMediaEngine, StopKeepsPositionAndSeeksWorkWhileStopped)
{
    Engine e;
    ASSERT_TRUE(e.openAndWait(clips::mp3Tone90s()));
    ASSERT_TRUE(waitFor([&] { return e.wmp->CurrentPosition() >= 1.0; }, 15000));
    e.wmp->Stop();
    EXPECT_EQ(e.wmp->PlayState(), WindowsMediaControl::Stopped);
    const double stoppedAt = e.wmp->CurrentPosition();
    EXPECT_GE(stoppedAt, 1.0);
    waitFor([] { return false; }, 300);  // let time pass: a stopped clip does not move
    EXPECT_DOUBLE_EQ(e.wmp->CurrentPosition(), stoppedAt);

    QSignalSpy positions(e.wmp, &WindowsMediaControl::PositionChange);
    e.wmp->setCurrentPosition(42.5);
    EXPECT_DOUBLE_EQ(e.wmp->CurrentPosition(), 42.5);  // reads back at once, seek still running
    EXPECT_TRUE(positions.isEmpty());  // the event comes after the caller has returned
    ASSERT_TRUE(waitFor([&] { return positions.size() == 1; }));
    EXPECT_DOUBLE_EQ(positions.at(0).at(1).toDouble(), 42.5);
    e.wmp->setCurrentPosition(-3);
    EXPECT_DOUBLE_EQ(e.wmp->CurrentPosition(), 0.0);
    e.wmp->setCurrentPosition(1e6);
    EXPECT_DOUBLE_EQ(e.wmp->CurrentPosition(), e.wmp->Duration());
    e.wmp->setCurrentPosition(60);
    e.wmp->Play();
    EXPECT_EQ(e.wmp->PlayState(), WindowsMediaControl::Playing);
    ASSERT_TRUE(waitFor([&] { return e.wmp->CurrentPosition() > 60.5; }, 15000));
    EXPECT_LT(e.wmp->CurrentPosition(), 65.0);
}

TEST(WindowsMediaEngine, EndOfStreamLeavesPositionExactlyAtDuration)
{
    Engine e;
    QSignalSpy ends(e.wmp, &WindowsMediaControl::EndOfStream);
    QSignalSpy states(e.wmp, &WindowsMediaControl::PlayStateChange);
    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));
    ASSERT_TRUE(waitFor([&] { return ends.size() == 1; }, 15000));
    EXPECT_EQ(e.wmp->CurrentPosition(), e.wmp->Duration());
    EXPECT_EQ(e.wmp->PlayState(), WindowsMediaControl::Stopped);
    ASSERT_FALSE(states.isEmpty());
    EXPECT_EQ(states.last().at(1).toInt(), WindowsMediaControl::Stopped);
    // Play at the end starts the clip again from the beginning, and plays it to its end, each time.
    for (int again = 2; again <= 4; ++again) {
        e.wmp->Play();
        EXPECT_LT(e.wmp->CurrentPosition(), 0.5);
        ASSERT_TRUE(waitFor([&] { return ends.size() == again; }, 15000)) << again;
        EXPECT_EQ(e.wmp->CurrentPosition(), e.wmp->Duration());
    }
}

TEST(WindowsMediaEngine, FilesThatCannotPlayCloseTheEngineWithAMessage)
{
    Engine e;
    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));
    QSignalSpy errors(e.wmp, &WindowsMediaControl::Error);
    // A missing file, a file that is not media, no name, and an address nobody answers at.
    for (const QString& bad : {QStringLiteral("/nonexistent/clip.wmv"), clips::textFile(), QString(),
                               QStringLiteral("http://127.0.0.1:9/clip.mp3")}) {
        e.wmp->Open(bad);
        ASSERT_TRUE(waitFor([&] { return e.wmp->PlayState() == WindowsMediaControl::Closed; }, 15000))
            << bad.toStdString();
        EXPECT_TRUE(waitFor([&] { return errors.size() >= 1; })) << bad.toStdString();
        EXPECT_TRUE(e.wmp->HasError());
        EXPECT_EQ(e.wmp->Duration(), 0.0);
        EXPECT_THROW(e.wmp->Play(), MediaError);
        errors.clear();
    }
    // The engine is still usable afterwards.
    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));
    EXPECT_FALSE(e.wmp->HasError());
}

TEST(WindowsMediaEngine, RefusesValuesOutOfRange)
{
    Engine e;
    EXPECT_THROW(e.wmp->setVolume(250), MediaError);
    EXPECT_THROW(e.wmp->setVolume(-10001), MediaError);
    e.wmp->setVolume(-6050);
    EXPECT_EQ(e.wmp->Volume(), -6050);
    EXPECT_THROW(e.wmp->setDisplaySize(8), MediaError);
    EXPECT_THROW(e.wmp->setBalance(10001), MediaError);
}

TEST(WindowsMediaEngine, FullScreenCoversTheScreenAndEscLeavesIt)
{
    Engine e;
    e.host.show();
    ASSERT_TRUE(e.openAndWait(clips::wmvBars3s()));
    e.wmp->setDisplaySize(1);
    EXPECT_EQ(e.wmp->view().pictureArea().size(), QSize(160, 120));
    e.wmp->setDisplaySize(3);
    QWidget* full = e.wmp->view().window();
    ASSERT_NE(full, &e.host);
    ASSERT_TRUE(waitFor([&] { return full->isVisible() && full->geometry() == full->screen()->geometry(); }));
    EXPECT_EQ(e.wmp->view().pictureArea().size(), QSize(320, 240).scaled(full->size(), Qt::KeepAspectRatio));
    QTest::keyClick(full, Qt::Key_Escape);
    EXPECT_EQ(e.wmp->DisplaySize(), 1);
    EXPECT_EQ(e.wmp->view().window(), &e.host);
    EXPECT_EQ(e.wmp->view().pictureArea().size(), QSize(160, 120));
}

TEST(WindowsMediaEngine, DisplayOptionsShowAndHideTheControlsOwnBar)
{
    Engine e;
    e.host.show();
    QWidget* bar = e.wmp->findChild<QWidget*>(QStringLiteral("transportBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisible());  // the fixture switched 1021 off
    e.wmp->setShowControls(true);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(e.wmp->findChild<QWidget*>(QStringLiteral("position"))->isVisible());
    e.wmp->setShowPositionControls(false);
    EXPECT_FALSE(e.wmp->findChild<QWidget*>(QStringLiteral("position"))->isVisible());
    e.wmp->setShowControls(false);
    e.wmp->setShowStatusBar(true);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(e.wmp->findChild<QWidget*>(QStringLiteral("statusLine"))->isVisible());
    EXPECT_LT(e.wmp->view().height(), e.wmp->height());
}

TEST(WindowsMediaEngine, AnOpenReplacedAtOnceLeavesTheNewerClipOpen)
{
    Engine e;
    QSignalSpy errors(e.wmp, &WindowsMediaControl::Error);
    e.wmp->Open(clips::wavTone2s());
    e.wmp->Open(clips::wmvBars3s());  // before the first one has even started
    ASSERT_TRUE(waitFor([&] { return e.wmp->OpenState() == WindowsMediaControl::OpenOpen; }, 15000));
    EXPECT_EQ(e.wmp->FileName(), clips::wmvBars3s());
    EXPECT_EQ(e.wmp->PictureWidth(), 320);
    EXPECT_TRUE(errors.isEmpty());
}

// The program ending while the picture is full screen (a desktop's Quit, Exit from the keys):
// the engine and its full-screen window go together.
TEST(WindowsMediaEngine, EndsWhileFullScreen)
{
    auto e = std::make_unique<Engine>();
    e->host.show();
    ASSERT_TRUE(e->openAndWait(clips::wmvBars3s()));
    e->wmp->setDisplaySize(WindowsMediaControl::SizeFullScreen);
    ASSERT_TRUE(waitFor([] { return QApplication::activeWindow() && QApplication::activeWindow()->objectName() == "fullScreen"; }));
    e.reset();
    settle();  // and what earlier full screens left to be deleted
    const QWidgetList left = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(left.begin(), left.end(), [](const QWidget* w) { return w->objectName() == "fullScreen"; }));
}
