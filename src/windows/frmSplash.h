#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

class Application;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The start-up window: the choice between Standard and Decrypter Mode and the way in.
class frmSplash : public forms::Form {
    Q_OBJECT
public:
    explicit frmSplash(Application& app);

    void Option1_Click();
    void Option2_Click();
    void Command1_Click();

    QGroupBox* Frame1;
    QLabel* lblLicenseTo;
    QLabel* lblCompanyProduct;
    QPushButton* Command1;
    QLabel* lblProductName;
    QLabel* Label1;
    forms::OptionButton* Option1;
    QLabel* lblPlatform;
    forms::OptionButton* Option2;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QLabel* lblCompany;
    QLabel* lblWarning;
    QLineEdit* Text1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Application& app_;
    bool positioned_ = false;
};
