#include "forms/Controls.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <cstdlib>

namespace forms {

void CommandButton::paintEvent(QPaintEvent* event)
{
    const int room = width() - 6;
    if (fontMetrics().horizontalAdvance(text()) <= room) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(rect().adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
}

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent)
{
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (on && !settingFromCode_) emit Click();
    });
}

void OptionButton::setValue(bool selected)
{
    settingFromCode_ = true;
    if (selected) {
        setChecked(true);
    } else if (isChecked()) {
        // An auto-exclusive button refuses to clear itself; lift the grouping for the change.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
    }
    settingFromCode_ = false;
    if (selected) emit Click();
}

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::stateChanged, this, [this](int) {
        if (!settingFromCode_) emit Click();
    });
}

int CheckBox::value() const
{
    switch (checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    }
    return 0;
}

void CheckBox::setValue(int v)
{
    const Qt::CheckState state = v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    if (state == checkState()) return;
    settingFromCode_ = true;
    setCheckState(state);
    settingFromCode_ = false;
    emit Click();
}

MenuItem::MenuItem(const char* name, const QString& caption, QObject* parent) : QAction(caption, parent)
{
    setObjectName(QString::fromLatin1(name));
    if (caption == QLatin1String("-")) {
        // A "-" caption is a separator line, drawn without text.
        setSeparator(true);
        setText(QString());
    }
    connect(this, &QAction::triggered, this, [this] {
        // Undo Qt's own toggling of a checkable item: the handler decides the mark.
        if (isCheckable() && isChecked() != checked_) setChecked(checked_);
        emit Click();
    });
}

void MenuItem::setCheckedMark(bool on)
{
    checked_ = on;
    if (on) setCheckable(true);
    setChecked(on);
    if (!on) setCheckable(false);
}

FormTimer::FormTimer(const char* name, int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), intervalMs_(intervalMs), enabled_(enabled)
{
    setObjectName(QString::fromLatin1(name));
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FormTimer::Timer);
    sync();
}

void FormTimer::setEnabled(bool on)
{
    enabled_ = on;
    sync();
}

void FormTimer::sync()
{
    if (enabled_ && intervalMs_ > 0) {
        if (!timer_.isActive()) timer_.start();
    } else {
        timer_.stop();
    }
}

TextBox::TextBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &TextBox::Change);
}

void widenToCaption(QAbstractButton* button)
{
    const int needed = button->sizeHint().width();
    if (needed > button->width()) button->resize(needed, button->height());
}

void setTabOrder(std::initializer_list<QWidget*> order)
{
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

namespace {

// A line of the windows' text, and its width in Arial (or a font of Arial's metrics: Liberation
// Sans, Arimo) in ems.
constexpr const char* kWidthSample = "ZelPlayer Plus 10.031 \\ 60 Seconds: Volume, Balance";
constexpr double kArialSampleEms = 23.96;

}  // namespace

void useDesignFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    // The windows are laid out for Arial's widths. A system without a font of Arial's metrics
    // gives another (DejaVu Sans is a tenth wider): its text is made as much smaller as keeps
    // the widths, so that it shows whole.
    QFont measured = font;
    measured.setPixelSize(1000);
    const double ems = QFontMetricsF(measured).horizontalAdvance(QString::fromLatin1(kWidthSample)) / 1000;
    font.setPointSizeF(8.25 * std::min(1.0, kArialSampleEms / ems));
    // Small text hinted to the pixel grid: strokes a pixel wide show their full colour.
    font.setHintingPreference(QFont::PreferFullHinting);
    // On a screen of ordinary density the small text is drawn without smoothing, as on the
    // desktop the windows were designed for: the thin round strokes of a smoothed "60%" never
    // reach the text's own colour and on a mid-tone background (green, say) read at less than
    // 4.5:1. Where there are twice the pixels, smoothed strokes are wide enough.
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen && screen->devicePixelRatio() < 1.5)
        font.setStyleStrategy(QFont::NoAntialias);
    QApplication::setFont(font);
    // Option and check box captions sit close to their marks, as the layouts expect.
    qApp->setStyleSheet(QStringLiteral("QRadioButton, QCheckBox { spacing: 3px; }"));
}

Line::Line(QWidget* container, const char* name, int x1Tw, int y1Tw, int x2Tw, int y2Tw, ColorNumber colour,
           int widthPx)
    : QWidget(container), colour_(toQColor(colour))
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int left = toPixels(std::min(x1Tw, x2Tw)), top = toPixels(std::min(y1Tw, y2Tw));
    setGeometry(left, top, std::max(widthPx, toPixels(std::abs(x2Tw - x1Tw))), std::max(widthPx, toPixels(std::abs(y2Tw - y1Tw))));
}

void Line::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), colour_); }

}  // namespace forms
