#include "tools/Form6.h"

#include <QLabel>

#include "windows/Application.h"
#include "forms/Controls.h"

Form6::Form6(Application& app) : Form(app, "Form6", forms::Border::FixedToolWindow)
{
    setCaption(QStringLiteral("Form6"));
    setClientSizeTw(6855, 3195);
    Label1 = forms::makeControl<QLabel>(client(), "Label1", 120, 120, 6495, 2895, QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
}
