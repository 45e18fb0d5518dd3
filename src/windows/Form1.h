#pragma once

#include "forms/Form.h"

class Application;
class QLabel;
class QLineEdit;
class QPushButton;

// The change-credentials window: four boxes and OK, which closes it. Nothing typed here is
// checked or kept; the login compares against its built-in pair.
class Form1 : public forms::Form {
    Q_OBJECT
public:
    explicit Form1(Application& app);

    void Command1_Click() { Unload(); }

    QLabel* Label3;
    QLineEdit* Text3;
    QLabel* Label4;
    QLineEdit* Text4;
    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QLineEdit* Text2;
    QPushButton* Command1;
};
