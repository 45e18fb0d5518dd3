// The side tools: calendar, file browser, DVD window.
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "app/ExitBox.h"
#include "remote/Player.h"
#include "support/Started.h"
#include "tools/CalFrm.h"
#include "tools/frmDVD.h"

TEST(Calendar, ShowsTodayAndLocksInputUntilOkThenTheRemoteUnlocksTheEngine)
{
    Started s;
    frmMain& m = s.main();
    Player& remote = s.form<Player>();
    m.mnuviewcalendar->trigger();
    CalFrm& c = s.form<CalFrm>();
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(c.caption(), QStringLiteral("Calendar"));
    EXPECT_EQ(c.Calendar1->selectedDate(), QDate::currentDate());
    EXPECT_EQ(c.Calendar1->monthShown(), QDate::currentDate().month());
    EXPECT_FALSE(m.isEnabled());
    EXPECT_FALSE(remote.isEnabled());
    EXPECT_FALSE(m.screenAndAudio->isEnabled());

    c.Command1->click();
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<CalFrm>());
    EXPECT_TRUE(m.isEnabled());
    EXPECT_TRUE(remote.isEnabled());
    EXPECT_FALSE(m.screenAndAudio->isEnabled());  // until a remote button gives it back
    remote.Un1->click();
    EXPECT_TRUE(m.screenAndAudio->isEnabled());

    // The close box ends the window as Ok does.
    m.mnuviewcalendar->trigger();
    s.form<CalFrm>().close();
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<CalFrm>());
    EXPECT_TRUE(m.isEnabled());
    EXPECT_TRUE(remote.isEnabled());
}

TEST(DvdWindow, ItsOwnEngineFillsTheClientAreaAndItsMenuOpensAndAsksBeforeExit)
{
    Started s;
    s.main().frmDVDPlayer->trigger();
    frmDVD& d = s.form<frmDVD>();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.caption(), QStringLiteral("Zel DVD Player"));
    auto* engine = static_cast<FakeWindowsMediaControl*>(d.MediaPlayer1);
    EXPECT_NE(d.MediaPlayer1, s.main().screenAndAudio);
    EXPECT_NE(d.MediaPlayer1, s.main().MediaPlayer1);

    // Any size: the engine, its transport bar included, covers the client area exactly.
    for (const QSize size : {QSize(400, 300), QSize(180, 120), QSize(640, 480)}) {
        d.resize(size);
        settle();
        EXPECT_EQ(d.MediaPlayer1->geometry(), d.client()->rect());
        EXPECT_EQ(d.MediaPlayer1->DisplaySize(), WindowsMediaControl::SizeStretched);
        EXPECT_TRUE(d.MediaPlayer1->AllowSizeChange());
    }

    s.dialogs.answers = {QString()};
    d.mnufileopen->trigger();
    EXPECT_TRUE(engine->calls.filter("Open").isEmpty());  // cancelled: nothing opened
    EXPECT_EQ(s.dialogs.requests.back().filters.size(), 5u);
    engine->clips["/dvd/movie.mpg"] = FakeWindowsMediaControl::Clip{};
    s.dialogs.answers = {"/dvd/movie.mpg"};
    d.mnufileopen->trigger();
    EXPECT_EQ(engine->calls.filter("Open"), QStringList{"Open(/dvd/movie.mpg)"});
    EXPECT_TRUE(s.screen().calls.filter("Open").isEmpty());
    EXPECT_EQ(d.mnufileopen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));

    d.mnufileproperties->trigger();  // does nothing
    EXPECT_TRUE(s.messages.shown.empty());

    d.mnufileexit->trigger();
    ExitBox& box = s.form<ExitBox>();
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.Label1->text(), QStringLiteral("Do you wish to exit the Zel DVD Player application?"));
    box.Command2->click();  // No
    settle();
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(s.main().isVisible());
}
