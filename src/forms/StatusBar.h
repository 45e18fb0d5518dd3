#pragma once

#include <QStatusBar>
#include <QTimer>

class QLabel;

namespace forms {

// Status bar with the current date and time in two panels. It keeps them current by itself,
// waking once a minute and only while it is shown.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent);

    QString dateText() const;
    QString timeText() const;

    // The time panel's format: the locale's short time format, hours and minutes only.
    static QString hoursAndMinutesFormat();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();

    QLabel* date_;
    QLabel* time_;
    QTimer minuteTimer_;
};

}  // namespace forms
