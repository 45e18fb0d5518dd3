#include "settings/Addit2.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"

using forms::makeControl;

Addit2::Addit2(Application& app) : Form(app, "Addit2", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("OpenURL..."));
    setClientSizeTw(8415, 975);
    Text1 = makeControl<QLineEdit>(client(), "Text1", 0, 0, 8415, 375);
    Text1->setAccessibleName(tr("File name or address"));
    Command1 = makeControl<forms::CommandButton>(client(), "Command1", 2520, 480, 1575, 495, tr("Ok"));
    Command2 = makeControl<forms::CommandButton>(client(), "Command2", 4320, 480, 1575, 495, tr("Cancel"));
    setCancelButton(Command2);
    forms::setTabOrder({Text1, Command1, Command2});
    on(Command1, &QPushButton::clicked, &Addit2::Command1_Click);
    on(Command2, &QPushButton::clicked, &Addit2::Command2_Click);
}

void Addit2::Command1_Click()
{
    frmMain& main = app_.forms().get<frmMain>();
    WindowsMediaControl* engine = main.screenAndAudio;
    if (engine->PlayState() == WindowsMediaControl::Closed) main.Label4->clear();
    engine->Open(Text1->text());
    main.Label1->setVisible(engine->PacketsReceived() == 0);
    main.armForWindowsMediaPlayback();
    Unload();
}
