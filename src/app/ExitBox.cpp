#include "app/ExitBox.h"

#include <QLabel>
#include <QPushButton>

#include "app/Application.h"
#include "forms/Controls.h"
#include "main_window/frmMain.h"

using forms::makeControl;

ExitBox::ExitBox(Application& app) : Form(app, "ExitBox", forms::Border::SizableNoMinMax), app_(app)
{
    setCaption(tr("Exit?"));
    setClientSizeTw(2295, 990);
    Label1 = makeControl<QLabel>(client(), "Label1", 120, 120, 1935, 255, tr("Do you wish to exit?"));
    Command1 = makeControl<forms::CommandButton>(client(), "Command1", 240, 480, 855, 375, tr("Yes"));
    Command2 = makeControl<forms::CommandButton>(client(), "Command2", 1200, 480, 855, 375, tr("No"));
    forms::setTabOrder({Command1, Command2});
    on(Command1, &QPushButton::clicked, &ExitBox::Command1_Click);
    on(Command2, &QPushButton::clicked, &ExitBox::Command2_Click);
}

void ExitBox::Command1_Click() { app_.endProgram(); }

void ExitBox::Command2_Click()
{
    Unload();
    app_.forms().get<frmMain>().setEnabled(true);
}
