#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

class Application;
class QPushButton;
class WindowsMediaControl;

// The Windows-media remote control: a floating button panel steering the main window's engine.
class Player : public forms::Form {
    Q_OBJECT
public:
    explicit Player(Application& app);

    void Form_Load() override;
    void Un1_Click();
    void Un2_Click();
    void Stop1_Click();
    void Command4_Click();
    void Command3_Click();
    void Ff_Timer();
    void Re_Timer();
    void Mute1_Click();
    void Vol1_Click();
    void Volume2_Click();

    QPushButton* Un1;
    QPushButton* Un2;
    QPushButton* Stop1;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Vol1;
    QPushButton* Volume2;
    QPushButton* Mute1;
    forms::FormTimer* Ff;
    forms::FormTimer* Re;

    // Whether the last press of Fast Forward or Rewind switched a scan on.
    bool Scanning = false;

    // The Play and Pause buttons share one place: one of them shows.
    void showPlay();
    void showPause();

private:
    WindowsMediaControl& engine();
    void toggleScan(forms::FormTimer* timer);
    // The end-of-clip test shared by both ticks; true when the scan was ended.
    bool endScanAtClipEnd(forms::FormTimer* timer);

    Application& app_;
};
