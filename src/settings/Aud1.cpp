#include "settings/Aud1.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "windows/Application.h"
#include "main_window/frmMain.h"
#include "remote/Player.h"

using forms::makeControl;

Aud1::Aud1(Application& app) : Form(app, "Aud1", forms::Border::FixedToolWindow), app_(app)
{
    setClientSizeTw(4830, 5400);
    Frame1 = makeControl<QGroupBox>(client(), "Frame1", 0, 0, 4815, 5415);
    Frame1->setTitle(tr("Audio Settings"));
    Label1 = makeControl<QLabel>(Frame1, "Label1", 120, 1680, 3255, 255, tr("Audio/Video Codecs present:"));
    Text1 = makeControl<forms::TextBox>(Frame1, "Text1", 120, 1920, 4575, 285, QString());
    Text2 = makeControl<forms::TextBox>(Frame1, "Text2", 120, 2280, 4575, 2295, QStringLiteral("Text2"));
    Command1 = makeControl<forms::CommandButton>(Frame1, "Command1", 1920, 4800, 855, 495, tr("Ok"));
    Command2 = makeControl<forms::CommandButton>(Frame1, "Command2", 2880, 4800, 855, 495, tr("Cancel"));
    Command3 = makeControl<forms::CommandButton>(Frame1, "Command3", 3840, 4800, 855, 495, tr("Apply"));
    Text1->setAccessibleName(Label1->text());
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCancelButton(Command2);
    setCloseBoxButton(Command1);  // gives input back; otherwise the main window would stay locked
    forms::setTabOrder({Command1, Command2, Command3, Text1, Text2});
    on(Command1, &QPushButton::clicked, &Aud1::Command1_Click);
    on(Command2, &QPushButton::clicked, &Aud1::Command2_Click);
}

void Aud1::Command1_Click()
{
    app_.forms().get<frmMain>().setEnabled(true);
    app_.forms().get<Player>().setEnabled(true);
    Unload();
}
