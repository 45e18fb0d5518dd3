#pragma once

#include "forms/Form.h"

class Application;
class QLineEdit;
class QPushButton;

// The Open URL window: a file name or address to open in the main window's engine.
class Addit2 : public forms::Form {
    Q_OBJECT
public:
    explicit Addit2(Application& app);

    void Command1_Click();
    void Command2_Click() { Unload(); }

    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    Application& app_;
};
