#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

class Application;
class QPushButton;
class QSlider;

// The audio configuration window: balance, volume, play once or repeat, rewind at the end.
class PlaySet : public forms::Form {
    Q_OBJECT
public:
    explicit PlaySet(Application& app);

    void Option1_Click();
    void Option2_Click();
    void Command1_Click();  // Ok
    void Command2_Click();  // Cancel
    void Command3_Click();  // Apply

    // Slider positions 0..10 and the engine values they stand for.
    static int balanceFor(int position);
    static int volumeFor(int position);

    forms::TextBox* Text1;
    QSlider* Slider1;
    forms::TextBox* Text2;
    forms::TextBox* Text3;
    QSlider* Slider2;
    forms::TextBox* Text4;
    forms::TextBox* Text5;
    forms::OptionButton* Option1;
    forms::OptionButton* Option2;
    forms::CheckBox* Option3;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

private:
    Application& app_;
};
