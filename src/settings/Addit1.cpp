#include "settings/Addit1.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "windows/Application.h"
#include "windows/ExitBox.h"
#include "windows/Form1.h"
#include "windows/frmAbout.h"
#include "windows/frmLogin.h"
#include "windows/frmSplash.h"
#include "forms/Controls.h"
#include "main_window/Pro1.h"
#include "main_window/frmMain.h"
#include "playlist/Form2.h"
#include "remote/Player.h"
#include "settings/Addit2.h"
#include "settings/Aud1.h"
#include "settings/PlaySet.h"
#include "settings/Vid1.h"
#include "tools/CDPlayer.h"
#include "tools/CalFrm.h"

using forms::makeControl;

namespace {

template <class T> struct MemberOf;
template <class W, class M> struct MemberOf<M W::*> {
    using Window = W;
};

// A window of the list, created hidden when it does not exist yet.
template <class W> QWidget* windowRow(Application& app) { return &app.forms().get<W>(); }
// One control of a window, by its member.
template <auto Member> QWidget* controlRow(Application& app)
{
    using W = typename MemberOf<decltype(Member)>::Window;
    return app.forms().get<W>().*Member;
}

struct Entry {
    const char* text;
    forms::ColorNumber colour;
};

// The colour list. "Default", "Red" and "Blue" are the program's own; the others are the plain
// colours their names say.
constexpr Entry kEntries[] = {
    {"Default", 0x8000000B}, {"Red", 0x000000FF},     {"Blue", 0x00FF0000},      {"Yellow", 0x0000FFFF},
    {"Green", 0x00008000},   {"Orange", 0x0000A5FF},  {"Purple", 0x00800080},    {"White", 0x00FFFFFF},
    {"Black", 0x00000000},   {"Pink", 0x00CBC0FF},    {"Light Red", 0x008080FF}, {"Cyan", 0x00FFFF00},
    {"Magenta", 0x00FF00FF}, {"Gold", 0x0000D7FF},    {"Violet", 0x00EE82EE},    {"Lime", 0x0000FF00},
    {"Forest Green", 0x00228B22},
};
constexpr int kRed = 1, kBlue = 2;

}  // namespace

const std::vector<Addit1::Target>& Addit1::fullReach()
{
    static const std::vector<Target> targets{
        {windowRow<frmMain>},         {controlRow<&frmMain::Label1>}, {controlRow<&frmMain::Label2>}, {controlRow<&frmMain::Label3>},
        {controlRow<&frmMain::Label4>}, {controlRow<&frmMain::Label5>},
        {windowRow<Pro1>},
        {windowRow<Addit1>},
        {windowRow<Addit2>},
        {windowRow<Aud1>},
        {windowRow<CalFrm>},
        {windowRow<CDPlayer>},
        {windowRow<ExitBox>},         {controlRow<&ExitBox::Command1>}, {controlRow<&ExitBox::Command2>}, {controlRow<&ExitBox::Label1>},
        {windowRow<Form1>},
        {windowRow<Form2>},           {controlRow<&Form2::Command1>}, {controlRow<&Form2::Command2>}, {controlRow<&Form2::Command3>},
        {controlRow<&Form2::Command4>},
        {windowRow<frmAbout>},
        {windowRow<frmLogin>},
        {windowRow<frmMain>},
        {windowRow<frmSplash>},
        {windowRow<Player>},
        {windowRow<Vid1>},            {controlRow<&Vid1::Command1>}, {controlRow<&Vid1::Command2>}, {controlRow<&Vid1::Command3>},
        {controlRow<&Vid1::Frame1>},  {controlRow<&Vid1::Frame2>},   {controlRow<&Vid1::Frame3>},   {controlRow<&Vid1::Frame4>},
        {controlRow<&Vid1::Check1>},  {controlRow<&Vid1::Check2>},   {controlRow<&Vid1::Option1>},  {controlRow<&Vid1::Option2>},
        {controlRow<&Vid1::Option5>}, {controlRow<&Vid1::Option6>},
        {controlRow<&Addit1::Frame1>}, {controlRow<&Addit1::Frame2>}, {controlRow<&Addit1::Command1>},
        {controlRow<&Addit1::Command2>}, {controlRow<&Addit1::Command3>},
        {controlRow<&Pro1::Frame1>},  {controlRow<&Pro1::Ok2>},     {controlRow<&Pro1::Label1>},   {controlRow<&Pro1::Label2>},
        {controlRow<&Pro1::Label3>},  {controlRow<&Pro1::Label4>},  {controlRow<&Pro1::Label5>},   {controlRow<&Pro1::Label6>},
        {controlRow<&Pro1::Label7>},  {controlRow<&Pro1::Label8>},  {controlRow<&Pro1::Label9>},   {controlRow<&Pro1::Label10>},
        {controlRow<&Pro1::Label11>},
        {controlRow<&Player::Un1>},   {controlRow<&Player::Un2>},   {controlRow<&Player::Stop1>},  {controlRow<&Player::Vol1>},
        {controlRow<&Player::Volume2>}, {controlRow<&Player::Mute1>}, {controlRow<&Player::Command3>},
        {controlRow<&Player::Command4>},
        {controlRow<&PlaySet::Command1>}, {controlRow<&PlaySet::Command2>}, {controlRow<&PlaySet::Command3>},
        {controlRow<&PlaySet::Option1>}, {controlRow<&PlaySet::Option2>}, {controlRow<&PlaySet::Option3>},
        {controlRow<&PlaySet::Text1>}, {controlRow<&PlaySet::Text2>}, {controlRow<&PlaySet::Text3>}, {controlRow<&PlaySet::Text4>},
        {controlRow<&PlaySet::Text5>}, {windowRow<PlaySet>},
        {controlRow<&Aud1::Command1>}, {controlRow<&Aud1::Command2>}, {controlRow<&Aud1::Command3>}, {windowRow<Aud1>},
        {controlRow<&Aud1::Frame1>},
        {windowRow<CalFrm>},          {controlRow<&CalFrm::Calendar1>}, {controlRow<&CalFrm::Command1>},
    };
    return targets;
}

const std::vector<Addit1::Target>& Addit1::mainWindowOnly()
{
    static const std::vector<Target> targets{{windowRow<frmMain>}, {controlRow<&frmMain::Label1>},
                                             {controlRow<&frmMain::Label2>}, {controlRow<&frmMain::Label3>},
                                             {controlRow<&frmMain::Label4>}};
    return targets;
}

std::optional<forms::ColorNumber> Addit1::colourOf(int listIndex)
{
    if (listIndex < 0 || listIndex >= static_cast<int>(std::size(kEntries))) return std::nullopt;
    return kEntries[listIndex].colour;
}

Addit1::Addit1(Application& app) : Form(app, "Addit1", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Player preferences"));
    setClientSizeTw(5535, 6750);
    Frame1 = makeControl<QGroupBox>(client(), "Frame1", 0, 0, 5535, 2775);
    Frame1->setTitle(tr("Background Colour"));
    Combo1 = makeControl<QComboBox>(Frame1, "Combo1", 120, 360, 5295, 315);
    Frame2 = makeControl<QGroupBox>(client(), "Frame2", 0, 2760, 5535, 3375);
    Frame2->setTitle(tr("Font Colour"));
    Combo2 = makeControl<QComboBox>(Frame2, "Combo2", 120, 360, 5295, 315);
    for (int i = 0; i < static_cast<int>(std::size(kEntries)); ++i) Combo1->addItem(tr(kEntries[i].text), i);
    for (QComboBox* combo : {Combo1, Combo2}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);  // a typed text chooses nothing and adds no entry
        combo->setCurrentIndex(-1);
        combo->setEditText(tr("Select..."));
    }
    for (auto [combo, frame] : {std::pair{Combo1, Frame1}, std::pair{Combo2, Frame2}}) {
        combo->setAccessibleName(frame->title());
        combo->lineEdit()->setAccessibleName(frame->title());
    }
    Command1 = makeControl<forms::CommandButton>(client(), "Command1", 480, 6240, 1455, 495, tr("Ok"));
    Command2 = makeControl<forms::CommandButton>(client(), "Command2", 2040, 6240, 1455, 495, tr("Cancel"));
    Command3 = makeControl<forms::CommandButton>(client(), "Command3", 3600, 6240, 1455, 495, tr("Apply"));
    setCancelButton(Command2);
    forms::setTabOrder({Command1, Command2, Frame1, Frame2, Command3, Combo1, Combo2});
    on(Command1, &QPushButton::clicked, &Addit1::Command1_Click);
    on(Command2, &QPushButton::clicked, &Addit1::Command2_Click);
    on(Command3, &QPushButton::clicked, &Addit1::Command3_Click);
}

void Addit1::Command3_Click()
{
    // A typed text that is not an entry of the list chooses nothing.
    const int index = Combo1->currentText() == Combo1->itemText(Combo1->currentIndex()) ? Combo1->currentIndex() : -1;
    const std::optional<forms::ColorNumber> colour = colourOf(index);
    if (!colour) return;
    if (index == kBlue) {
        paint(mainWindowOnly(), *colour);
        return;
    }
    if (index == kRed) app_.forms().get<frmMain>().mnufileopen->setEnabled(true);
    paint(fullReach(), *colour);
}

void Addit1::paint(const std::vector<Target>& targets, forms::ColorNumber colour)
{
    for (const Target& target : targets) {
        QWidget* w = target.locate(app_);
        if (auto* form = qobject_cast<forms::Form*>(w)) form->applyBackColor(colour);
        else forms::paintControl(w, colour);
    }
}
