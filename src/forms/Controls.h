#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <type_traits>

#include "forms/ColorNumber.h"
#include "forms/Twips.h"

// Controls whose behaviour differs from the plain Qt widget: values set from code raise the
// same Click as the user's click, menu items carry check marks only when set by code, and
// timers with interval 0 never fire.
namespace forms {

// Widens an option button or check box too narrow for its caption in the font at hand (the
// designs were measured with another) by as much as it needs.
void widenToCaption(QAbstractButton* button);

// Creates a control with its design name, placed in twips inside its container; option buttons
// and check boxes are widened to their captions.
template <class W, class... Args>
W* makeControl(QWidget* container, const char* name, int left, int top, int width, int height,
               Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., container);
    w->setObjectName(QString::fromLatin1(name));
    placeTw(w, left, top, width, height);
    if constexpr (std::is_base_of_v<QAbstractButton, W> && !std::is_base_of_v<QPushButton, W>) widenToCaption(w);
    return w;
}

// Push button whose caption wraps onto a second line when it does not fit on one.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr) : QPushButton(caption, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Option button: selecting one clears the others in the same container (Qt's auto-exclusive
// grouping by parent widget). Click is raised when it becomes selected, by the user or by code.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr);

    bool value() const { return isChecked(); }
    // True selects it and raises Click; false clears it (also when it is the group's selection).
    void setValue(bool selected);

signals:
    void Click();

private:
    bool settingFromCode_ = false;
};

// Check box value: 0 clear, 1 checked, 2 grayed. A changed value raises Click, from code too.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);

    int value() const;
    void setValue(int v);

signals:
    void Click();

protected:
    // A user's click only ever clears or checks; grayed is set by code.
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }

private:
    bool settingFromCode_ = false;
};

// Menu item. Its check mark is set only by code: a user's choice raises Click and leaves the
// mark to the handler. Unchecked items draw no check box at all.
class MenuItem : public QAction {
    Q_OBJECT
public:
    MenuItem(const char* name, const QString& caption, QObject* parent);

    bool checked() const { return checked_; }
    void setCheckedMark(bool on);

signals:
    void Click();

private:
    bool checked_ = false;
};

// Timer control. An interval of 0 never fires (it is only an enabled flag); otherwise it ticks
// every interval while enabled.
class FormTimer : public QObject {
    Q_OBJECT
public:
    FormTimer(const char* name, int intervalMs, bool enabled, QObject* parent);

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    int interval() const { return intervalMs_; }
    bool isTicking() const { return timer_.isActive(); }

signals:
    void Timer();

private:
    void sync();

    QTimer timer_;
    int intervalMs_;
    bool enabled_;
};

// Multi-line text box with the single-line box's text()/setText(); Change is raised on every
// change, by the user or by code. Locked boxes take no typing.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBox(const QString& text = {}, QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }
    void setLocked(bool locked) { setReadOnly(locked); }

signals:
    void Change();
};

// Line control: a straight line between two points of its container, in twips, of a colour and
// a width in pixels, drawn inside that width.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QWidget* container, const char* name, int x1Tw, int y1Tw, int x2Tw, int y2Tw, ColorNumber colour,
         int widthPx);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

// Tab order: the controls in the order the Tab key visits them.
void setTabOrder(std::initializer_list<QWidget*> order);

// The windows are laid out for an 8.25 pt sans-serif face; captions fit only in it.
void useDesignFont();

}  // namespace forms
