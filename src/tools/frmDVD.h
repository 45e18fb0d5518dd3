#pragma once

#include <memory>

#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"

class Application;
class WindowsMediaControl;

// The DVD player window: a second, self-contained player with its own engine, steered by the
// engine's own transport bar. A DVD plays when its VIDEO_TS.IFO (or any file of its VIDEO_TS
// folder) is opened.
class frmDVD : public forms::Form {
    Q_OBJECT
public:
    explicit frmDVD(Application& app);
    ~frmDVD() override;

    void Form_Resize();
    void mnufileopen_Click();
    void mnufileexit_Click();

    WindowsMediaControl* MediaPlayer1;
    std::unique_ptr<forms::CommonDialog> CommonDialog1;
    forms::MenuItem* mnufile;
    forms::MenuItem* mnufileopen;
    forms::MenuItem* mnufileBlank1;
    forms::MenuItem* mnufileproperties;
    forms::MenuItem* mnufileBlank2;
    forms::MenuItem* mnufileexit;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Application& app_;
};
