#include "settings/Vid1.h"

#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <cmath>

#include "windows/Application.h"
#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"

namespace {

// The picture sizes the window has a zoom option for.
struct ZoomOption {
    WindowsMediaControl::DisplaySizeCode code;
    forms::OptionButton* Vid1::*option;
};
constexpr ZoomOption kZoomOptions[] = {
    {WindowsMediaControl::SizeFitted, &Vid1::Option6},
    {WindowsMediaControl::SizeHalf, &Vid1::Option1},
    {WindowsMediaControl::SizeThreeQuarters, &Vid1::Option2},
    {WindowsMediaControl::SizeOwn, &Vid1::Option5},
};

}  // namespace

using forms::makeControl;
using forms::OptionButton;

namespace {

// A custom step read as a floating-point number with a point or the system's decimal
// separator; an empty or non-numeric text gives none.
std::optional<double> customStep(const forms::TextBox* box)
{
    const QString text = box->text().trimmed();
    bool ok = false;
    double v = text.toDouble(&ok);
    if (!ok) {
        QLocale system;
        system.setNumberOptions(QLocale::RejectGroupSeparator);
        v = system.toDouble(text, &ok);
    }
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

Vid1::Vid1(Application& app) : Form(app, "Vid1", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Video Configuration"));
    setClientSizeTw(4800, 5040);
    Frame1 = makeControl<QGroupBox>(client(), "Frame1", 120, 0, 4575, 4935);
    Frame1->setTitle(tr("Video Settings"));
    Frame2 = makeControl<QGroupBox>(Frame1, "Frame2", 120, 240, 1575, 975);
    Frame2->setTitle(tr("Zoom"));
    Option1 = makeControl<OptionButton>(Frame1, "Option1", 240, 480, 615, 255, tr("50%"));
    Option2 = makeControl<OptionButton>(Frame1, "Option2", 840, 480, 615, 255, tr("60%"));
    Option5 = makeControl<OptionButton>(Frame1, "Option5", 240, 840, 615, 255, tr("90%"));
    Option6 = makeControl<OptionButton>(Frame1, "Option6", 840, 840, 735, 255, tr("100%"));
    Frame3 = makeControl<QGroupBox>(Frame1, "Frame3", 1800, 240, 2655, 975);
    Frame3->setTitle(tr("Video Display Size"));
    Check1 = makeControl<forms::CheckBox>(Frame3, "Check1", 120, 360, 1935, 255, tr("Allow Display Change"));
    Frame4 = makeControl<QGroupBox>(Frame1, "Frame4", 120, 1320, 4335, 735);
    Frame4->setTitle(tr("Full Screen Controls"));
    Check2 = makeControl<forms::CheckBox>(Frame1, "Check2", 240, 1560, 2295, 375, tr("Enable Full Screen Controls"));
    Frame6 = makeControl<QGroupBox>(Frame1, "Frame6", 120, 2160, 4335, 975);
    Frame6->setTitle(tr("Rewind Settings"));
    Option9 = makeControl<OptionButton>(Frame6, "Option9", 120, 240, 1335, 255, tr("Single Speed"));
    Option10 = makeControl<OptionButton>(Frame6, "Option10", 1440, 240, 1335, 255, tr("Double Speed"));
    Option3 = makeControl<OptionButton>(Frame6, "Option3", 2880, 240, 1215, 255, tr("Triple Speed"));
    Option4 = makeControl<OptionButton>(Frame6, "Option4", 120, 600, 1455, 255, tr("Custom Speed:"));
    Text1 = makeControl<forms::TextBox>(Frame6, "Text1", 1560, 600, 2655, 285, QString());
    Frame5 = makeControl<QGroupBox>(Frame1, "Frame5", 120, 3240, 4335, 975);
    Frame5->setTitle(tr("Fast Forward Settings"));
    Option12 = makeControl<OptionButton>(Frame5, "Option12", 120, 240, 1335, 255, tr("Single Speed"));
    Option11 = makeControl<OptionButton>(Frame5, "Option11", 1440, 240, 1335, 255, tr("Double Speed"));
    Option8 = makeControl<OptionButton>(Frame5, "Option8", 2880, 240, 1215, 255, tr("Triple Speed"));
    Option7 = makeControl<OptionButton>(Frame5, "Option7", 120, 600, 1455, 255, tr("Custom Speed:"));
    Text2 = makeControl<forms::TextBox>(Frame5, "Text2", 1560, 600, 2655, 285, QString());
    Command1 = makeControl<forms::CommandButton>(Frame1, "Command1", 1680, 4320, 855, 495, tr("Ok"));
    Command2 = makeControl<forms::CommandButton>(Frame1, "Command2", 2640, 4320, 855, 495, tr("Cancel"));
    Command3 = makeControl<forms::CommandButton>(Frame1, "Command3", 3600, 4320, 855, 495, tr("Apply"));
    setCancelButton(Command2);
    setCloseBoxButton(Command2);  // hides: the remote's timers read the speed choice afterwards
    forms::setTabOrder({Command1, Command2, Command3, Option1, Option2, Option5, Option6, Check1, Check2, Option9,
                        Option10, Option3, Option4, Text1, Text2, Option7, Option8, Option11, Option12});
    Frame2->lower();  // drawn behind the zoom options
    Frame4->lower();  // and behind Check2

    Text1->setAccessibleName(tr("Custom rewind speed"));
    Text2->setAccessibleName(tr("Custom fast forward speed"));
    for (forms::TextBox* box : {Text1, Text2}) {
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setEnabled(false);
    }
    forms::setBackColor(Text1, forms::kSysActiveBorder);
    forms::setBackColor(Text2, forms::kSysMenuBar);

    for (OptionButton* zoom : {Option1, Option2, Option5, Option6}) on(zoom, &OptionButton::Click, &Vid1::enableApply);
    for (forms::CheckBox* check : {Check1, Check2}) on(check, &forms::CheckBox::Click, &Vid1::enableApply);
    for (forms::TextBox* box : {Text1, Text2}) on(box, &forms::TextBox::Change, &Vid1::enableApply);
    for (OptionButton* preset : {Option9, Option10, Option3})
        on(preset, &OptionButton::Click, [this] { setCustomSpeedBox(Text1, false); });
    on(Option4, &OptionButton::Click, [this] { setCustomSpeedBox(Text1, true); });
    for (OptionButton* preset : {Option12, Option11, Option8})
        on(preset, &OptionButton::Click, [this] { setCustomSpeedBox(Text2, false); });
    on(Option7, &OptionButton::Click, [this] { setCustomSpeedBox(Text2, true); });
    on(Command1, &QPushButton::clicked, &Vid1::Command1_Click);
    on(Command2, &QPushButton::clicked, &Vid1::Command2_Click);
    on(Command3, &QPushButton::clicked, &Vid1::Command3_Click);
}

void Vid1::enableApply() { Command3->setEnabled(true); }

void Vid1::setCustomSpeedBox(forms::TextBox* box, bool custom)
{
    enableApply();
    box->setEnabled(custom);
    box->setLocked(!custom);
    forms::setBackColor(box, custom ? forms::kWhite : forms::kSysMenuBar);
}

void Vid1::Command1_Click()
{
    Hide();
    app_.forms().get<frmMain>().giveInputBack();
}

void Vid1::Command2_Click()
{
    Hide();
    app_.forms().get<frmMain>().giveInputBack();
}

void Vid1::Command3_Click()
{
    app_.forms().get<frmMain>().giveInputBack();
    frmMain& main = app_.forms().get<frmMain>();
    for (const ZoomOption& zoom : kZoomOptions)
        if ((this->*zoom.option)->value()) main.chooseDisplaySize(zoom.code);
    if (Check1->value() == 1) main.screenAndAudio->setAllowSizeChange(true);
    if (Check1->value() == 0) main.screenAndAudio->setAllowSizeChange(false);
    if (Check2->value() == 1) main.screenAndAudio->setEnableFullScreenControls(true);
    if (Check2->value() == 0) main.screenAndAudio->setEnableFullScreenControls(false);
    Command3->setEnabled(false);
}

void Vid1::showDisplaySize(int code)
{
    for (const ZoomOption& zoom : kZoomOptions) (this->*zoom.option)->setValue(code == zoom.code);
}

std::optional<double> Vid1::fastForwardStep() const
{
    if (Option12->value()) return 0.1;
    if (Option11->value()) return 0.2;
    if (Option8->value()) return 0.3;
    if (Option7->value()) return customStep(Text2);
    return std::nullopt;
}

std::optional<double> Vid1::rewindStep() const
{
    if (Option9->value()) return 0.1;
    if (Option10->value()) return 0.2;
    if (Option3->value()) return 0.3;
    if (Option4->value()) return customStep(Text1);
    return std::nullopt;
}
