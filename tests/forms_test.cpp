#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

#include "forms/ColorNumber.h"
#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "forms/Keystrokes.h"
#include "forms/Twips.h"
#include "remote/Player.h"
#include "support/TestApp.h"

using namespace forms;

namespace {

// A small window for exercising the layer itself.
class Probe : public Form {
public:
    explicit Probe(Application& app) : Form(app, "Probe", Border::FixedToolWindow)
    {
        setClientSizeTw(3000, 1500);
        button = makeControl<QPushButton>(client(), "Command1", 0, 0, 855, 495, QStringLiteral("Go"));
        connect(button, &QPushButton::clicked, this, [this] { run([this] { Command1_Click(); }); });
    }
    void Form_Load() override { ++loads; }
    void Command1_Click()
    {
        if (failNext) throw std::runtime_error("The engine refused the call.");
        Unload();
        caption();  // the window is still alive while its handler runs
        ++clicks;
    }
    QPushButton* button;
    int loads = 0;
    int clicks = 0;
    bool failNext = false;
};

}  // namespace

TEST(Windows, AreCreatedHiddenOnFirstReferenceOnceAndFreshAfterUnload)
{
    TestApp t;
    EXPECT_FALSE(t.app.forms().isLoaded<Probe>());
    Probe& first = t.app.forms().get<Probe>();
    EXPECT_EQ(first.loads, 1);
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(&t.app.forms().get<Probe>(), &first);
    EXPECT_EQ(first.loads, 1);
    EXPECT_EQ(first.objectName(), QStringLiteral("Probe"));

    Player& remote = t.app.forms().get<Player>();
    remote.Vol1->setEnabled(false);
    remote.Hide();
    EXPECT_FALSE(t.app.forms().get<Player>().Vol1->isEnabled());  // hiding keeps control states
    QPointer<Player> old(&remote);
    remote.Unload();
    EXPECT_FALSE(t.app.forms().isLoaded<Player>());
    settle();
    EXPECT_TRUE(old.isNull());
    EXPECT_TRUE(t.app.forms().get<Player>().Vol1->isEnabled());  // design state again
}

TEST(Windows, UnloadFromOwnHandlerIsSafeAndCloseBoxUnloads)
{
    TestApp t;
    QPointer<Probe> probe(&t.app.forms().get<Probe>());
    probe->Show();
    EXPECT_TRUE(probe->isVisible());
    probe->button->click();
    EXPECT_EQ(probe->clicks, 1);
    EXPECT_FALSE(t.app.forms().isLoaded<Probe>());
    settle();
    EXPECT_TRUE(probe.isNull());

    probe = &t.app.forms().get<Probe>();
    probe->Show();
    probe->close();
    EXPECT_FALSE(t.app.forms().isLoaded<Probe>());
}

TEST(Windows, AFailingHandlerEndsWithAMessageAndTheWindowStaysUsable)
{
    TestApp t;
    Probe& probe = t.app.forms().get<Probe>();
    probe.failNext = true;
    probe.button->click();
    ASSERT_EQ(t.messages.shown.size(), 1u);
    EXPECT_EQ(t.messages.shown[0].text, QStringLiteral("The engine refused the call."));
    EXPECT_EQ(t.messages.shown[0].title, QStringLiteral("ZelPlayer Plus"));
    EXPECT_TRUE(t.messages.shown[0].waited);  // the person's own click
    EXPECT_TRUE(t.app.forms().isLoaded<Probe>());
    probe.failNext = false;
    probe.button->click();
    EXPECT_EQ(probe.clicks, 1);
}

// Boxes told from outside: one at a time, what comes meanwhile folded into it; a box goes with
// its owner, also one that waits, and is never deleted twice.
TEST(MessageBoxes, WhatComesFromOutsideFoldsIntoOneBoxAndEveryBoxGoesWithItsOwner)
{
    QtMessageBoxes real;
    MessageBoxes& boxes = real;
    auto owner = std::make_unique<QWidget>();
    owner->show();
    for (const char* text : {"first", "second", "first", "third", "fourth", "fifth"}) boxes.tell(owner.get(), QString::fromLatin1(text));
    settle();
    const QList<QMessageBox*> up = owner->findChildren<QMessageBox*>();
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up[0]->text(), QStringLiteral("first\n\nsecond\n\nthird\n\n2 more messages came while this one was up."));

    // The owner goes while its box waits for OK (the program ended from outside).
    owner = std::make_unique<QWidget>();
    owner->show();
    QTimer::singleShot(0, [&owner] { owner.reset(); });
    boxes.show(owner.get(), QStringLiteral("waiting"));
    EXPECT_FALSE(owner);
}

TEST(Controls, OptionButtonsRaiseClickFromCodeAndGroupByContainer)
{
    QWidget window;
    QWidget frameA(&window), frameB(&window);
    auto* a1 = new OptionButton(QStringLiteral("A1"), &frameA);
    auto* a2 = new OptionButton(QStringLiteral("A2"), &frameA);
    auto* b1 = new OptionButton(QStringLiteral("B1"), &frameB);
    frameA.setGeometry(0, 0, 200, 60);
    frameB.setGeometry(0, 60, 200, 60);
    a1->setGeometry(0, 0, 100, 20);
    a2->setGeometry(0, 30, 100, 20);
    b1->setGeometry(0, 0, 100, 20);
    window.show();
    QSignalSpy a1Clicks(a1, &OptionButton::Click), a2Clicks(a2, &OptionButton::Click);

    a1->setValue(true);
    EXPECT_EQ(a1Clicks.size(), 1);
    b1->setValue(true);
    EXPECT_TRUE(a1->value());  // another container, another group
    QTest::mouseClick(a2, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(a2Clicks.size(), 1);
    EXPECT_FALSE(a1->value());
    QTest::mouseClick(a2, Qt::LeftButton, {}, QPoint(5, 10));  // already selected: no new click
    EXPECT_EQ(a2Clicks.size(), 1);
    a2->setValue(false);
    EXPECT_FALSE(a2->value());
    EXPECT_FALSE(a1->value());
    EXPECT_EQ(a1Clicks.size(), 1);
}

TEST(Controls, CheckBoxValuesAndClicks)
{
    CheckBox box(QStringLiteral("Rewind"));
    box.resize(120, 20);
    box.show();
    QSignalSpy clicks(&box, &CheckBox::Click);
    box.setValue(1);
    EXPECT_EQ(box.value(), 1);
    box.setValue(1);
    EXPECT_EQ(clicks.size(), 1);  // no change, no click
    box.setValue(2);
    EXPECT_EQ(box.value(), 2);
    box.setValue(0);
    EXPECT_EQ(clicks.size(), 3);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, box.height() / 2));
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(clicks.size(), 4);
}

TEST(Controls, MenuItemCheckMarksAreLeftToTheHandler)
{
    QMenu menu;
    MenuItem item("mnuTest", QStringLiteral("&Test"), &menu);
    menu.addAction(&item);
    int clicks = 0;
    QObject::connect(&item, &MenuItem::Click, [&] { ++clicks; });
    item.setCheckedMark(true);
    item.trigger();  // a user's choice
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(item.checked());
    EXPECT_TRUE(item.isChecked());
    item.setCheckedMark(false);
    EXPECT_FALSE(item.isCheckable());  // an unchecked item draws no box
    EXPECT_TRUE(MenuItem("sep", QStringLiteral("-"), &menu).isSeparator());
}

TEST(Controls, TimersWithIntervalZeroNeverTick)
{
    FormTimer idle("Timer1", 0, true, nullptr);
    EXPECT_TRUE(idle.enabled());
    EXPECT_FALSE(idle.isTicking());
    FormTimer tick("Ff", 10, false, nullptr);
    int ticks = 0;
    QObject::connect(&tick, &FormTimer::Timer, [&] { ++ticks; });
    EXPECT_FALSE(tick.isTicking());
    tick.setEnabled(true);
    EXPECT_TRUE(waitFor([&] { return ticks >= 3; }));
    tick.setEnabled(false);
    EXPECT_FALSE(tick.isTicking());
}

TEST(Geometry, TwipsAndColourNumbers)
{
    EXPECT_EQ(toPixels(4695), 313);
    EXPECT_EQ(toPixels(15), 1);
    EXPECT_EQ(toPixels(-2160), -144);
    EXPECT_EQ(twipsRect(120, 240, 6855, 255), QRect(8, 16, 457, 17));
    EXPECT_EQ(toQColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0x00FF0000), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(0x00FFFFFF), QColor(255, 255, 255));
    EXPECT_EQ(toQColor(kSysMenuBar), QApplication::palette().color(QPalette::Window));
    EXPECT_EQ(toQColor(kSysButtonText), QApplication::palette().color(QPalette::ButtonText));
    QWidget w;
    setBackColor(&w, 0x000000FF);
    EXPECT_EQ(backColor(&w), 0x000000FFu);
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(255, 0, 0));
    setBackColor(&w, kSysActiveBorder);
    EXPECT_EQ(backColor(&w), kSysActiveBorder);
}

TEST(FileDialogs, FilterPairsBecomeOneChoiceEach)
{
    const auto filters = parseFilter(QStringLiteral(
        "Audio Files (*.wav;*.mp3;*.wma;*) | *.wav*;*.mp3*;*.wma*|Video Files (*.mpg;*.MPEG;*.avi;*.wmv;*)|"
        "*.MPG*;*.MPEG*;*.avi*;*.wmv*|Playstation Audio Files (*.swp*)|*.swp*|Playstation 2 DVD Movies (*.pss*)|"
        "*.pss*|All Files (*.*)|*.*"));
    ASSERT_EQ(filters.size(), 5u);
    EXPECT_EQ(filters[0].description, QStringLiteral("Audio Files (*.wav;*.mp3;*.wma;*)"));
    EXPECT_EQ(filters[0].patterns, (QStringList{"*.wav*", "*.mp3*", "*.wma*"}));
    EXPECT_EQ(filters[4].patterns, QStringList{"*.*"});
    EXPECT_TRUE(parseFilter(QString()).empty());
}

TEST(FileDialogs, CancelKeepsThePreviousNameAndSaysSo)
{
    ScriptedFileDialogs dialogs;
    CommonDialog dlg(dialogs, nullptr, QStringLiteral("Open Video or Audio File"));
    dlg.Filter = QStringLiteral("Real|*.rm");
    dialogs.answers = {QStringLiteral("/media/clip.rm"), QString()};
    EXPECT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(dlg.DialogFileName(), QStringLiteral("/media/clip.rm"));
    EXPECT_EQ(dlg.DialogFileTitle(), QStringLiteral("clip.rm"));
    EXPECT_FALSE(dlg.ShowOpen());
    EXPECT_TRUE(dlg.lastCancelled());
    EXPECT_EQ(dlg.DialogFileName(), QStringLiteral("/media/clip.rm"));
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("Open Video or Audio File"));
    EXPECT_EQ(dialogs.requests[1].initialFileName, QStringLiteral("/media/clip.rm"));
}

TEST(Keystrokes, GoToTheFocusedControl)
{
    QLineEdit box;
    box.setText(QStringLiteral("secret"));
    box.show();
    box.activateWindow();
    box.setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == &box; }));
    sendKeys({QKeyCombination(Qt::Key_Home), QKeyCombination(Qt::ShiftModifier, Qt::Key_End)});
    EXPECT_EQ(box.selectedText(), QStringLiteral("secret"));
}
