#include "remote/Player.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <exception>

#include "windows/Application.h"
#include "forms/Twips.h"
#include "main_window/Pro1.h"
#include "main_window/frmMain.h"
#include "media/MediaTime.h"
#include "media/WindowsMediaControl.h"
#include "settings/PlaySet.h"
#include "settings/Vid1.h"

using forms::makeControl;

Player::Player(Application& app) : Form(app, "Player", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Remote Control"));
    setClientSizeTw(3375, 975);
    setBackColor(forms::kSysMenuBar);
    move(forms::toPixels(1395), forms::toPixels(5865));

    auto button = [this](const char* name, const QString& caption, int left, int top) {
        return makeControl<forms::CommandButton>(client(), name, left, top, 855, 495, caption);
    };
    Un1 = button("Un1", tr("Play"), 0, 0);
    Un2 = button("Un2", tr("Pause"), 0, 0);
    Stop1 = button("Stop1", tr("Stop"), 840, 0);
    Command3 = button("Command3", tr("Rewind"), 1680, 0);
    Command4 = button("Command4", tr("Fast Forward"), 2520, 0);
    Vol1 = button("Vol1", tr("Volume +"), 0, 480);
    Volume2 = button("Volume2", tr("Volume -"), 840, 480);
    Mute1 = button("Mute1", tr("Mute"), 1680, 480);
    Ff = new forms::FormTimer("Ff", 10, false, this);
    Re = new forms::FormTimer("Re", 10, false, this);

    // Tab order by tab index.
    forms::setTabOrder({Vol1, Volume2, Un1, Command4, Command3, Stop1, Mute1, Un2});

    on(Un1, &QPushButton::clicked, &Player::Un1_Click);
    on(Un2, &QPushButton::clicked, &Player::Un2_Click);
    on(Stop1, &QPushButton::clicked, &Player::Stop1_Click);
    on(Command3, &QPushButton::clicked, &Player::Command3_Click);
    on(Command4, &QPushButton::clicked, &Player::Command4_Click);
    on(Vol1, &QPushButton::clicked, &Player::Vol1_Click);
    on(Volume2, &QPushButton::clicked, &Player::Volume2_Click);
    on(Mute1, &QPushButton::clicked, &Player::Mute1_Click);
    onEvent(Ff, &forms::FormTimer::Timer, &Player::Ff_Timer);
    onEvent(Re, &forms::FormTimer::Timer, &Player::Re_Timer);
}

void Player::Form_Load() { Hide(); }

WindowsMediaControl& Player::engine() { return *app_.forms().get<frmMain>().screenAndAudio; }

void Player::showPlay()
{
    Un1->setVisible(true);
    Un2->setVisible(false);
}

void Player::showPause()
{
    Un1->setVisible(false);
    Un2->setVisible(true);
}

void Player::Un1_Click()
{
    frmMain& main = app_.forms().get<frmMain>();
    WindowsMediaControl& wmp = engine();
    wmp.setEnabled(true);
    main.mnufileproperties->setEnabled(true);
    wmp.setShowControls(false);
    wmp.Play();
    wmp.setShowPositionControls(false);
    wmp.setAllowSizeChange(true);
    main.Label2->setVisible(true);
    Pro1& props = app_.forms().get<Pro1>();
    props.ProgressBar1->setValue(wmp.BufferingProgress());
    props.showDataRate(wmp.DataRate());
    Un1->setEnabled(true);
    if (wmp.PlayState() == WindowsMediaControl::Playing) showPause();
    else showPlay();
    main.mnuviewzoom->setEnabled(true);
    main.showPositionLine();
    main.mnuviewfullscreen->setEnabled(true);
}

void Player::Un2_Click()
{
    WindowsMediaControl& wmp = engine();
    wmp.Pause();
    wmp.setEnabled(true);
    Un2->setEnabled(true);
    app_.forms().get<frmMain>().Label2->setVisible(true);
    if (wmp.PlayState() == WindowsMediaControl::Paused) showPlay();
}

void Player::Stop1_Click()
{
    WindowsMediaControl& wmp = engine();
    wmp.setEnabled(true);
    wmp.setCurrentPosition(0.0);
    wmp.Stop();
    if (wmp.PlayState() == WindowsMediaControl::Stopped) showPlay();
    frmMain& main = app_.forms().get<frmMain>();
    main.mnuviewzoom->setEnabled(false);
    main.mnuviewfullscreen->setEnabled(false);
}

void Player::Command4_Click() { toggleScan(Ff); }
void Player::Command3_Click() { toggleScan(Re); }

// Fast Forward and Rewind share one flag: a press switches its own timer on when the last press
// of either did not start a scan, and off otherwise. The other timer is left alone.
void Player::toggleScan(forms::FormTimer* timer)
{
    QLineEdit* position = app_.forms().get<frmMain>().Label2;
    if (Scanning) {
        timer->setEnabled(false);
        position->setVisible(true);
        position->clear();
        Scanning = false;
    } else {
        timer->setEnabled(true);
        position->setVisible(true);
        Scanning = true;
    }
    showPlay();
}

bool Player::endScanAtClipEnd(forms::FormTimer* timer)
{
    WindowsMediaControl& wmp = engine();
    if (wmp.Duration() != wmp.CurrentPosition()) return false;
    timer->setEnabled(false);
    Scanning = false;
    wmp.Stop();
    Un1->setEnabled(true);
    Un1->setText(tr("Play"));
    app_.forms().get<frmMain>().Label2->clear();
    return true;
}

void Player::Ff_Timer()
{
    if (endScanAtClipEnd(Ff)) return;
    WindowsMediaControl& wmp = engine();
    wmp.Stop();
    if (const auto step = app_.forms().get<Vid1>().fastForwardStep())
        wmp.setCurrentPosition(media_time::toMilliseconds(wmp.CurrentPosition() + *step));
}

void Player::Re_Timer()
{
    if (endScanAtClipEnd(Re)) return;
    WindowsMediaControl& wmp = engine();
    wmp.Stop();
    if (wmp.CurrentPosition() >= 0.1) {
        if (const auto step = app_.forms().get<Vid1>().rewindStep())
            wmp.setCurrentPosition(media_time::toMilliseconds(wmp.CurrentPosition() - *step));
    } else {
        wmp.Stop();
    }
}

void Player::Mute1_Click()
{
    WindowsMediaControl& wmp = engine();
    QLineEdit* status = app_.forms().get<frmMain>().Label3;
    const bool muted = wmp.Mute();
    wmp.setMute(!muted);
    wmp.setEnabled(true);
    Mute1->setText(muted ? tr("Mute") : tr("Unmute"));
    status->setText(muted ? QStringLiteral("ZelPlayerv2 is Not Muted") : QStringLiteral("ZelPlayerv2 is on Mute"));
}

namespace {

constexpr int kQuietest = -6000;  // the lowest volume the buttons step to

// The volume buttons carry on past a step that fails (the engine refusing a value).
template <class Step> void tryStep(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

void Player::Vol1_Click()
{
    WindowsMediaControl& wmp = engine();
    frmMain& main = app_.forms().get<frmMain>();
    tryStep([&] {
        Vol1->setEnabled(true);
        Mute1->setEnabled(true);
    });
    tryStep([&] { app_.forms().get<PlaySet>().Command3->setEnabled(true); });
    tryStep([&] { wmp.setMute(false); });
    // Steps end at 0: a volume set between the steps (-200 from the audio configuration) still
    // reaches the top, and the button goes off on the step that gets there.
    tryStep([&] {
        if (wmp.Volume() >= -250) Vol1->setEnabled(false);
    });
    tryStep([&] {
        Volume2->setEnabled(true);
        main.Label3->setVisible(true);
        main.Label3->setText(QStringLiteral("Volume Up"));
    });
    tryStep([&] { wmp.setVolume(std::min(0, wmp.Volume() + 250)); });
}

void Player::Volume2_Click()
{
    WindowsMediaControl& wmp = engine();
    frmMain& main = app_.forms().get<frmMain>();
    tryStep([&] { Vol1->setEnabled(true); });
    tryStep([&] { app_.forms().get<PlaySet>().Command3->setEnabled(true); });
    tryStep([&] {
        main.Label3->setVisible(true);
        main.Label3->setText(QStringLiteral("Volume Down"));
    });
    tryStep([&] { wmp.setVolume(std::max(kQuietest, wmp.Volume() - 250)); });
    tryStep([&] {
        if (wmp.Volume() == kQuietest) {
            Volume2->setEnabled(false);
            Mute1->setEnabled(false);
        }
    });
}
