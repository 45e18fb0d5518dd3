#include "tools/Form3.h"

#include <QMenuBar>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "richtext/RichTextBox.h"

Form3::Form3(Application& app) : Form(app, "Form3", forms::Border::FixedToolWindow)
{
    setCaption(QStringLiteral("Form3"));
    setClientSizeTw(9615, 7575);
    RichTextBox1 = forms::makeControl<RichTextBox>(client(), "RichTextBox1", 0, 0, 6735, 6015);
    RichTextBox1->setAccessibleName(tr("Text of the opened file"));
    CommonDialog1 = std::make_unique<forms::CommonDialog>(app.fileDialogs(), this);

    QMenuBar* bar = makeMenuBar();
    Open = new forms::MenuItem("Open", tr("Open"), this);
    bar->addAction(Open);
    setMenuBar(bar);
    on(Open, &forms::MenuItem::Click, &Form3::Open_Click);
}

Form3::~Form3() = default;

void Form3::Open_Click()
{
    CommonDialog1->Filter = QStringLiteral("Adobe Acrobat Versions 1 - 6 Document (*.pdf*)|*.txt*");
    // A cancelled dialog loads nothing; the text shown stays.
    if (!CommonDialog1->ShowOpen()) return;
    // Read off the UI thread; the text shown stays until the new one is there.
    const QString path = CommonDialog1->DialogFileName();
    RichTextBox1->LoadFile(path, RichTextBox::FileKind::RtfOrText, [this, path](const QString& problem) {
        runEvent([&] {
            if (!problem.isEmpty()) env().report(this, cannotOpenFile(path, problem));
        });
    });
}
