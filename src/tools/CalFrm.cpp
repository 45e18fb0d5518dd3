#include "tools/CalFrm.h"

#include <QDate>
#include <QPushButton>
#include <QTextCharFormat>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "remote/Player.h"

void MonthCalendar::Today()
{
    const QDate today = QDate::currentDate();
    setSelectedDate(today);
    setCurrentPage(today.year(), today.month());
}

CalFrm::CalFrm(Application& app) : Form(app, "CalFrm", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Calendar"));
    setClientSizeTw(4065, 3225);
    Calendar1 = forms::makeControl<MonthCalendar>(client(), "Calendar1", 0, 0, 4095, 2775);
    Calendar1->setAccessibleName(tr("Calendar"));
    // The days are a view inside the calendar, reached by Tab on their own.
    if (auto* days = Calendar1->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview")))
        days->setAccessibleName(tr("Days of the month"));
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);  // no week numbers
    // Weekends in the same ink as other days, so that they show on any background colour.
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday}) Calendar1->setWeekdayTextFormat(day, QTextCharFormat());
    // Below the calendar's last week, down to the window's edge: every edge of both shows
    // (where first drawn, the two overlapped by a few pixels).
    Command1 = forms::makeControl<forms::CommandButton>(client(), "Command1", 90, 2775, 3910, 435, tr("Ok"));
    setDefaultButton(Command1);
    // The close box ends the window as Ok does: otherwise the main window would stay locked.
    setCloseBoxButton(Command1);
    forms::setTabOrder({Calendar1, Command1});
    on(Command1, &QPushButton::clicked, &CalFrm::Command1_Click);
}

void CalFrm::Command1_Click()
{
    Unload();
    app_.forms().get<frmMain>().setEnabled(true);
    app_.forms().get<Player>().setEnabled(true);
}
