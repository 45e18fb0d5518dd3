#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include "forms/NumberText.h"
#include "forms/Twips.h"
#include "main_window/Pro1.h"
#include "remote/Player.h"
#include "settings/Addit2.h"
#include "settings/Aud1.h"
#include "settings/PlaySet.h"
#include "support/Started.h"
#include "tools/Form6.h"

using Clip = FakeWindowsMediaControl::Clip;

namespace {

Clip videoClip(double seconds = 90)
{
    Clip c;
    c.duration = seconds;
    c.width = 320;
    c.height = 240;
    c.dataRate = 128500;
    c.codecs = {{"Windows Media Audio 2", true}, {"Windows Media Video 8", true}};
    c.info = {{1, "Title"}, {8, "Full Title"}, {2, "Author"}, {9, "Full Author"}, {12, "About the clip"}};
    return c;
}

Clip audioClip(double seconds)
{
    Clip c;
    c.duration = seconds;
    c.codecs = {{"MP3 (MPEG audio layer 3)", true}};
    return c;
}

}  // namespace

TEST(NumberText, GeneralFormWithoutPaddingOrExponentForOrdinaryValues)
{
    EXPECT_EQ(forms::numText(128.5), QStringLiteral("128.5"));
    EXPECT_EQ(forms::numText(1266.2 / 60), QStringLiteral("21.1033333333333"));
    EXPECT_EQ(forms::numText(7), QStringLiteral("7"));
    EXPECT_EQ(forms::numText(150), QStringLiteral("150"));
    EXPECT_EQ(forms::numText(10.0 + 0.1), QStringLiteral("10.1"));
    EXPECT_EQ(forms::numText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(forms::numText(-6050), QStringLiteral("-6050"));
    EXPECT_EQ(forms::numText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(forms::numText(1e15), QStringLiteral("1E+15"));
    EXPECT_EQ(forms::boolText(true), QStringLiteral("True"));
}

TEST(OpenMedia, StandardModeOpensTheChosenFileAndRearmsMenusAndRemote)
{
    Started s;
    frmMain& m = s.main();
    m.Label4->setText(QStringLiteral("old"));
    s.screen().clips["/m/clip.wmv"] = videoClip();
    s.dialogs.answers = {"/m/clip.wmv"};
    m.mnufileopen->trigger();
    ASSERT_EQ(s.dialogs.requests.size(), 1u);
    EXPECT_EQ(s.dialogs.requests[0].title, QStringLiteral("Open Video or Audio File"));
    ASSERT_EQ(s.dialogs.requests[0].filters.size(), 5u);
    EXPECT_EQ(s.dialogs.requests[0].filters[1].description, QStringLiteral("Video Files (*.mpg;*.MPEG;*.avi;*.wmv;*)"));
    EXPECT_EQ(m.Label4->text(), QString());  // engine was closed: the position line is cleared first
    EXPECT_TRUE(s.screen().calls.contains("Open(/m/clip.wmv)"));
    EXPECT_EQ(s.real().calls, QStringList{"StopClip"});
    EXPECT_FALSE(m.RealAudio1->isVisibleTo(&m));
    EXPECT_TRUE(m.mnufileproperties->isEnabled());
    EXPECT_TRUE(m.mnuviewfullscreen->isEnabled());
    Player& remote = s.form<Player>();
    EXPECT_FALSE(remote.Un1->isVisibleTo(&remote));
    EXPECT_TRUE(remote.Un2->isVisibleTo(&remote));

    // A cancelled dialog opens nothing and leaves the clip playing.
    s.dialogs.answers = {QString()};
    s.screen().calls.clear();
    m.Label4->setText(QStringLiteral("kept"));
    m.mnufileopen->trigger();
    EXPECT_TRUE(s.screen().calls.filter("Open").isEmpty());
    EXPECT_EQ(m.Label4->text(), QStringLiteral("kept"));  // not closed: left as it was
}

TEST(OpenMedia, ZoomFollowsThePictureSizeReportedRightAfterOpen)
{
    Started s;
    frmMain& m = s.main();
    // The double reports the new clip's size at once.
    s.screen().clips["/a.mp3"] = audioClip(10);
    s.dialogs.answers = {"/a.mp3"};
    m.mnuviewzoom->setEnabled(true);
    m.mnufileopen->trigger();
    EXPECT_FALSE(m.mnuviewzoom->isEnabled());
    Clip oddSize = videoClip();
    oddSize.height = 0;
    s.screen().clips["/odd.wmv"] = oddSize;
    s.dialogs.answers = {"/odd.wmv"};
    m.mnufileopen->trigger();
    EXPECT_TRUE(m.mnuviewzoom->isEnabled());
    m.mnuviewzoom->setEnabled(false);
    s.screen().clips["/v.wmv"] = videoClip();
    s.dialogs.answers = {"/v.wmv"};
    m.mnufileopen->trigger();
    EXPECT_FALSE(m.mnuviewzoom->isEnabled());  // a height was reported: zoom keeps its state
}

// With the real engine's timing the picture size is unknown when the open command reads it:
// Zoom goes off at once and comes back with playback; the clip properties follow the open.
TEST(OpenMedia, WithTheEnginesTimingZoomAndPropertiesFollowTheOpen)
{
    struct Case {
        const char* name;
        Clip clip;
        QString dimensions;
    };
    const Case cases[] = {{"/v.wmv", videoClip(), QStringLiteral("Dimensions: 240 x 320")},
                          {"/a.mp3", audioClip(10), QStringLiteral("Dimensions: Not a video clip")}};
    for (const Case& c : cases) {
        Started s;
        frmMain& m = s.main();
        s.screen().opensLater = true;
        s.screen().clips[c.name] = c.clip;
        s.dialogs.answers = {c.name};
        m.mnuviewzoom->setEnabled(true);
        m.mnufileopen->trigger();
        EXPECT_FALSE(m.mnuviewzoom->isEnabled()) << c.name;  // nothing known yet: 0 x 0
        EXPECT_EQ(s.screen().OpenState(), WindowsMediaControl::OpenOpening);
        Player& remote = s.form<Player>();
        EXPECT_TRUE(remote.Un2->isVisibleTo(&remote));  // Pause before playback started
        settle();
        EXPECT_EQ(s.form<Pro1>().Label7->text(), c.dimensions);
        EXPECT_TRUE(m.mnuviewzoom->isEnabled()) << c.name;  // playing: the play-state event
        EXPECT_EQ(s.screen().PlayState(), WindowsMediaControl::Playing);
    }
}

TEST(OpenMedia, DecrypterModeShowsNoDialog)
{
    Started s(true);
    s.main().mnufileopen->trigger();
    EXPECT_TRUE(s.dialogs.requests.empty());
    EXPECT_TRUE(s.screen().calls.filter("Open").isEmpty());
}

TEST(ClipProperties, ClipLengthInSecondsOrMinutesWithTheUnitPlaced)
{
    Started s;
    Pro1& p = s.form<Pro1>();
    s.openClip("/a59.mp3", audioClip(59));
    EXPECT_EQ(p.Label6->text(), QStringLiteral("Clip Length: 59 Seconds"));
    EXPECT_FALSE(p.Label14->isVisibleTo(&p));
    EXPECT_EQ(s.main().Label4->text(), QStringLiteral(" \\ 59 Seconds"));
    s.openClip("/a60.mp3", audioClip(60));
    EXPECT_EQ(p.Label6->text(), QStringLiteral("Clip Length: 1"));
    s.openClip("/a90.mp3", audioClip(90));
    EXPECT_EQ(p.Label6->text(), QStringLiteral("Clip Length: 1.5"));
    EXPECT_TRUE(p.Label14->isVisibleTo(&p));
    EXPECT_EQ(p.Label14->text(), QStringLiteral(" Minutes"));
    EXPECT_EQ(p.Label14->x(), forms::toPixels(1370));
    s.openClip("/a600.mp3", audioClip(600));
    EXPECT_EQ(p.Label6->text(), QStringLiteral("Clip Length: 10"));
    EXPECT_EQ(p.Label14->x(), forms::toPixels(1420));
}

TEST(ClipProperties, FilledFromTheOpenedClip)
{
    Started s;
    Pro1& p = s.form<Pro1>();
    s.openClip("/m/clip.wmv", videoClip());
    EXPECT_EQ(p.caption(), QStringLiteral("clip.wmv Properties"));
    EXPECT_EQ(p.Label1->text(), QStringLiteral("Location: /m/clip.wmv"));
    EXPECT_EQ(p.Label11->text(), QStringLiteral("ZelPlayer ID: ZelPlayer Plus 6.1.0 (fake engine)"));
    EXPECT_EQ(p.Label4->text(), QStringLiteral("Data Rate: 128.5 kilobits"));
    EXPECT_EQ(p.Label5->text(), QStringLiteral("Creation Date: "));  // no such file here
    EXPECT_EQ(p.Label7->text(), QStringLiteral("Dimensions: 240 x 320"));
    EXPECT_EQ(p.Label12->text(), QStringLiteral("Codec: Windows Media Video 8"));
    EXPECT_EQ(p.Label2->text(), QStringLiteral("0"));
    EXPECT_EQ(p.Label13->text(), QStringLiteral("Amount of Times Played: 0"));
    EXPECT_EQ(p.Label8->text(), QStringLiteral("About the clip"));
    EXPECT_EQ(p.Label3->text(), QStringLiteral("Clip Title: Full Title"));
    EXPECT_EQ(p.Label9->text(), QStringLiteral("Clip Author: Full Author"));
    EXPECT_EQ(s.form<Aud1>().Text1->text(), QStringLiteral("Windows Media Video 8"));
    EXPECT_EQ(s.form<Aud1>().Text2->text(), QStringLiteral("Is this codec installed on this computer: True"));
    EXPECT_FALSE(s.form<Aud1>().isVisible());
    EXPECT_TRUE(s.main().mnuViewToolbar->isEnabled());
    EXPECT_FALSE(s.main().mnuviewreal->isEnabled());

    Clip bare = audioClip(5);
    bare.codecs.clear();
    s.openClip("/bare.wav", bare);
    EXPECT_EQ(p.Label4->text(), QStringLiteral("Data Rate: Unknown"));
    EXPECT_EQ(p.Label7->text(), QStringLiteral("Dimensions: Not a video clip"));
    EXPECT_FALSE(s.main().mnuviewzoom->isEnabled());
    EXPECT_EQ(p.Label3->text(), QStringLiteral("Clip Title: N/A"));
    EXPECT_EQ(p.Label9->text(), QStringLiteral("Clip Author: N/A"));
    EXPECT_EQ(p.Label12->text(), QStringLiteral("Codec: Unknown"));
    EXPECT_EQ(s.form<Aud1>().Text2->text(), QStringLiteral("Is this codec installed on this computer: Unknown:"));
}

TEST(ClipProperties, ThreeCodecsKeepTheOldLinesAndEmptyBracketsAreTrimmed)
{
    Started s;
    Pro1& p = s.form<Pro1>();
    Clip v8 = videoClip();
    v8.codecs = {{"Windows Media Video V8 ()", false}};
    s.openClip("/v8.wmv", v8);
    EXPECT_EQ(p.Label12->text(), QStringLiteral("Codec: Windows Media Video V8"));
    EXPECT_EQ(s.form<Aud1>().Text2->text(), QStringLiteral("Is this codec installed on this computer: False"));
    Clip three = videoClip();
    three.codecs = {{"A", true}, {"B", true}, {"C", true}};
    s.openClip("/three.avi", three);
    EXPECT_EQ(p.Label12->text(), QStringLiteral("Codec: Windows Media Video V8"));
    EXPECT_EQ(s.form<Aud1>().Text1->text(), QStringLiteral("Windows Media Video V8 ()"));
}

TEST(ClipProperties, TimesPlayedCountsEachEndAndResetsOnOpen)
{
    Started s;
    Pro1& p = s.form<Pro1>();
    s.openClip("/a.mp3", audioClip(30));
    s.screen().scriptEndOfStream();
    s.screen().scriptEndOfStream();
    settle();
    EXPECT_EQ(p.Label13->text(), QStringLiteral("Amount of Times Played: 2"));
    EXPECT_TRUE(p.Label13->isVisibleTo(&p));
    EXPECT_FALSE(p.Label2->isVisibleTo(&p));
    Player& remote = s.form<Player>();
    EXPECT_TRUE(remote.Un1->isVisibleTo(&remote));  // not repeating: Play comes back
    s.openClip("/b.mp3", audioClip(30));
    EXPECT_EQ(p.Label13->text(), QStringLiteral("Amount of Times Played: 0"));

    // With "Repeat Media." selected the remote's buttons are left alone.
    s.form<PlaySet>().Option2->setValue(true);
    remote.Un1->setVisible(false);
    s.screen().scriptEndOfStream();
    settle();
    EXPECT_FALSE(remote.Un1->isVisibleTo(&remote));
}

TEST(EngineEvents, PlayStatePositionMouseAndErrors)
{
    Started s;
    frmMain& m = s.main();
    s.openClip("/v.wmv", videoClip());
    s.screen().scriptPlayState(WindowsMediaControl::Stopped);
    settle();
    EXPECT_FALSE(m.mnuviewfullscreen->isEnabled());
    EXPECT_FALSE(m.mnuviewzoom->isEnabled());
    s.screen().scriptPlayState(WindowsMediaControl::Playing);
    settle();
    EXPECT_TRUE(m.mnuviewfullscreen->isEnabled());
    EXPECT_TRUE(m.mnuviewzoom->isEnabled());

    s.screen().packets = 17;
    m.Label2->setText(QStringLiteral("status"));
    s.screen().setCurrentPosition(12.5);
    settle();
    EXPECT_EQ(s.form<Pro1>().Label3->text(), QStringLiteral("Packets Recieved: 17"));
    EXPECT_EQ(m.Label4->text(), QStringLiteral("12.5 \\ 90 Seconds"));
    EXPECT_EQ(m.Label2->text(), QStringLiteral("status"));  // first change: shown
    s.screen().setCurrentPosition(13);
    settle();
    EXPECT_EQ(m.Label2->text(), QString());  // every second change clears it

    s.form<Pro1>().Label3->clear();
    emit s.screen().MouseMove(0, 0, 5, 5);
    EXPECT_EQ(s.form<Pro1>().Label3->text(), QStringLiteral("Packets Recieved: 17"));

    s.dialogs.answers = {"/missing.wmv"};
    m.mnufileopen->trigger();
    settle();
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("cannot play /missing.wmv"));
    EXPECT_TRUE(m.isEnabled());
}

TEST(OpenUrl, StartsWithTheCurrentNameAndOpensWhatIsTyped)
{
    Started s;
    frmMain& m = s.main();
    // With nothing open, the length an earlier clip left in the status bar goes.
    m.Label4->setText(QStringLiteral(" \\ 9 Seconds"));
    m.mnufileopenurl->trigger();
    s.form<Addit2>().Command1->click();
    EXPECT_EQ(m.Label4->text(), QString());
    s.openClip("/v.wmv", videoClip());
    m.mnufileopenurl->trigger();
    Addit2& url = s.form<Addit2>();
    EXPECT_TRUE(url.isVisible());
    EXPECT_EQ(url.Text1->text(), QStringLiteral("/v.wmv"));
    s.screen().clips["http://radio.invalid/a.mp3"] = audioClip(0);
    s.screen().opensLater = true;  // an address opens as the engine reaches it
    url.Text1->setText(QStringLiteral("http://radio.invalid/a.mp3"));
    m.mnuviewzoom->setEnabled(true);
    url.Command1->click();
    EXPECT_TRUE(s.screen().calls.contains("Open(http://radio.invalid/a.mp3)"));
    EXPECT_FALSE(m.mnuviewzoom->isEnabled());
    EXPECT_TRUE(m.Label1->isVisibleTo(&m));  // no packets yet
    Player& remote = s.form<Player>();
    EXPECT_TRUE(remote.Un2->isVisibleTo(&remote));
    EXPECT_FALSE(s.app.forms().isLoaded<Addit2>());

    m.mnufileopenurl->trigger();
    s.form<Addit2>().Command2->click();
    EXPECT_FALSE(s.app.forms().isLoaded<Addit2>());
}

TEST(AudioSettings, DisablesMainAndRemoteUntilOkOrCancel)
{
    Started s;
    frmMain& m = s.main();
    m.mnuviewaudiosettings->trigger();
    Aud1& a = s.form<Aud1>();
    EXPECT_TRUE(a.isVisible());
    EXPECT_EQ(a.Text1->text(), QString());
    EXPECT_EQ(a.Text2->text(), QStringLiteral("Text2"));
    EXPECT_FALSE(m.isEnabled());
    EXPECT_FALSE(s.form<Player>().isEnabled());
    a.Command2->click();
    EXPECT_TRUE(m.isEnabled());
    EXPECT_TRUE(s.form<Player>().isEnabled());
    EXPECT_FALSE(s.app.forms().isLoaded<Aud1>());
    // The close box gives input back too.
    m.mnuviewaudiosettings->trigger();
    s.form<Aud1>().close();
    EXPECT_TRUE(m.isEnabled());
    EXPECT_FALSE(s.app.forms().isLoaded<Aud1>());
}

TEST(MainWindowCommands, PropertiesAndCompressionShowTheirWindows)
{
    Started s;
    s.main().mnufileproperties->setEnabled(true);
    s.main().mnufileproperties->trigger();
    EXPECT_TRUE(s.form<Pro1>().isVisible());
    s.form<Pro1>().Ok2->click();
    EXPECT_FALSE(s.form<Pro1>().isVisible());
    s.dialogs.answers = {QString()};
    s.main().mnufilecompression->trigger();
    EXPECT_TRUE(s.form<Form6>().isVisible());
    ASSERT_EQ(s.dialogs.requests.size(), 1u);
    EXPECT_EQ(s.dialogs.requests[0].kind, forms::FileDialogRequest::Kind::Save);
}
