#pragma once

#include "forms/Form.h"

class Application;
class QPushButton;
class RealAudioControl;

// The Real file remote control: play, pause, stop, volume and mute on the Real engine.
class RealRControl : public forms::Form {
    Q_OBJECT
public:
    explicit RealRControl(Application& app);

    void Command1_Click();
    void Command9_Click();
    void Command3_Click();
    void Command6_Click();
    void Command8_Click();
    void Command2_Click();
    void Command4_Click();
    void Command5_Click();

    QPushButton* Command1;
    QPushButton* Command9;
    QPushButton* Command3;
    QPushButton* Command5;
    QPushButton* Command7;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command6;
    QPushButton* Command8;

    bool Scanning = false;

private:
    RealAudioControl& engine();

    Application& app_;
};
