#include "remote/RealRControl.h"

#include <QLineEdit>
#include <QPushButton>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "media/RealAudioControl.h"

RealRControl::RealRControl(Application& app) : Form(app, "RealRControl", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Real File Remote Control"));
    setClientSizeTw(3360, 975);
    auto button = [this](const char* name, const QString& caption, int left, int top, void (RealRControl::*handler)()) {
        auto* b = forms::makeControl<forms::CommandButton>(client(), name, left, top, 855, 495, caption);
        if (handler) on(b, &QPushButton::clicked, handler);
        return b;
    };
    // Created in design order, so Pause lies over Play and Unmute over Mute.
    Command1 = button("Command1", tr("Play"), 0, 0, &RealRControl::Command1_Click);
    Command3 = button("Command3", tr("Stop"), 840, 0, &RealRControl::Command3_Click);
    Command5 = button("Command5", tr("Rewind"), 1680, 0, &RealRControl::Command5_Click);
    Command7 = button("Command7", tr("Fast Forward"), 2520, 0, nullptr);
    Command2 = button("Command2", tr("Volume +"), 0, 480, &RealRControl::Command2_Click);
    Command4 = button("Command4", tr("Volume -"), 840, 480, &RealRControl::Command4_Click);
    Command6 = button("Command6", tr("Mute"), 1680, 480, &RealRControl::Command6_Click);
    Command9 = button("Command9", tr("Pause"), 0, 0, &RealRControl::Command9_Click);
    Command8 = button("Command8", tr("Unmute"), 1680, 480, &RealRControl::Command8_Click);
    forms::setTabOrder({Command1, Command2, Command3, Command4, Command5, Command6, Command7, Command9, Command8});
}

RealAudioControl& RealRControl::engine() { return *app_.forms().get<frmMain>().RealAudio1; }

void RealRControl::Command1_Click()
{
    engine().PlayClip();
    Command1->setVisible(false);
    Command9->setVisible(true);
}

void RealRControl::Command9_Click()
{
    engine().PauseClip();
    Command9->setVisible(false);
    Command1->setVisible(true);
}

void RealRControl::Command3_Click()
{
    engine().StopClip();
    Command1->setVisible(true);
    Command9->setVisible(false);
}

void RealRControl::Command6_Click()
{
    engine().SetMute(true);
    Command6->setVisible(false);
    Command8->setVisible(true);
}

void RealRControl::Command8_Click()
{
    engine().SetMute(false);
    Command8->setVisible(false);
    Command6->setVisible(true);
}

// Volume arithmetic on a 16-bit whole number; the control keeps it within its own range.
void RealRControl::Command2_Click() { engine().SetVolume(static_cast<short>(static_cast<short>(engine().GetVolume()) + 5)); }

void RealRControl::Command4_Click() { engine().SetVolume(static_cast<short>(static_cast<short>(engine().GetVolume()) - 5)); }

void RealRControl::Command5_Click()
{
    QLineEdit* position = app_.forms().get<frmMain>().Label2;
    if (Scanning) {
        position->setVisible(true);
        position->clear();
        Scanning = false;
    } else {
        position->setVisible(true);
        Scanning = true;
    }
    Command1->setVisible(true);
    Command9->setVisible(false);
}
