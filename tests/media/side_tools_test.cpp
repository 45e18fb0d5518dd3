// The side tools on the real engines: the DVD window's own engine playing a DVD folder, the CD
// player playing a disc image.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "media/MMControl.h"

#include "support/MediaClips.h"
#include "support/RealProgram.h"
#include "support/TestFiles.h"
#include "tools/CDPlayer.h"
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

TEST(CdPlayer, PlaysADiscImageTrackByTrack)
{
    MpvOptions options{QStringLiteral("null"), {}};
    options.cdDevice = clips::cdImage3Tracks();
    RealProgram p(options);
    p.main->mnuviewcdplayer->trigger();
    CDPlayer& cd = p.form<CDPlayer>();
    MMControl& mci = *cd.MMControl1;
    ASSERT_TRUE(waitFor([&] { return mci.Tracks() == 3; }, 15000)) << cd.Text1->text().toStdString();
    EXPECT_EQ(mci.Track(), 1);
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("Track 1 / 3"));

    mci.button(MMControl::Play)->click();
    mci.button(MMControl::Next)->click();
    ASSERT_TRUE(waitFor([&] { return mci.Track() == 2; }));
    mci.button(MMControl::Next)->click();
    ASSERT_TRUE(waitFor([&] { return mci.Track() == 3; }));
    ASSERT_TRUE(waitFor([&] { return cd.Text1->text() == QStringLiteral("Track 3 / 3"); }));
    mci.button(MMControl::Prev)->click();
    ASSERT_TRUE(waitFor([&] { return mci.Track() == 2; }));

    // Hidden, the disc plays on into the next track.
    p.main->mnuviewcdplayer->trigger();
    EXPECT_FALSE(cd.isVisible());
    EXPECT_TRUE(waitFor([&] { return mci.Track() == 3; }, 5000));
    EXPECT_TRUE(mci.button(MMControl::Pause)->isEnabled());
}

TEST(CdPlayer, WithNoDriveItSaysSoAtOnce)
{
    MpvOptions options{QStringLiteral("null"), {}};
    options.cdDevice = QStringLiteral("/no/such/drive");
    RealProgram p(options);
    p.main->mnuviewcdplayer->trigger();
    CDPlayer& cd = p.form<CDPlayer>();
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("There is no CD drive (/no/such/drive)."));
    EXPECT_FALSE(cd.MMControl1->button(MMControl::Play)->isEnabled());
}

// The CD player follows the drive while its window is open: a disc image that appears is read,
// one taken away is let go, another put in its place is read; an ejected disc is not read again
// until another comes.
TEST(CdPlayer, FollowsADiscThatComesGoesAndIsReplaced)
{
    QTemporaryDir dir;
    const QString cue = dir.filePath(QStringLiteral("disc.cue")), bin = dir.filePath(QStringLiteral("disc.bin"));
    const QDir clips(QFileInfo(clips::cdImage3Tracks()).absoluteDir());
    // Puts a disc of the given sheet in the drive: the track file first, the sheet last, each
    // written whole under another name and renamed into place.
    const auto insert = [&](const QByteArray& sheet) {
        QFile::copy(clips.filePath(QStringLiteral("disc3.bin")), bin + QStringLiteral(".part"));
        QFile::rename(bin + QStringLiteral(".part"), bin);
        writeFile(cue + QStringLiteral(".part"), sheet);
        QFile::rename(cue + QStringLiteral(".part"), cue);
    };
    MpvOptions options{QStringLiteral("null"), {}};
    options.cdDevice = cue;
    RealProgram p(options);
    p.main->mnuviewcdplayer->trigger();
    CDPlayer& cd = p.form<CDPlayer>();
    MMControl& mci = *cd.MMControl1;
    const auto shows = [&](const QString& text) { return waitFor([&] { return cd.Text1->text() == text; }, 15000); };

    // No disc yet.
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("There is no audio CD in the drive (no disc image at %1).").arg(cue));
    EXPECT_FALSE(mci.button(MMControl::Play)->isEnabled());

    // A disc comes: read, and the buttons come alive.
    const QByteArray threeTracks = fileBytes(clips::cdImage3Tracks()).replace("disc3.bin", "disc.bin");
    insert(threeTracks);
    ASSERT_TRUE(shows(QStringLiteral("Track 1 / 3"))) << cd.Text1->text().toStdString();
    EXPECT_TRUE(mci.button(MMControl::Play)->isEnabled());
    mci.button(MMControl::Play)->click();

    // Taken out while playing: let go.
    QFile::remove(cue);
    QFile::remove(bin);
    ASSERT_TRUE(shows(QStringLiteral("There is no audio CD in the drive (no disc image at %1).").arg(cue)));
    EXPECT_FALSE(mci.button(MMControl::Play)->isEnabled());
    EXPECT_FALSE(mci.button(MMControl::Pause)->isEnabled());

    // Another disc (two tracks) in its place: read.
    QByteArray twoTracks = threeTracks.left(threeTracks.indexOf("  TRACK 03"));
    insert(twoTracks);
    ASSERT_TRUE(shows(QStringLiteral("Track 1 / 2"))) << cd.Text1->text().toStdString();

    // Ejected: it stays let go over the following looks at the drive...
    mci.button(MMControl::Eject)->click();
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("The disc was ejected."));
    QSignalSpy updates(&mci, &MMControl::StatusUpdate);
    ASSERT_TRUE(waitFor([&] { return updates.size() >= 3; }, 10000));
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("The disc was ejected."));
    EXPECT_FALSE(mci.button(MMControl::Play)->isEnabled());
    // ...until a disc is put in again.
    QFile::remove(cue);
    insert(threeTracks);
    ASSERT_TRUE(shows(QStringLiteral("Track 1 / 3"))) << cd.Text1->text().toStdString();
}
