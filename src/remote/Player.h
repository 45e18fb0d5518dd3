#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

class Application;
class QPushButton;

// The Windows-media remote control: a floating button panel steering the main window's engine.
class Player : public forms::Form {
    Q_OBJECT
public:
    explicit Player(Application& app);

    void Form_Load() override;

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

private:
    Application& app_;
};
