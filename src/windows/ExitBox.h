#pragma once

#include "forms/Form.h"

class Application;
class QLabel;
class QPushButton;

// The exit box: "Yes" ends the program at once, "No" closes the box and gives the main window
// its input back.
class ExitBox : public forms::Form {
    Q_OBJECT
public:
    explicit ExitBox(Application& app);

    void Command1_Click();  // Yes
    void Command2_Click();  // No

    // Asks the question given in place of the designed one. A question longer than the label's
    // line wraps, and the box grows by the lines it takes, its buttons moving down with it.
    void ask(const QString& question);

    QLabel* Label1;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    Application& app_;
};
