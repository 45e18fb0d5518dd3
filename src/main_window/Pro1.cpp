#include "main_window/Pro1.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "forms/NumberText.h"

using forms::makeControl;

Pro1::Pro1(Application& app) : Form(app, "Pro1", forms::Border::FixedToolWindow)
{
    setClientSizeTw(4695, 6735);
    Frame1 = makeControl<QFrame>(client(), "Frame1", 0, 0, 4695, 6735);
    forms::setBackColor(Frame1, forms::kSysScrollBar);
    auto line = [this](const char* name, int left, int top, int width, int height, const QString& text = {}) {
        auto* l = makeControl<QLabel>(Frame1, name, left, top, width, height, text);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    Label1 = line("Label1", 120, 240, 4455, 615);
    Label1->setWordWrap(true);
    // Label13 lies under Label2 and Label6 under Label14: the counter and the unit stay on top.
    Label13 = line("Label13", 120, 960, 4455, 255);
    Label2 = line("Label2", 120, 960, 4455, 255, QStringLiteral("0"));
    Label3 = line("Label3", 120, 1320, 4455, 255);
    Label4 = line("Label4", 120, 1680, 4455, 255);
    Label5 = line("Label5", 120, 2040, 4455, 255);
    Label6 = line("Label6", 120, 2400, 4455, 255, QStringLiteral("Clip Length: 21.10 M"));
    Label14 = line("Label14", 1320, 2400, 1935, 255);
    Label14->setVisible(false);  // shown with its unit once a clip's length is in minutes
    // Opaque in the frame's own colour, so they cover the lines beneath them rather than mixing
    // with their text.
    forms::setBackColor(Label2, forms::backColor(Frame1));
    forms::setBackColor(Label14, forms::backColor(Frame1));
    Label7 = line("Label7", 120, 2760, 4455, 255);
    Label8 = line("Label8", 120, 3120, 4455, 255);
    Label9 = line("Label9", 120, 3480, 4455, 255);
    Label10 = line("Label10", 120, 3840, 4455, 255);
    Label11 = line("Label11", 120, 4200, 4455, 255);
    Label12 = line("Label12", 120, 4680, 4455, 735);
    Label12->setWordWrap(true);
    ProgressBar1 = makeControl<QProgressBar>(Frame1, "ProgressBar1", 120, 5520, 4455, 495);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setAccessibleName(tr("Buffering"));
    Ok2 = makeControl<forms::CommandButton>(client(), "Ok2", 3600, 6120, 975, 495, tr("Ok"));
    Ok2->raise();
    on(Ok2, &QPushButton::clicked, &Pro1::Ok2_Click);
}

void Pro1::showDataRate(long bitsPerSecond)
{
    Label4->setText(bitsPerSecond == 0 ? QStringLiteral("Data Rate: Unknown")
                                       : QStringLiteral("Data Rate: ") + forms::numText(bitsPerSecond / 1000.0) +
                                             QStringLiteral(" kilobits"));
}
