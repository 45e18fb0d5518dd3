#include "windows/frmSplash.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "windows/Application.h"
#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"

using forms::makeControl;

namespace {

QFont arial(double points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int l, int t, int w, int h, const QFont& font,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop, bool autoSize = false)
{
    auto* lbl = makeControl<QLabel>(parent, name, l, t, w, h, text);
    lbl->setFont(font);
    lbl->setAlignment(align);
    lbl->setWordWrap(!autoSize);
    if (autoSize) {
        // An auto-size label with right alignment keeps its right edge.
        const int right = lbl->geometry().right();
        lbl->adjustSize();
        if (align & Qt::AlignRight) lbl->move(right - lbl->width() + 1, lbl->y());
    }
    return lbl;
}

}  // namespace

frmSplash::frmSplash(Application& app) : Form(app, "frmSplash", forms::Border::None), app_(app)
{
    setClientSizeTw(7290, 4065);
    setBackColor(0x8000000F);
    // No title text: an empty title would make the desktop show the program's name instead.
    setCaption(QStringLiteral(" "));
    setAccessibleName(tr("ZelPlayer Plus start-up"));

    Frame1 = makeControl<QGroupBox>(client(), "Frame1", 120, 0, 7080, 3940);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    lblLicenseTo = label(Frame1, "lblLicenseTo", tr("Licensed to the person at this desk"), 120, 240, 6855, 255,
                         arial(8.25), right);
    lblCompanyProduct = label(Frame1, "lblCompanyProduct", tr("ZelSoft Media"), 2280, 705, 3945, 435,
                              arial(18, true), Qt::AlignLeft | Qt::AlignTop, true);
    Command1 = makeControl<forms::CommandButton>(Frame1, "Command1", 120, 720, 1815, 855, tr("Enter ZelPlayer Plus!"));
    Command1->setEnabled(false);
    lblProductName = label(Frame1, "lblProductName", tr("ZelPlayer Plus"), 2280, 1140, 4575, 765, arial(32.25, true),
                           Qt::AlignLeft | Qt::AlignTop, true);
    Label1 = label(Frame1, "Label1", tr("Choose which mode you want to use ZelPlayer in:"), 120, 1680, 1815, 495,
                   font());
    Option1 = makeControl<forms::OptionButton>(Frame1, "Option1", 120, 2160, 1815, 255, tr("Standard Mode"));
    lblPlatform = label(Frame1, "lblPlatform", tr("Platform: MediaPlayer"), 3570, 2340, 3285, 360, arial(15.75, true),
                        right, true);
    Option2 = makeControl<forms::OptionButton>(Frame1, "Option2", 120, 2520, 1815, 255, tr("Decrypter Mode"));
    lblVersion = label(Frame1, "lblVersion", tr("Version: 5.1a"), 5355, 2700, 1500, 285, arial(12, true), right, true);
    lblCopyright = label(Frame1, "lblCopyright", tr("\u00A9 2026 ZelSoft"), 4440, 3060, 2535,
                         195, arial(8.25));
    lblCompany = label(Frame1, "lblCompany", tr("ZelSoft"), 4440, 3240, 2415, 255, arial(8.25));
    lblWarning = label(Frame1, "lblWarning",
                       tr("Warning: This program is OS Windows Based and requires at the minimum Windows Media "
                          "Codecs to run."),
                       120, 3480, 6855, 435, arial(8.25));
    Text1 = makeControl<QLineEdit>(Frame1, "Text1", -2160, 240, 8295, 285, tr("ZelPlayer Plus start-up"));
    Text1->setVisible(false);

    forms::setTabOrder({Command1, Text1, Option1, Option2});

    on(Option1, &forms::OptionButton::Click, &frmSplash::Option1_Click);
    on(Option2, &forms::OptionButton::Click, &frmSplash::Option2_Click);
    on(Command1, &QPushButton::clicked, &frmSplash::Command1_Click);
}

void frmSplash::Option1_Click() { Command1->setEnabled(true); }

void frmSplash::Option2_Click() { Command1->setEnabled(true); }

void frmSplash::Command1_Click()
{
    auto& forms = app_.forms();
    frmMain& main = forms.get<frmMain>();
    main.Show();
    Hide();
    forms.get<Player>().setVisible(false);
    main.screenAndAudio->setShowPositionControls(false);  // 1025
    main.sbStatusBar->setVisible(false);
    main.screenAndAudio->setShowControls(false);          // 1021
    main.mnuviewzoom->setEnabled(false);
    main.mnufileproperties->setEnabled(false);
    main.mnuviewfullscreen->setEnabled(false);
    main.screenAndAudio->setShowStatusBar(false);         // 1045
    forms.get<Player>().Vol1->setEnabled(false);
    if (Option2->value()) {
        main.mnufileopen->setText(tr("&Open Media File"));
        main.mnufileopenreal->setVisible(false);
    }
}

void frmSplash::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!positioned_) {
        positioned_ = true;
        if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    }
}
