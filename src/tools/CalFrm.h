#pragma once

#include <QCalendarWidget>

#include "forms/Form.h"

class Application;
class QPushButton;

// Month calendar control. Its method 30 is Today: today's date is selected and its month shown.
class MonthCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget* parent = nullptr) : QCalendarWidget(parent) {}

    void Today();  // 30
};

// The calendar window. While it is open the main window, the remote control and the main
// window's media control take no input; its Ok gives input back to the two windows only.
class CalFrm : public forms::Form {
    Q_OBJECT
public:
    explicit CalFrm(Application& app);

    void Command1_Click();

    MonthCalendar* Calendar1;
    QPushButton* Command1;

private:
    Application& app_;
};
