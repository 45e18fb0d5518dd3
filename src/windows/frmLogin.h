#pragma once

#include "forms/Form.h"

class Application;
class QLabel;
class QLineEdit;
class QPushButton;

// The login window: a user name and a password compared with the one built-in pair. The right
// pair shows the start-up window; the right name with a wrong password says so; Cancel ends the
// program.
class frmLogin : public forms::Form {
    Q_OBJECT
public:
    explicit frmLogin(Application& app);

    void txtUserName_Change();
    void txtPassword_Change();
    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblLabels[2];
    QLineEdit* txtUserName;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private:
    Application& app_;
};
