#include "windows/ExitBox.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "forms/Twips.h"
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

void ExitBox::ask(const QString& question)
{
    Label1->setWordWrap(true);
    Label1->setText(question);
    const int needed = Label1->fontMetrics()
                           .boundingRect(QRect(0, 0, Label1->width(), 10000), Qt::TextWordWrap, question)
                           .height();
    const int extra = std::max(0, needed - Label1->height());
    if (extra == 0) return;
    Label1->resize(Label1->width(), Label1->height() + extra);
    for (QPushButton* b : {Command1, Command2}) b->move(b->x(), b->y() + extra);
    setClientSizeTw(2295, 990 + static_cast<int>(forms::toTwips(extra)));
}

void ExitBox::Command1_Click() { app_.endProgram(); }

void ExitBox::Command2_Click()
{
    Unload();
    app_.forms().get<frmMain>().setEnabled(true);
}
