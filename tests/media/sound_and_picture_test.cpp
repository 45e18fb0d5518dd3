#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

#include "media/MpvWindowsMediaControl.h"
#include "media/VideoView.h"
#include "support/MediaClips.h"
#include "support/EngineFixture.h"

namespace {

// Root mean square of each channel of a 16-bit stereo WAV file.
std::pair<double, double> channelLevels(const QString& wav)
{
    QFile f(wav);
    if (!f.open(QIODevice::ReadOnly)) return {-1, -1};
    const QByteArray data = f.readAll();
    // The samples follow the "data" chunk's id and size; the header before it varies.
    const qsizetype dataChunk = data.indexOf("data", 12);
    if (dataChunk < 0) return {-1, -1};
    double left = 0, right = 0;
    qsizetype frames = 0;
    for (qsizetype i = dataChunk + 8; i + 4 <= data.size(); i += 4, ++frames) {
        const auto l = static_cast<int16_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8));
        const auto r = static_cast<int16_t>(static_cast<uint8_t>(data[i + 2]) | (static_cast<uint8_t>(data[i + 3]) << 8));
        left += double(l) * l;
        right += double(r) * r;
    }
    if (frames == 0) return {0, 0};
    return {std::sqrt(left / frames), std::sqrt(right / frames)};
}

// The channel levels of the 2 s tone as the engine writes it out, with the settings made on the
// engine before it opens the clip (so before its core has started).
std::pair<double, double> levelsWith(const QTemporaryDir& dir, const QString& name,
                                     const std::function<void(MpvWindowsMediaControl&)>& settings)
{
    const QString out = dir.filePath(name + QStringLiteral(".wav"));
    {
        Engine e(MpvOptions{QStringLiteral("pcm"), out});
        QSignalSpy ends(e.wmp, &WindowsMediaControl::EndOfStream);
        settings(*e.wmp);
        EXPECT_TRUE(e.openAndWait(clips::wavTone2s()));
        EXPECT_TRUE(waitFor([&] { return ends.size() == 1; }, 20000));
    }  // the engine is gone: the file is complete
    return channelLevels(out);
}

}  // namespace

TEST(SoundSettings, RepeatPlaysTheClipAgainAndOncePlaysItOnce)
{
    Engine e;
    QSignalSpy ends(e.wmp, &WindowsMediaControl::EndOfStream);
    e.wmp->setPlayCount(WindowsMediaControl::kRepeatForever);
    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));
    ASSERT_TRUE(waitFor([&] { return ends.size() == 2; }, 20000));
    EXPECT_EQ(e.wmp->PlayState(), WindowsMediaControl::Playing);  // still going
    e.wmp->setPlayCount(1);
    ASSERT_TRUE(waitFor([&] { return ends.size() == 3; }, 20000));
    EXPECT_EQ(e.wmp->PlayState(), WindowsMediaControl::Stopped);
    EXPECT_EQ(e.wmp->CurrentPosition(), e.wmp->Duration());
}

TEST(SoundSettings, RewindAtEndLeavesTheClipStoppedAtTheStart)
{
    Engine e;
    QSignalSpy ends(e.wmp, &WindowsMediaControl::EndOfStream);
    e.wmp->setAutoRewind(true);
    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));
    ASSERT_TRUE(waitFor([&] { return ends.size() == 1; }, 20000));
    EXPECT_EQ(e.wmp->CurrentPosition(), 0.0);
    EXPECT_EQ(e.wmp->PlayState(), WindowsMediaControl::Stopped);
    e.wmp->Play();
    ASSERT_TRUE(waitFor([&] { return e.wmp->CurrentPosition() > 0.3; }, 15000));
    EXPECT_LT(e.wmp->CurrentPosition(), 1.9);
}

TEST(SoundSettings, BalanceFullLeftSilencesTheRightChannel)
{
    QTemporaryDir dir;
    const auto levels = [&](int balance) {
        return levelsWith(dir, QString::number(balance), [balance](MpvWindowsMediaControl& e) { e.setBalance(balance); });
    };
    const auto [centreLeft, centreRight] = levels(0);
    ASSERT_GT(centreLeft, 1000);
    EXPECT_NEAR(centreRight, centreLeft, centreLeft * 0.02);
    const auto [left, right] = levels(-9999);
    EXPECT_NEAR(left, centreLeft, centreLeft * 0.02);
    EXPECT_LT(right, 2.0);  // 99.99 dB down: nothing left of it in 16 bits
    const auto [l1500, r1500] = levels(1500);
    EXPECT_NEAR(l1500 / r1500, std::pow(10.0, -15.0 / 20.0), 0.01);  // left 15 dB down
}

// The engine's core starts with the first open; volume and mute set before that are kept.
TEST(SoundSettings, VolumeAndMuteSetBeforeTheFirstOpenAreKept)
{
    QTemporaryDir dir;
    const double full = levelsWith(dir, QStringLiteral("full"), [](MpvWindowsMediaControl&) {}).first;
    ASSERT_GT(full, 1000);
    const double quieter =
        levelsWith(dir, QStringLiteral("quieter"), [](MpvWindowsMediaControl& e) { e.setVolume(-2000); }).first;
    EXPECT_NEAR(quieter / full, 0.1, 0.01);  // 20 dB down
    const double muted = levelsWith(dir, QStringLiteral("muted"), [](MpvWindowsMediaControl& e) {
                             e.setVolume(-2000);
                             e.setMute(true);
                         }).first;
    EXPECT_LT(muted, 2.0);
}

TEST(PictureSettings, EachDisplaySizeCodeChangesTheDrawnPicture)
{
    Engine e;
    e.host.show();
    ASSERT_TRUE(e.openAndWait(clips::wmvBars3s()));
    e.wmp->Stop();
    const QRgb yellow = qRgb(191, 191, 0);
    auto yellowPixels = [&] { return countNear(e.wmp->grab().toImage(), yellow); };
    e.wmp->setDisplaySize(0);
    const double screenPixels = e.host.devicePixelRatioF() * e.host.devicePixelRatioF();  // per widget pixel
    ASSERT_TRUE(waitFor([&] { return yellowPixels() > 5000 * screenPixels; }, 10000));
    const double ownSize = yellowPixels();  // the yellow bar of the 320x240 picture
    // Code, the part of the picture shown in the 313x265 control, and the yellow area expected.
    const std::tuple<int, QSize, double> codes[] = {
        {1, QSize(160, 120), ownSize / 4},
        {5, QSize(240, 180), ownSize * 9 / 16},
        {7, QSize(313, 234), ownSize * (313.0 / 320) * (313.0 / 320)},
        {2, QSize(313, 265), 19.0 * 265 * screenPixels},  // double size, centred and cut: a 19 px strip of the bar
        {0, QSize(313, 240), ownSize},
    };
    for (const auto& [code, visible, expected] : codes) {
        e.wmp->setDisplaySize(code);
        EXPECT_EQ(e.wmp->view().pictureArea().intersected(e.wmp->view().rect()).size(), visible) << code;
        int seen = 0;
        EXPECT_TRUE(waitFor([&, expected = expected] {
            seen = yellowPixels();
            return std::abs(seen - expected) < expected * 0.15;
        }, 10000)) << "code " << code << ": " << seen << " yellow pixels, expected about " << expected;
    }
}

// On a screen of twice the pixels the engine draws the picture at the screen's own pixels: a
// clip's one-pixel lines, shown at half size (its own number of screen pixels), reach the screen
// as one-pixel lines, as the clip's frame holds them. Runs in the test started with
// QT_SCALE_FACTOR=2; at scale 1 there is nothing to see.
TEST(PictureSettings, OnADoubleDensityScreenThePictureHasTheScreensOwnPixels)
{
    Engine e;
    e.host.show();
    if (e.host.devicePixelRatioF() < 2) GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
    ASSERT_TRUE(e.openAndWait(clips::linesClip()));
    e.wmp->Pause();
    e.wmp->setDisplaySize(WindowsMediaControl::SizeHalf);
    const VideoView& view = e.wmp->view();
    ASSERT_TRUE(waitFor([&] { return view.renderedArea().size() == QSize(320, 240); })) << view.renderedArea().width();
    EXPECT_TRUE(waitFor([&] { return view.frameSize() == QSize(320, 240); }));  // the screen's pixels
    const QByteArray luma = clips::linesClipLuma();
    ASSERT_EQ(luma.size(), 320 * 240);
    // The engine takes a new placement on its own thread a little after it says it has, so a
    // frame or two may still come at the old size: the test waits for the picture to settle.
    int off = 0;
    waitFor([&] {
        const QImage grab = const_cast<VideoView&>(view).grab().toImage();
        EXPECT_EQ(grab.devicePixelRatio(), 2);
        const QPoint origin = view.renderedArea().topLeft();
        off = 0;
        for (int y = 0; y < 240; y += 7)
            for (int x = 0; x < 320; ++x) {
                const int expected = static_cast<unsigned char>(luma[y * 320 + x]);
                if (std::abs(qGray(grab.pixel(origin.x() + x, origin.y() + y)) - expected) > 48) ++off;
            }
        return off < 320 * 35 / 100;
    }, 5000);
    EXPECT_LT(off, 320 * 35 / 100) << "pixels that differ from the clip's frame";
}
