// The side tools: calendar, file browser, DVD window.
#include <QDate>
#include <QPushButton>
#include <gtest/gtest.h>

#include "remote/Player.h"
#include "support/Started.h"
#include "tools/CalFrm.h"

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
