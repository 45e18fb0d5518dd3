#include "main_window/CurrentEngine.h"

#include <algorithm>

#include "main_window/frmMain.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"
#include "remote/RealRControl.h"
#include "windows/Application.h"

namespace {
frmMain& mainWindow(Application& app) { return app.forms().get<frmMain>(); }
}  // namespace

bool CurrentEngine::isReal() const { return mainWindow(app_).mnuviewreal->isEnabled(); }

bool CurrentEngine::hasClip() const
{
    const frmMain& main = mainWindow(app_);
    if (isReal()) return !main.RealAudio1->GetSource().isEmpty() && main.RealAudio1->GetLength() > 0;
    return main.screenAndAudio->OpenState() != WindowsMediaControl::OpenClosed;
}

bool CurrentEngine::isPlaying() const
{
    const frmMain& main = mainWindow(app_);
    return isReal() ? main.RealAudio1->GetCanPause() : main.screenAndAudio->PlayState() == WindowsMediaControl::Playing;
}

void CurrentEngine::press(void (RealRControl::*real)(), void (Player::*windowsMedia)())
{
    if (isReal()) (app_.forms().get<RealRControl>().*real)();
    else (app_.forms().get<Player>().*windowsMedia)();
}

void CurrentEngine::play()
{
    if (hasClip()) press(&RealRControl::Command1_Click, &Player::Un1_Click);
}

void CurrentEngine::pause() { press(&RealRControl::Command9_Click, &Player::Un2_Click); }

void CurrentEngine::playPause()
{
    if (isPlaying()) pause();
    else play();
}

void CurrentEngine::stop() { press(&RealRControl::Command3_Click, &Player::Stop1_Click); }

void CurrentEngine::louder() { press(&RealRControl::Command2_Click, &Player::Vol1_Click); }

void CurrentEngine::quieter() { press(&RealRControl::Command4_Click, &Player::Volume2_Click); }

void CurrentEngine::toggleMute()
{
    if (!isReal()) return app_.forms().get<Player>().Mute1_Click();
    RealRControl& remote = app_.forms().get<RealRControl>();
    if (mainWindow(app_).RealAudio1->GetMute()) remote.Command8_Click();
    else remote.Command6_Click();
}

double CurrentEngine::position() const
{
    const frmMain& main = mainWindow(app_);
    return isReal() ? main.RealAudio1->GetPosition() / 1000.0 : main.screenAndAudio->CurrentPosition();
}

double CurrentEngine::length() const
{
    const frmMain& main = mainWindow(app_);
    return isReal() ? main.RealAudio1->GetLength() / 1000.0 : main.screenAndAudio->Duration();
}

void CurrentEngine::seekTo(double seconds)
{
    const double within = std::clamp(seconds, 0.0, length());
    frmMain& main = mainWindow(app_);
    if (isReal()) main.RealAudio1->SetPosition(static_cast<long>(within * 1000));
    else main.screenAndAudio->setCurrentPosition(within);
}
