#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include "windows/frmSplash.h"
#include "forms/Twips.h"
#include "main_window/frmMain.h"
#include "media/RealAudioControl.h"
#include "remote/Player.h"
#include "support/TestApp.h"

namespace {

struct Launched : TestApp {
    frmSplash& splash = app.forms().get<frmSplash>();
    FakeWindowsMediaControl* screen() { return main().findChild<FakeWindowsMediaControl*>("screenAndAudio"); }
    frmMain& main() { return app.forms().get<frmMain>(); }
    void enter(forms::OptionButton* mode)
    {
        mode->setValue(true);
        splash.Command1->click();
    }
};

QString captionOf(forms::MenuItem* item) { return item->text(); }

}  // namespace

TEST(StartUp, ShowsTheModeChoiceWithEnterDisabledUntilAModeIsPicked)
{
    Launched s;
    s.splash.Show();
    EXPECT_FALSE(s.splash.Option1->value());
    EXPECT_FALSE(s.splash.Option2->value());
    EXPECT_FALSE(s.splash.Command1->isEnabled());
    EXPECT_EQ(s.splash.Command1->text(), QStringLiteral("Enter ZelPlayer Plus!"));
    EXPECT_EQ(s.splash.lblProductName->text(), QStringLiteral("ZelPlayer Plus"));
    EXPECT_EQ(s.splash.lblPlatform->text(), QStringLiteral("Platform: MediaPlayer"));
    EXPECT_EQ(s.splash.lblVersion->text(), QStringLiteral("Version: 5.1a"));
    EXPECT_EQ(s.splash.Label1->text(), QStringLiteral("Choose which mode you want to use ZelPlayer in:"));
    EXPECT_FALSE(s.splash.Text1->isVisible());
    EXPECT_EQ(s.splash.client()->size(), QSize(forms::toPixels(7290), forms::toPixels(4065)));
    EXPECT_EQ(s.splash.Command1->geometry(), forms::twipsRect(120, 720, 1815, 855));
    EXPECT_EQ(s.splash.Option2->geometry(), forms::twipsRect(120, 2520, 1815, 255));
    EXPECT_TRUE(s.splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(s.app.forms().isLoaded<frmMain>());  // only the start-up window at launch

    s.splash.Option2->setValue(true);
    EXPECT_TRUE(s.splash.Command1->isEnabled());
    s.splash.Option1->setValue(true);
    EXPECT_FALSE(s.splash.Option2->value());
    EXPECT_TRUE(s.splash.Command1->isEnabled());
}

TEST(StartUp, EnterInStandardModePutsTheMainWindowInItsInitialState)
{
    Launched s;
    s.splash.Show();
    s.enter(s.splash.Option1);
    frmMain& m = s.main();
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(s.splash.isVisible());
    EXPECT_TRUE(s.app.forms().isLoaded<frmSplash>());
    Player& remote = s.app.forms().get<Player>();
    EXPECT_FALSE(remote.isVisible());
    EXPECT_FALSE(remote.Vol1->isEnabled());
    EXPECT_FALSE(m.sbStatusBar->isVisible());
    EXPECT_FALSE(m.mnuviewzoom->isEnabled());
    EXPECT_FALSE(m.mnufileproperties->isEnabled());
    EXPECT_FALSE(m.mnuviewfullscreen->isEnabled());
    EXPECT_FALSE(s.screen()->ShowControls());
    EXPECT_FALSE(s.screen()->ShowPositionControls());
    EXPECT_FALSE(s.screen()->ShowStatusBar());
    // The three display options are written in the order 1025, 1021, 1045.
    EXPECT_EQ(s.screen()->calls, (QStringList{"setShowPositionControls(0)", "setShowControls(0)",
                                              "setShowStatusBar(0)"}));
    EXPECT_EQ(captionOf(m.mnufileopen), QStringLiteral("&Open Windows Media File"));
    EXPECT_TRUE(m.mnufileopenreal->isVisible());
    EXPECT_FALSE(m.mnuviewstatusbar->checked());
}

TEST(StartUp, DecrypterModeRenamesOpenAndHidesRealOpenForGood)
{
    Launched s;
    s.splash.Show();
    s.enter(s.splash.Option2);
    frmMain& m = s.main();
    EXPECT_EQ(captionOf(m.mnufileopen), QStringLiteral("&Open Media File"));
    EXPECT_EQ(m.mnufileopen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_FALSE(m.mnufileopenreal->isVisible());
    EXPECT_FALSE(s.app.forms().get<Player>().Vol1->isEnabled());

    // Shown again (as after a login) and entered in Standard Mode: same main window, and
    // nothing comes back.
    m.mnufileproperties->setEnabled(true);
    s.splash.Show();
    s.enter(s.splash.Option1);
    EXPECT_EQ(&s.main(), &m);
    EXPECT_EQ(s.engines.windowsMedia.size(), 2u);
    EXPECT_EQ(captionOf(m.mnufileopen), QStringLiteral("&Open Media File"));
    EXPECT_FALSE(m.mnufileopenreal->isVisible());
    EXPECT_FALSE(m.mnufileproperties->isEnabled());
    EXPECT_FALSE(s.splash.isVisible());
}

TEST(MainWindow, HasTheWholeMenuTreeWithCaptionsShortcutsAndStates)
{
    Launched s;
    frmMain& m = s.main();
    struct Row {
        const char* name;
        QString caption;
        bool enabled;
    };
    const QString blanks12(12, QLatin1Char(' ')), blanks15(15, QLatin1Char(' ')), blanks17(17, QLatin1Char(' '));
    const std::vector<Row> rows{
        {"mnufile", "&File", true}, {"mnufileopenfile", "&Open...", true},
        {"mnufileopen", "&Open Windows Media File", true}, {"mnufileopenreal", "&Open RealPlayer File", true},
        {"Divison7", "-", true}, {"mnufileopenurl", "&OpenURL...", true}, {"mnuFileDivision1", "-", true},
        {"mnufilecompression", "File Compression", true}, {"mnufileDivision2", "-", true},
        {"mnufileproperties", "&Clip Properties", true}, {"mnufileDivision3", "-", true},
        {"mnufileExit", "Exit", true}, {"mnuview", "&View", true},
        {"mnuviewfullscreen", "Full &Screen" + blanks12 + "Alt+Enter", true}, {"mnuViewDivision1", "-", true},
        {"mnuviewzoom", "&Zoom", true}, {"mnuviewoneeighthscreen", "&Fit to window", true},
        {"mnuviewDivision2", "-", true}, {"mnuviewhalfscreen", "&50%" + blanks17 + "Alt+1", true},
        {"mnuviewSixteenth", "&75%", true}, {"mnuviewDefaultscreen", "90%", true},
        {"mnuviewactual", "&100%" + blanks15 + "Alt+2", true}, {"mnuviewdouble", "&200%" + blanks15 + "Alt+3", true},
        {"mnuviewDivision3", "-", true}, {"mnuViewToolbar", "&Remote Control", false},
        {"mnuviewreal", "&Real Audio Remote Control", false}, {"mnuviewstatusbar", "&Status Bar", true},
        {"mnuviewDivision4", "-", true}, {"mnuviewcalendar", "&Calendar", true}, {"mnuviewDivision5", "-", true},
        {"mnuviewoptions", "&Options...", true}, {"mnuviewaudiosettings", "ZelPlayer Plus &Settings", true},
        {"mnuviewvideosettings", "Video &Settings", true}, {"mnuviewzelplayerplussettings", "Audio &Settings", true},
        {"mnuviewoptionssystemsettings", "System &Settings", true},
        {"mnuviewadditionalsettings", "Additional &Settings", true},
        {"mnuviewchange", "&Change User ID and &Change Password", true}, {"mnuviewcdplayer", "CD Player", true},
        {"frmDVDPlayer", "DVD Player", true}, {"mnuviewplaylist", "Playlist", true}, {"mnuAbout", "&About", true},
        {"mnuhelp", "&Help", true},
    };
    // Walk the menus in display order and compare with the table.
    std::vector<QAction*> shown;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            shown.push_back(a);
            if (a->menu()) walk(a->menu()->actions());
        }
    };
    walk(m.menuBar()->actions());
    ASSERT_EQ(shown.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(shown[i]->objectName(), QString::fromLatin1(rows[i].name));
        EXPECT_EQ(shown[i]->isSeparator() ? QStringLiteral("-") : shown[i]->text(), rows[i].caption);
        EXPECT_EQ(shown[i]->isEnabled(), rows[i].enabled);
        EXPECT_FALSE(shown[i]->isChecked());
        const bool hasShortcut = rows[i].name == std::string("mnufileopen") || rows[i].name == std::string("mnufileproperties");
        EXPECT_EQ(shown[i]->shortcut().isEmpty(), !hasShortcut);
    }
    EXPECT_EQ(m.mnufileproperties->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST(MainWindow, ControlsWindowAndTimersAsDesigned)
{
    Launched s;
    frmMain& m = s.main();
    EXPECT_EQ(m.caption(), QStringLiteral("ZelPlayer Plus"));
    EXPECT_EQ(m.client()->size(), QSize(forms::toPixels(4680), forms::toPixels(4365)));
    EXPECT_EQ(m.backColor(), forms::kSysInactiveBorder);
    EXPECT_TRUE(m.sbStatusBar->isVisibleTo(&m));  // the load handler shows it
    EXPECT_EQ(m.screenAndAudio->geometry(), forms::twipsRect(0, 0, 4695, 3975));
    EXPECT_EQ(m.RealAudio1->parentWidget(), m.Text2);
    EXPECT_EQ(m.RealAudio1->geometry(), forms::twipsRect(1200, 600, 2295, 2055));
    EXPECT_FALSE(m.RealAudio1->isVisibleTo(&m));
    EXPECT_FALSE(m.Text1->isVisibleTo(&m));
    EXPECT_EQ(m.Text1->text(), QStringLiteral("C:\\WINDOWS\\media\\The Microsoft Sound.wav"));
    EXPECT_EQ(m.sbStatusBar->geometry().bottom(), m.client()->height() - 1);
    EXPECT_FALSE(m.sbStatusBar->dateText().isEmpty());
    EXPECT_FALSE(m.sbStatusBar->timeText().isEmpty());
    // Back to front.
    const QObjectList order = m.client()->children();
    auto index = [&](QWidget* w) { return order.indexOf(w); };
    EXPECT_LT(index(m.Text3), index(m.Label2));
    EXPECT_LT(index(m.Label2), index(m.Text2));
    EXPECT_LT(index(m.Label1), index(m.Label4));
    EXPECT_LT(index(m.MediaPlayer1), index(m.screenAndAudio));
    EXPECT_EQ(order.last(), m.screenAndAudio);
    // Only the remote's 10 ms timers can fire; the main window's never do.
    EXPECT_FALSE(m.Timer1->isTicking());
    EXPECT_FALSE(m.Ff->isTicking());
    EXPECT_FALSE(m.Re->enabled());
    EXPECT_EQ(m.CommonDialog1->DialogTitle, QStringLiteral("Open Video or Audio File"));
}

TEST(MainWindow, RemoteControlItemTogglesTheRemoteWithPlayOrPauseByState)
{
    Launched s;
    frmMain& m = s.main();
    Player& remote = s.app.forms().get<Player>();
    m.screenAndAudio->setEnabled(false);
    s.screen()->scriptPlayState(WindowsMediaControl::Playing);
    m.mnuViewToolbar->setEnabled(true);
    m.mnuViewToolbar->trigger();
    EXPECT_TRUE(m.mnuViewToolbar->checked());
    EXPECT_TRUE(remote.isVisible());
    EXPECT_TRUE(m.screenAndAudio->isEnabled());
    EXPECT_FALSE(remote.Un1->isVisibleTo(&remote));
    EXPECT_TRUE(remote.Un2->isVisibleTo(&remote));
    m.mnuViewToolbar->trigger();
    EXPECT_FALSE(m.mnuViewToolbar->checked());
    EXPECT_FALSE(remote.isVisible());
    for (int state : {WindowsMediaControl::Paused, WindowsMediaControl::Stopped}) {
        s.screen()->scriptPlayState(state);
        m.mnuViewToolbar->trigger();
        EXPECT_TRUE(remote.Un1->isVisibleTo(&remote));
        EXPECT_FALSE(remote.Un2->isVisibleTo(&remote));
        m.mnuViewToolbar->trigger();
    }
}

TEST(MainWindow, HelpShowsItsEmptyMessageAndClosingEndsTheProgram)
{
    Launched s;
    frmMain& m = s.main();
    m.mnuhelp->trigger();
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].title, QStringLiteral("ZelPlayer Plus Help File"));
    EXPECT_EQ(s.messages.shown[0].text, QString());
    bool ended = false;
    s.app.setEndProgramAction([&] { ended = true; });
    m.Show();
    m.close();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(s.app.forms().isLoaded<frmMain>());
    EXPECT_FALSE(s.app.forms().isLoaded<frmSplash>());
    settle();
}

TEST(RemoteControl, IsCreatedHiddenWithItsButtonsAndTimers)
{
    TestApp t;
    Player& p = t.app.forms().get<Player>();
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.caption(), QStringLiteral("Remote Control"));
    EXPECT_EQ(p.client()->size(), QSize(forms::toPixels(3375), forms::toPixels(975)));
    EXPECT_EQ(p.Command4->text(), QStringLiteral("Fast Forward"));
    EXPECT_EQ(p.Mute1->geometry(), forms::twipsRect(1680, 480, 855, 495));
    EXPECT_EQ(p.Un1->geometry(), p.Un2->geometry());
    EXPECT_EQ(p.Ff->interval(), 10);
    EXPECT_FALSE(p.Ff->enabled());
    EXPECT_FALSE(p.Re->enabled());
    EXPECT_FALSE(p.Scanning);
    // Tab order by tab index: Volume +, Volume -, Play, Fast Forward, Rewind, Stop, Mute, Pause.
    const auto nextStop = [](QWidget* w) {
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    QWidget* stop = p.Vol1;
    for (QWidget* expected : {p.Volume2, p.Un1, p.Command4, p.Command3, p.Stop1, p.Mute1, p.Un2, p.Vol1}) {
        stop = nextStop(stop);
        EXPECT_EQ(stop, expected) << stop->objectName().toStdString();
    }
}
