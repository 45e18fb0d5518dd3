#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

class Application;
class QGroupBox;
class QLabel;
class QPushButton;

// Shows the codec of the clip open in the main window and whether it is installed. While it is
// open, the main window and the remote control take no input.
class Aud1 : public forms::Form {
    Q_OBJECT
public:
    explicit Aud1(Application& app);

    void Command1_Click();
    void Command2_Click() { Command1_Click(); }

    QGroupBox* Frame1;
    QLabel* Label1;
    forms::TextBox* Text1;
    forms::TextBox* Text2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

private:
    Application& app_;
};
