#pragma once

#include "forms/Form.h"

class Application;
class QLabel;
class QPushButton;
namespace forms {
class Line;
}

// The About box: the program's title and version, a warning, OK, and "Player Info..." which
// starts the system-information program named in the registry.
class frmAbout : public forms::Form {
    Q_OBJECT
public:
    explicit frmAbout(Application& app);

    void Form_Load() override;
    void cmdOK_Click() { Unload(); }
    void cmdSysInfo_Click() { StartSysInfo(); }
    // Finds the system-information program through the registry and starts it; says so when
    // there is none or it cannot be started.
    void StartSysInfo();

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    forms::Line* Line1[2];
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Application& app_;
};
