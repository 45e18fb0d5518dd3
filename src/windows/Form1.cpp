#include "windows/Form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "windows/Application.h"
#include "forms/Controls.h"

using forms::makeControl;

Form1::Form1(Application& app) : Form(app, "Form1", forms::Border::Sizable)
{
    setCaption(QStringLiteral("Form1"));
    setClientSizeTw(4740, 1995);
    const auto row = [this](const char* labelName, const char* boxName, int top, const QString& caption,
                            QLabel*& label, QLineEdit*& box) {
        label = makeControl<QLabel>(client(), labelName, 0, top, 1695, 255, caption);
        box = makeControl<QLineEdit>(client(), boxName, 1560, top, 3135, 285);
        box->setAccessibleName(caption);
    };
    row("Label3", "Text3", 0, tr("Old User ID"), Label3, Text3);
    row("Label4", "Text4", 360, tr("Old Password"), Label4, Text4);
    row("Label1", "Text1", 720, tr("New User ID"), Label1, Text1);
    row("Label2", "Text2", 1080, tr("New Password"), Label2, Text2);
    Command1 = makeControl<forms::CommandButton>(client(), "Command1", 1680, 1440, 1455, 495, tr("OK"));
    // The focus starts in "New User ID".
    forms::setTabOrder({Text1, Text2, Text3, Text4, Command1});
    on(Command1, &QPushButton::clicked, &Form1::Command1_Click);
}
