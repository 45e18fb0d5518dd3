// The side tools on the real engines: the DVD window's own engine playing a DVD folder.
#include <gtest/gtest.h>

#include "support/MediaClips.h"
#include "support/RealProgram.h"
#include "tools/frmDVD.h"

TEST(DvdWindow, PlaysADvdFolderWithItsOwnEngineWhileTheMainWindowPlays)
{
    RealProgram p;
    ASSERT_TRUE(p.openThroughMenu(clips::mp3Tone90s()));
    p.main->frmDVDPlayer->trigger();
    frmDVD& d = p.form<frmDVD>();
    WindowsMediaControl& dvd = *d.MediaPlayer1;

    p.dialogs.answers.push_back(clips::dvdDisc4s());
    d.mnufileopen->trigger();
    ASSERT_TRUE(waitFor([&] { return dvd.OpenState() == WindowsMediaControl::OpenOpen; }, 20000));
    ASSERT_TRUE(waitFor([&] { return dvd.PlayState() == WindowsMediaControl::Playing; }));
    EXPECT_NEAR(dvd.Duration(), 4.0, 0.5);
    EXPECT_EQ(dvd.PictureHeight(), 576);
    EXPECT_GT(dvd.CodecCount(), 0);
    EXPECT_TRUE(p.messages.shown.empty());

    // The main window's clip plays on undisturbed.
    const double before = p.screen().CurrentPosition();
    ASSERT_TRUE(waitFor([&] { return p.screen().CurrentPosition() > before + 0.3; }));
    EXPECT_EQ(p.screen().PlayState(), WindowsMediaControl::Playing);

    // A file that cannot be played: a message, and the window opens the next one.
    p.dialogs.answers.push_back(clips::textFile());
    d.mnufileopen->trigger();
    ASSERT_TRUE(waitFor([&] { return !p.messages.shown.empty(); }));
    EXPECT_TRUE(p.messages.shown[0].text.contains(QStringLiteral("notes.txt")));
    p.dialogs.answers.push_back(clips::wavTone2s());
    d.mnufileopen->trigger();
    EXPECT_TRUE(waitFor([&] { return dvd.OpenState() == WindowsMediaControl::OpenOpen; }, 15000));
}
