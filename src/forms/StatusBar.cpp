#include "forms/StatusBar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>

namespace forms {

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent), date_(new QLabel(this)), time_(new QLabel(this))
{
    setSizeGripEnabled(false);
    date_->setObjectName(QStringLiteral("datePanel"));
    time_->setObjectName(QStringLiteral("timePanel"));
    date_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    time_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    addWidget(date_, 1);
    addWidget(time_, 1);
    minuteTimer_.setSingleShot(true);
    minuteTimer_.setTimerType(Qt::CoarseTimer);
    connect(&minuteTimer_, &QTimer::timeout, this, &StatusBar::refresh);
    refresh();
}

QString StatusBar::dateText() const { return date_->text(); }
QString StatusBar::timeText() const { return time_->text(); }

QString StatusBar::hoursAndMinutesFormat()
{
    // The locale's short time format without its seconds (some locales show them there), since
    // the panel is brought up to date once a minute.
    static const QRegularExpression seconds(QStringLiteral("[:.,]?\\s?s{1,2}"));
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    return format.remove(seconds).trimmed();
}

void StatusBar::refresh()
{
    const QDateTime now = QDateTime::currentDateTime();
    date_->setText(QLocale().toString(now.date(), QLocale::ShortFormat));
    time_->setText(QLocale().toString(now.time(), hoursAndMinutesFormat()));
    if (isVisible()) {
        // Wake just after the next minute begins.
        const int msToNextMinute = 60000 - (now.time().second() * 1000 + now.time().msec()) + 50;
        minuteTimer_.start(msToNextMinute);
    }
}

void StatusBar::showEvent(QShowEvent* event)
{
    QStatusBar::showEvent(event);
    refresh();
}

void StatusBar::hideEvent(QHideEvent* event)
{
    QStatusBar::hideEvent(event);
    minuteTimer_.stop();
}

}  // namespace forms
