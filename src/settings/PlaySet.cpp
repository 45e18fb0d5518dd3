#include "settings/PlaySet.h"

#include <QPushButton>
#include <QSlider>

#include "app/Application.h"

using forms::makeControl;

namespace {

// A caption drawn in a text box: locked, disabled, multi-line, on the menu-bar colour.
forms::TextBox* captionBox(QWidget* parent, const char* name, const QString& text, int l, int t, int w, int h)
{
    auto* box = makeControl<forms::TextBox>(parent, name, l, t, w, h, text);
    box->setLocked(true);
    box->setEnabled(false);
    box->setFrameStyle(QFrame::NoFrame);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    forms::setBackColor(box, forms::kSysMenuBar);
    return box;
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
    Text2 = captionBox(c, "Text2",
                       QStringLiteral("Left") + QString(36, QLatin1Char(' ')) + QStringLiteral("Center") +
                           QString(36, QLatin1Char(' ')) + QStringLiteral("Right"),
                       120, 960, 4575, 285);
    Text3 = captionBox(c, "Text3", QStringLiteral("ZelPlayer Plus Volume.\r\n"), 1440, 1440, 1815, 285);
    Slider2 = slider(c, "Slider2", 120, 1800, 4575, 375, tr("Volume"));
    Text4 = captionBox(c, "Text4",
                       QStringLiteral("Low") + QString(35, QLatin1Char(' ')) + QStringLiteral("Medium") +
                           QString(36, QLatin1Char(' ')) + QStringLiteral("High"),
                       120, 2280, 4575, 285);
    Text4->setLocked(false);
    Text5 = captionBox(c, "Text5", QStringLiteral("Playstate.\r\n"), 2040, 2760, 855, 285);
    Option1 = makeControl<forms::OptionButton>(c, "Option1", 120, 3240, 2415, 375, tr("Play Media Once."));
    Option2 = makeControl<forms::OptionButton>(c, "Option2", 2640, 3240, 2055, 375, tr("Repeat Media."));
    Option3 = makeControl<forms::CheckBox>(c, "Option3", 120, 3720, 4575, 495, tr("Rewind when finished Playing"));
    Command1 = makeControl<forms::CommandButton>(c, "Command1", 1920, 4440, 855, 495, tr("Ok"));
    Command2 = makeControl<forms::CommandButton>(c, "Command2", 2880, 4440, 855, 495, tr("Cancel"));
    Command3 = makeControl<forms::CommandButton>(c, "Command3", 3840, 4440, 855, 495, tr("Apply"));
    setCancelButton(Command2);
    QWidget* order[] = {Command1, Command2, Command3, Slider1, Slider2, Option1, Option2, Option3};
    for (size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}
