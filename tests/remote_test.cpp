#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include "main_window/Pro1.h"
#include "remote/Player.h"
#include "remote/RealRControl.h"
#include "settings/PlaySet.h"
#include "settings/Vid1.h"
#include "support/Started.h"

using Clip = FakeWindowsMediaControl::Clip;

namespace {

struct Remote : Started {
    Player& p = form<Player>();
    Vid1& v = form<Vid1>();
    Remote() { openVideo("/v.wmv", 30); }
    bool shows(QPushButton* b) { return b->isVisibleTo(&p); }
};

}  // namespace

TEST(RemoteScan, FastForwardStepsBySelectedSpeedReadAtEveryTick)
{
    Remote r;
    r.screen().scriptPosition(10.0);
    r.p.Ff_Timer();  // no speed selected: playback stops, the position stays
    EXPECT_EQ(r.screen().calls, QStringList{"Stop"});
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 10.0);
    r.v.Option12->setValue(true);
    r.p.Ff_Timer();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 10.1);
    r.screen().scriptPosition(10.0);
    r.v.Option8->setValue(true);
    r.p.Ff_Timer();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 10.3);
    r.v.Option7->setValue(true);
    r.v.Text2->setText(QStringLiteral("2.5"));
    r.p.Ff_Timer();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 12.8);
    for (const char* bad : {"", "fast", "1e999"}) {
        r.v.Text2->setText(QString::fromLatin1(bad));
        r.p.Ff_Timer();  // unreadable custom speed: no step, no failure
        EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 12.8) << bad;
    }
    EXPECT_TRUE(r.messages.shown.empty());
}

TEST(RemoteScan, EndOfClipStopsTheScanAndAPressStartsANewOne)
{
    Remote r;
    r.v.Option11->setValue(true);
    r.p.Command4->click();
    EXPECT_TRUE(r.p.Ff->enabled());
    EXPECT_TRUE(r.p.Scanning);
    EXPECT_TRUE(r.shows(r.p.Un1));
    r.screen().scriptPosition(29.9);
    r.p.Ff_Timer();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 30.0);  // clamped to the clip's length
    r.main().Label2->setText(QStringLiteral("scanning"));
    r.p.Un1->setEnabled(false);
    r.p.Ff_Timer();
    EXPECT_FALSE(r.p.Ff->enabled());
    EXPECT_FALSE(r.p.Scanning);
    EXPECT_TRUE(r.p.Un1->isEnabled());
    EXPECT_EQ(r.p.Un1->text(), QStringLiteral("Play"));
    EXPECT_EQ(r.main().Label2->text(), QString());
    EXPECT_EQ(r.screen().PlayState(), WindowsMediaControl::Stopped);
    r.p.Command4->click();
    EXPECT_TRUE(r.p.Ff->enabled());
}

TEST(RemoteScan, RewindStepsBackOnlyFromATenthOfASecond)
{
    Remote r;
    r.v.Option9->setValue(true);
    r.screen().scriptPosition(0.05);
    r.p.Re_Timer();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 0.05);
    EXPECT_EQ(r.screen().calls, (QStringList{"Stop", "Stop"}));
    r.screen().scriptPosition(0.1);
    r.p.Re_Timer();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 0.0);
    r.v.Option4->setValue(true);
    r.v.Text1->setText(QStringLiteral("1.5"));
    r.screen().scriptPosition(5);
    r.p.Re_Timer();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 3.5);
}

TEST(RemoteScan, FastForwardThenRewindShareOneFlag)
{
    Remote r;
    r.p.Command4->click();
    EXPECT_TRUE(r.p.Ff->enabled());
    r.p.Command3->click();  // clears the flag, switches Re off (it was off), Ff runs on
    EXPECT_FALSE(r.p.Scanning);
    EXPECT_TRUE(r.p.Ff->enabled());
    EXPECT_FALSE(r.p.Re->enabled());
    r.p.Command3->click();
    EXPECT_TRUE(r.p.Re->enabled());
    EXPECT_TRUE(r.p.Ff->enabled());
    EXPECT_TRUE(r.p.Scanning);
}

TEST(RemoteVolume, StepsOf250WithButtonsAtTheEnds)
{
    Remote r;
    EXPECT_FALSE(r.p.Vol1->isEnabled());  // as entering the main window leaves it
    r.p.Vol1->setEnabled(true);
    r.screen().setVolume(-250);
    r.p.Vol1->click();
    EXPECT_EQ(r.screen().Volume(), 0);
    EXPECT_FALSE(r.p.Vol1->isEnabled());
    EXPECT_EQ(r.main().Label3->text(), QStringLiteral("Volume Up"));
    r.p.Vol1->setEnabled(true);
    r.p.Vol1->click();  // the engine refuses 250: the step is skipped, the rest goes on
    EXPECT_EQ(r.screen().Volume(), 0);
    EXPECT_TRUE(r.messages.shown.empty());

    r.screen().setVolume(-5750);
    r.p.Volume2->click();
    EXPECT_EQ(r.screen().Volume(), -6000);
    EXPECT_FALSE(r.p.Volume2->isEnabled());
    EXPECT_FALSE(r.p.Mute1->isEnabled());
    EXPECT_EQ(r.main().Label3->text(), QStringLiteral("Volume Down"));
    EXPECT_TRUE(r.p.Vol1->isEnabled());

    EXPECT_TRUE(r.form<PlaySet>().Command3->isEnabled());
}

// A volume between the steps (the audio configuration sets -200 or -5800) still reaches either
// end, and the button of that end goes off there.
TEST(RemoteVolume, StepsFromBetweenTheStepsStopAtTheEnds)
{
    struct Case {
        int start;
        bool up;
        int expected;
        bool upEnabled, downEnabled;
    };
    const Case cases[] = {
        {-200, true, 0, false, true},      {-5800, false, -6000, true, false},
        {-300, true, -50, true, true},     {-5700, false, -5950, true, true},
        {0, true, 0, false, true},         {-6000, false, -6000, true, false},
    };
    for (const Case& c : cases) {
        Remote r;
        r.p.Vol1->setEnabled(true);
        r.p.Volume2->setEnabled(true);
        r.screen().setVolume(c.start);
        (c.up ? r.p.Vol1 : r.p.Volume2)->click();
        EXPECT_EQ(r.screen().Volume(), c.expected) << c.start;
        EXPECT_EQ(r.p.Vol1->isEnabled(), c.upEnabled) << c.start;
        EXPECT_EQ(r.p.Volume2->isEnabled(), c.downEnabled) << c.start;
        EXPECT_TRUE(r.messages.shown.empty()) << c.start;
    }
}

TEST(RemoteVolume, MuteThenVolumeUpUnmutesButKeepsTheCaption)
{
    Remote r;
    r.p.Mute1->click();
    EXPECT_TRUE(r.screen().Mute());
    EXPECT_EQ(r.p.Mute1->text(), QStringLiteral("Unmute"));
    EXPECT_EQ(r.main().Label3->text(), QStringLiteral("ZelPlayerv2 is on Mute"));
    r.screen().setVolume(-1000);
    r.p.Vol1->setEnabled(true);
    r.p.Vol1->click();
    EXPECT_FALSE(r.screen().Mute());
    EXPECT_EQ(r.p.Mute1->text(), QStringLiteral("Unmute"));
    r.p.Mute1->click();  // reads the engine: not muted, so it mutes again
    EXPECT_TRUE(r.screen().Mute());
    r.p.Mute1->click();
    EXPECT_EQ(r.p.Mute1->text(), QStringLiteral("Mute"));
    EXPECT_EQ(r.main().Label3->text(), QStringLiteral("ZelPlayerv2 is Not Muted"));
}

TEST(RemoteTransport, PlayPauseStopKeepThePairAndMenusInStep)
{
    Remote r;
    frmMain& m = r.main();
    r.screen().scriptPlayState(WindowsMediaControl::Stopped);
    r.screen().buffering = 100;
    r.screen().scriptPosition(12.5);
    m.screenAndAudio->setEnabled(false);
    r.p.Un1->click();
    EXPECT_TRUE(m.screenAndAudio->isEnabled());
    EXPECT_EQ(r.screen().PlayState(), WindowsMediaControl::Playing);
    EXPECT_FALSE(r.shows(r.p.Un1));
    EXPECT_TRUE(r.shows(r.p.Un2));
    EXPECT_EQ(r.form<Pro1>().ProgressBar1->value(), 100);
    EXPECT_EQ(r.form<Pro1>().Label4->text(), QStringLiteral("Data Rate: Unknown"));
    EXPECT_EQ(m.Label4->text(), QStringLiteral("12.5 \\ 30 Seconds"));
    EXPECT_TRUE(m.mnuviewzoom->isEnabled());
    EXPECT_TRUE(m.mnuviewfullscreen->isEnabled());
    EXPECT_FALSE(r.screen().ShowControls());
    EXPECT_TRUE(r.screen().AllowSizeChange());

    r.p.Un2->click();
    EXPECT_EQ(r.screen().PlayState(), WindowsMediaControl::Paused);
    EXPECT_TRUE(r.shows(r.p.Un1));
    EXPECT_FALSE(r.shows(r.p.Un2));

    r.p.Stop1->click();
    EXPECT_DOUBLE_EQ(r.screen().CurrentPosition(), 0.0);
    EXPECT_EQ(r.screen().PlayState(), WindowsMediaControl::Stopped);
    EXPECT_TRUE(r.shows(r.p.Un1));
    EXPECT_FALSE(m.mnuviewzoom->isEnabled());
    EXPECT_FALSE(m.mnuviewfullscreen->isEnabled());
}

TEST(RemoteTransport, PlayWithNothingOpenSaysSoAndStaysUsable)
{
    Started s;
    Player& p = s.form<Player>();
    p.Un1->click();
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("There is no clip to play."));
    p.Stop1->click();
    EXPECT_EQ(s.messages.shown.size(), 1u);
}

TEST(RealEvents, FillPropertiesAndSwapTheRemoteMenus)
{
    Started s;
    frmMain& m = s.main();
    FakeRealAudioControl& real = s.real();
    real.title = "Song";
    real.author = "Singer";
    real.copyright = "(c) them";
    real.comments = "notes";
    real.length = 95000;
    real.bandwidth = 20000;
    real.clipWidth = 176;
    real.clipHeight = 144;
    s.dialogs.answers = {"/r/clip.rm"};
    m.mnufileopenreal->trigger();
    EXPECT_EQ(s.dialogs.requests.back().filters[0].patterns, (QStringList{"*.ra*", "*.ram*", "*.rm*", "*.rv*"}));
    EXPECT_TRUE(m.RealAudio1->isVisibleTo(&m));
    EXPECT_EQ(real.calls, (QStringList{"SetSource(/r/clip.rm)", "PlayClip"}));
    EXPECT_TRUE(s.screen().calls.filter("Open").isEmpty());  // the Windows-media clip stays loaded

    emit real.RealTwoTextEvent("Song", "Singer");
    emit real.RealTwoNumberEvent(0, 95000);
    emit real.RealOneTextEvent("176 x 144");
    Pro1& p = s.form<Pro1>();
    EXPECT_EQ(p.caption(), QStringLiteral("clip.rm Properties"));
    EXPECT_EQ(p.Label1->text(), QStringLiteral("File Location: /r/clip.rm"));
    EXPECT_EQ(p.Label2->text(), QStringLiteral("File Title: Song"));
    EXPECT_EQ(p.Label3->text(), QStringLiteral("Author: Singer"));
    EXPECT_EQ(p.Label5->text(), QStringLiteral("Clip Length: 95 Seconds"));
    EXPECT_EQ(p.Label4->text(), QStringLiteral("Copyright Information: (c) them"));
    EXPECT_EQ(p.Label9->text(), QStringLiteral("notes"));
    EXPECT_EQ(p.Label8->text(), QStringLiteral("Data Rate: 20 Kilobits"));
    EXPECT_EQ(p.Label6->text(), QStringLiteral("Clip Dimensions: 176 x 144"));
    EXPECT_FALSE(p.Label13->isVisibleTo(&p));
    EXPECT_TRUE(real.statusLine);
    EXPECT_TRUE(m.mnuviewreal->isEnabled());
    EXPECT_FALSE(m.mnuViewToolbar->isEnabled());
    EXPECT_TRUE(s.screen().calls.contains("Stop"));  // no default sound here: the other clip stops
    const auto stacking = [&] { return m.client()->children(); };
    EXPECT_EQ(stacking().last(), m.Text2);  // the Real picture is in front while Real played last

    // A Windows-media clip opened afterwards (here through Open URL, which leaves the Real
    // control shown) is in front again.
    Clip c;
    c.duration = 3;
    c.width = 320;
    c.height = 240;
    s.screen().clips["/v.wmv"] = c;
    s.screen().Open("/v.wmv");
    settle();
    EXPECT_LT(stacking().indexOf(m.Text2), stacking().indexOf(m.Label1));
    EXPECT_EQ(stacking().last(), m.screenAndAudio);
    emit real.RealTwoTextEvent("Song", "Singer");

    // The Real remote: Pause when the control plays.
    m.mnuviewreal->trigger();
    RealRControl& rc = s.form<RealRControl>();
    EXPECT_TRUE(rc.isVisible());
    EXPECT_TRUE(rc.Command9->isVisibleTo(&rc));
    EXPECT_FALSE(rc.Command1->isVisibleTo(&rc));
    emit real.RealNoArgumentEvent();
    EXPECT_TRUE(rc.Command1->isVisibleTo(&rc));
    EXPECT_FALSE(rc.Command9->isVisibleTo(&rc));
}

TEST(RealRemote, ButtonsCallTheRealControl)
{
    Started s;
    FakeRealAudioControl& real = s.real();
    RealRControl& rc = s.form<RealRControl>();
    real.source = "/r.rm";
    real.volume = 100;
    rc.Command2->click();
    EXPECT_EQ(real.calls.last(), QStringLiteral("SetVolume(105)"));
    real.volume = 3;
    rc.Command4->click();
    EXPECT_EQ(real.calls.last(), QStringLiteral("SetVolume(-2)"));
    rc.Command9->click();
    EXPECT_TRUE(rc.Command1->isVisibleTo(&rc));
    rc.Command3->click();
    EXPECT_TRUE(rc.Command1->isVisibleTo(&rc));
    EXPECT_FALSE(rc.Command9->isVisibleTo(&rc));
    EXPECT_EQ(real.calls.mid(real.calls.size() - 2), (QStringList{"PauseClip", "StopClip"}));
    rc.Command6->click();
    EXPECT_TRUE(real.mute);
    EXPECT_TRUE(rc.Command8->isVisibleTo(&rc));
    rc.Command8->click();
    EXPECT_FALSE(real.mute);
    EXPECT_TRUE(rc.Command6->isVisibleTo(&rc));
    const int calls = static_cast<int>(real.calls.size());
    rc.Command7->click();  // Fast Forward does nothing
    EXPECT_EQ(real.calls.size(), calls);
    s.main().Label2->setText("x");
    rc.Command5->click();
    EXPECT_EQ(s.main().Label2->text(), QStringLiteral("x"));
    rc.Command5->click();
    EXPECT_EQ(s.main().Label2->text(), QString());
    EXPECT_EQ(real.calls.size(), calls);

    real.source.clear();
    rc.Command1->click();  // no clip: a clear message, the window stays
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("There is no Real clip to play."));
}
