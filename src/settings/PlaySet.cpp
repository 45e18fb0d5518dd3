#include "settings/PlaySet.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "windows/Application.h"
#include "forms/Twips.h"
#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"

using forms::makeControl;

namespace {

// A caption drawn in a text box: locked, disabled, multi-line, on the menu-bar colour.
forms::TextBox* captionBox(QWidget* parent, const char* name, const QString& text, int l, int t, int w, int h)
{
    auto* box = makeControl<forms::TextBox>(parent, name, l, t, w, h, text);
    box->setAccessibleName(text.simplified());
    box->setLocked(true);
    box->setEnabled(false);
    box->setFrameStyle(QFrame::NoFrame);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->document()->setDocumentMargin(0);
    forms::setBackColor(box, forms::kSysMenuBar);
    return box;
}

// Three words spread by runs of spaces so they sit under the left end, the middle and the right
// end of a box of the given width.
QString spreadWords(const QString& left, const QString& middle, const QString& right, int widthTw)
{
    const QFontMetrics fm(QApplication::font());
    const int width = forms::toPixels(widthTw) - 2;
    const int space = std::max(1, fm.horizontalAdvance(QLatin1Char(' ')));
    const int firstGap = (width / 2 - fm.horizontalAdvance(left) - fm.horizontalAdvance(middle) / 2) / space;
    const int secondGap = (width - width / 2 - fm.horizontalAdvance(middle) / 2 - fm.horizontalAdvance(right)) / space;
    return left + QString(std::max(1, firstGap), QLatin1Char(' ')) + middle +
           QString(std::max(1, secondGap), QLatin1Char(' ')) + right;
}

QSlider* slider(QWidget* parent, const char* name, int l, int t, int w, int h, const QString& accessibleName)
{
    auto* s = makeControl<QSlider>(parent, name, l, t, w, h, Qt::Horizontal);
    s->setRange(0, 10);
    s->setSingleStep(1);
    s->setPageStep(5);
    s->setValue(0);
    s->setTickPosition(QSlider::TicksBelow);
    s->setAccessibleName(accessibleName);
    return s;
}

}  // namespace

PlaySet::PlaySet(Application& app) : Form(app, "PlaySet", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Audio Configuration"));
    setClientSizeTw(4830, 5010);
    forms::setForeColor(this, forms::kSysHighlightText);
    QWidget* c = client();
    Text1 = captionBox(c, "Text1", QStringLiteral("Balance.\r\n"), 2040, 120, 735, 285);
    Slider1 = slider(c, "Slider1", 120, 480, 4575, 375, tr("Balance"));
    Text2 = captionBox(c, "Text2", spreadWords(tr("Left"), tr("Center"), tr("Right"), 4575), 120, 960, 4575, 285);
    Text3 = captionBox(c, "Text3", QStringLiteral("ZelPlayer Plus Volume.\r\n"), 1440, 1440, 1815, 285);
    Slider2 = slider(c, "Slider2", 120, 1800, 4575, 375, tr("Volume"));
    Text4 = captionBox(c, "Text4", spreadWords(tr("Low"), tr("Medium"), tr("High"), 4575), 120, 2280, 4575, 285);
    Text4->setLocked(false);
    Text5 = captionBox(c, "Text5", QStringLiteral("Playstate.\r\n"), 2040, 2760, 855, 285);
    Option1 = makeControl<forms::OptionButton>(c, "Option1", 120, 3240, 2415, 375, tr("Play Media Once."));
    Option2 = makeControl<forms::OptionButton>(c, "Option2", 2640, 3240, 2055, 375, tr("Repeat Media."));
    Option3 = makeControl<forms::CheckBox>(c, "Option3", 120, 3720, 4575, 495, tr("Rewind when finished Playing"));
    Command1 = makeControl<forms::CommandButton>(c, "Command1", 1920, 4440, 855, 495, tr("Ok"));
    Command2 = makeControl<forms::CommandButton>(c, "Command2", 2880, 4440, 855, 495, tr("Cancel"));
    Command3 = makeControl<forms::CommandButton>(c, "Command3", 3840, 4440, 855, 495, tr("Apply"));
    setCancelButton(Command2);
    setCloseBoxButton(Command2);  // gives the media control its input back
    forms::setTabOrder({Command1, Command2, Command3, Slider1, Slider2, Option1, Option2, Option3});

    const auto enableApply = [this] { Command3->setEnabled(true); };
    on(Option1, &forms::OptionButton::Click, &PlaySet::Option1_Click);
    on(Option2, &forms::OptionButton::Click, &PlaySet::Option2_Click);
    on(Option3, &forms::CheckBox::Click, enableApply);
    on(Slider1, &QSlider::valueChanged, enableApply);
    on(Slider2, &QSlider::valueChanged, enableApply);
    on(Command1, &QPushButton::clicked, &PlaySet::Command1_Click);
    on(Command2, &QPushButton::clicked, &PlaySet::Command2_Click);
    on(Command3, &QPushButton::clicked, &PlaySet::Command3_Click);
}

int PlaySet::balanceFor(int position)
{
    static constexpr int table[] = {-9999, -1500, -800, -500, -200, 0, 200, 500, 800, 1500, 9999};
    return table[std::clamp(position, 0, 10)];
}

int PlaySet::volumeFor(int position)
{
    static constexpr int table[] = {-6000, -1800, -1600, -1400, -1200, -1000, -800, -600, -400, -200, 0};
    return table[std::clamp(position, 0, 10)];
}

void PlaySet::Option1_Click()
{
    if (!Option1->value()) return;
    Option3->setValue(1);
    Option3->setEnabled(true);
    Command3->setEnabled(true);
}

void PlaySet::Option2_Click()
{
    if (!Option2->value()) return;
    forms::setForeColor(Option3, forms::kSysButtonText);
    Option3->setEnabled(false);
    Command3->setEnabled(true);
}

void PlaySet::Command1_Click()
{
    Hide();
    app_.forms().get<frmMain>().giveInputBack();
}

void PlaySet::Command2_Click()
{
    Unload();
    app_.forms().get<frmMain>().giveInputBack();
}

void PlaySet::Command3_Click()
{
    WindowsMediaControl& wmp = *app_.forms().get<frmMain>().screenAndAudio;
    Player& remote = app_.forms().get<Player>();
    wmp.setBalance(balanceFor(Slider1->value()));
    if (Slider2->value() == 0) {
        wmp.setVolume(volumeFor(0));
        remote.Mute1->setEnabled(false);
    } else {
        remote.Mute1->setEnabled(true);
        wmp.setMute(false);
        wmp.setVolume(volumeFor(Slider2->value()));
    }
    if (Option1->value()) wmp.setPlayCount(1);
    if (Option2->value()) wmp.setPlayCount(WindowsMediaControl::kRepeatForever);
    if (Option3->value() == 1) wmp.setAutoRewind(true);
    if (Option3->value() == 0) wmp.setAutoRewind(false);
    if (Option2->value()) Option3->setEnabled(false);
    if (Option1->value() && wmp.AutoRewind()) Option3->setValue(1);
    Command3->setEnabled(false);
    remote.Vol1->setEnabled(Slider2->value() != 10);
    remote.Volume2->setEnabled(Slider2->value() != 0);
}
