// What users of other players reach for, on the real engine: keys, subtitles and tracks, speed,
// a saved picture, and picking up where they left off.
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "support/MediaClips.h"
#include "support/RealProgram.h"

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
