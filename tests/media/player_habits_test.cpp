// What users of other players reach for, on the real engine: keys, subtitles and tracks, speed,
// a saved picture, and picking up where they left off.
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "media/ResumePositions.h"
#include "media/VideoView.h"
#include "support/EngineFixture.h"
#include "support/MediaClips.h"
#include "support/RealProgram.h"
#include "support/TestFiles.h"

// The keys steer the engine through the remote's own handlers; a text box keeps its keys.
TEST(PlayerKeys, SpaceArrowsHomeUpDownAndMSteerThePlayingClip)
{
    RealProgram p;
    ASSERT_TRUE(p.openThroughMenu(clips::mp3Tone90s()));
    WindowsMediaControl& wmp = p.screen();
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(p.main, key, modifiers);
        settle();
    };
    press(Qt::Key_Space);
    ASSERT_TRUE(waitFor([&] { return wmp.PlayState() == WindowsMediaControl::Paused; }));
    wmp.setCurrentPosition(30);
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, double> seeks[] = {
        {Qt::Key_Right, Qt::NoModifier, 35}, {Qt::Key_Right, Qt::ShiftModifier, 36}, {Qt::Key_Left, Qt::ControlModifier, 0},
        {Qt::Key_Right, Qt::ControlModifier, 60}, {Qt::Key_Left, Qt::NoModifier, 55}, {Qt::Key_Home, Qt::NoModifier, 0}};
    for (const auto& [key, modifiers, expected] : seeks) {
        press(key, modifiers);
        EXPECT_NEAR(wmp.CurrentPosition(), expected, 0.05) << key << " " << modifiers;
    }
    p.main->Label3->setFocus();
    QTest::keyClick(p.main->Label3, Qt::Key_Right);  // moves in the box, not in the clip
    EXPECT_NEAR(wmp.CurrentPosition(), 0, 0.05);

    const int loudest = wmp.Volume();
    press(Qt::Key_Down);
    EXPECT_LT(wmp.Volume(), loudest);
    press(Qt::Key_Up);
    EXPECT_EQ(wmp.Volume(), loudest);
    press(Qt::Key_M);
    EXPECT_TRUE(wmp.Mute());
    press(Qt::Key_Space);
    EXPECT_TRUE(waitFor([&] { return wmp.PlayState() == WindowsMediaControl::Playing; }));
}

namespace {

// Light pixels on the clip's dark grey: the subtitles' letters.
int lightPixels(const QImage& picture)
{
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) n += qGray(picture.pixel(x, y)) > 128;
    return n;
}

}  // namespace

// A subtitle file beside the clip is shown; the clip's own subtitle and audio tracks are offered
// and chosen; the picture is saved at the clip's own size.
TEST(PictureMenu, SubtitlesAndTracksShowAndThePictureIsSavedAtItsOwnSize)
{
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("film.mkv"));
    ASSERT_TRUE(QFile::copy(clips::subtitledClip(), clip));
    writeFile(dir.filePath(QStringLiteral("film.en.srt")), "1\n00:00:00,000 --> 00:00:09,000\nBESIDE THE CLIP\n\n");
    Engine e;
    e.host.show();
    ASSERT_TRUE(e.openAndWait(clip));
    e.wmp->Pause();
    using Kind = WindowsMediaControl::TrackKind;
    ASSERT_TRUE(waitFor([&] { return e.wmp->tracks(Kind::Subtitle).size() == 2 && e.wmp->tracks(Kind::Audio).size() == 2; }));
    const auto subtitleShown = [&] {
        for (const auto& t : e.wmp->tracks(Kind::Subtitle))
            if (t.selected) return t.id;
        return 0;
    };
    const int beside = subtitleShown();
    ASSERT_NE(beside, 0);  // the file beside the clip shows at once
    EXPECT_EQ(e.wmp->tracks(Kind::Audio)[1].label, QStringLiteral("fra"));
    const auto text = [&] { return lightPixels(e.wmp->view().image()); };
    EXPECT_TRUE(waitFor([&] { return text() > 100; })) << "the file beside the clip";
    e.wmp->selectTrack(Kind::Subtitle, 0);
    EXPECT_TRUE(waitFor([&] { return text() == 0; })) << "subtitles off";
    const auto subs = e.wmp->tracks(Kind::Subtitle);
    e.wmp->selectTrack(Kind::Subtitle, subs[0].id == beside ? subs[1].id : subs[0].id);
    EXPECT_TRUE(waitFor([&] { return text() > 100; })) << "the clip's own subtitles";
    e.wmp->selectTrack(Kind::Audio, e.wmp->tracks(Kind::Audio)[1].id);
    EXPECT_TRUE(waitFor([&] { return e.wmp->tracks(Kind::Audio)[1].selected; }));

    QSignalSpy saved(e.wmp, &WindowsMediaControl::PictureSaved);
    e.wmp->savePicture(dir.filePath(QStringLiteral("shot.png")));
    ASSERT_TRUE(waitFor([&] { return !saved.isEmpty(); }));
    EXPECT_EQ(saved.at(0).at(1).toString(), QString());
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("shot.png"))).size(), QSize(320, 240));
}

// A long clip left before its end starts there when opened again; a position file that holds
// anything else is not trusted, and goes.
TEST(Resume, ALongClipOpenedAgainStartsWhereItWasLeft)
{
    QTemporaryDir state;
    struct StateHome {
        explicit StateHome(const QString& path) { qputenv("XDG_STATE_HOME", QFile::encodeName(path)); }
        ~StateHome() { qunsetenv("XDG_STATE_HOME"); }
    } home(state.path());
    Engine e;
    QSignalSpy resumed(e.wmp, &WindowsMediaControl::Resumed);
    const QString folder = state.filePath(QStringLiteral("zelplayer/positions"));
    const QString kept = resume_positions::fileFor(folder, clips::longTone());
    ASSERT_TRUE(e.openAndWait(clips::longTone()));
    e.wmp->setCurrentPosition(100);
    ASSERT_TRUE(waitFor([&] { return e.wmp->CurrentPosition() > 100.5; }));  // playing on from there
    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));  // replaced: the position is kept
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(kept); }));
    EXPECT_TRUE(resumed.isEmpty());
    ASSERT_TRUE(e.openAndWait(clips::longTone()));
    ASSERT_TRUE(waitFor([&] { return !resumed.isEmpty(); }));
    EXPECT_NEAR(resumed.at(0).at(0).toDouble(), 101, 1);
    EXPECT_NEAR(e.wmp->CurrentPosition(), 101, 1);

    // Left when the engine ends (the program's end), it is kept too.
    e.wmp->setCurrentPosition(200);
    ASSERT_TRUE(waitFor([&] { return e.wmp->CurrentPosition() > 200.5; }));  // playing on from there
    delete e.wmp;
    e.wmp = new MpvWindowsMediaControl(MpvOptions{QStringLiteral("null"), {}}, &e.host);
    ASSERT_TRUE(e.openAndWait(clips::longTone()));
    EXPECT_NEAR(e.wmp->CurrentPosition(), 201, 1);

    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));
    writeFile(kept, "start=50\nscript=/tmp/anything.lua\n");
    resumed.clear();
    ASSERT_TRUE(e.openAndWait(clips::longTone()));
    EXPECT_FALSE(QFileInfo::exists(kept));
    EXPECT_LT(e.wmp->CurrentPosition(), 5);
    EXPECT_TRUE(resumed.isEmpty());

    // Played to its end, it is forgotten.
    writeFile(kept, "start=50\n");
    e.wmp->setCurrentPosition(329);
    EXPECT_TRUE(waitFor([&] { return !QFileInfo::exists(kept); }, 5000));
}
