#include "forms/ColorNumber.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVariant>
#include <QWidget>
#include <QAbstractButton>
#include <QStatusBar>
#include <cmath>

namespace forms {
namespace {

constexpr const char* kBackColorProperty = "zpBackColor";
constexpr const char* kForeColorProperty = "zpForeColor";
constexpr const char* kSeeThroughProperty = "zpSeeThrough";

// System colour numbers mapped onto the palette; those the palette has no role for keep
// the classic desktop scheme's values.
QColor systemColor(unsigned index)
{
    const QPalette pal = QApplication::palette();
    switch (index) {
    case 0x00: return QColor(0xC8, 0xC8, 0xC8);             // scroll bar
    case 0x01: return QColor(0x00, 0x00, 0x00);             // desktop
    case 0x02: return pal.color(QPalette::Highlight);       // active caption
    case 0x03: return pal.color(QPalette::Mid);             // inactive caption
    case 0x04: return pal.color(QPalette::Window);          // menu bar
    case 0x05: return pal.color(QPalette::Base);            // window background
    case 0x06: return QColor(0x00, 0x00, 0x00);             // window frame
    case 0x07: return pal.color(QPalette::WindowText);      // menu text
    case 0x08: return pal.color(QPalette::Text);            // window text
    case 0x09: return pal.color(QPalette::HighlightedText); // caption text
    case 0x0A: return QColor(0xB4, 0xB4, 0xB4);             // active border
    case 0x0B: return QColor(0xF4, 0xF7, 0xFC);             // inactive border
    case 0x0C: return pal.color(QPalette::Dark);            // application workspace
    case 0x0D: return pal.color(QPalette::Highlight);       // highlight
    case 0x0E: return pal.color(QPalette::HighlightedText); // highlight text
    case 0x0F: return pal.color(QPalette::Button);          // button face
    case 0x10: return pal.color(QPalette::Dark);            // button shadow
    case 0x11: return pal.color(QPalette::PlaceholderText); // grey text
    case 0x12: return pal.color(QPalette::ButtonText);      // button text
    case 0x14: return pal.color(QPalette::Light);           // button highlight
    case 0x18: return pal.color(QPalette::ToolTipBase);     // tooltip background
    default: return pal.color(QPalette::Window);
    }
}

}  // namespace

QColor toQColor(ColorNumber n)
{
    if (n & 0x80000000u) return systemColor(n & 0xFFu);
    return QColor(static_cast<int>(n & 0xFF), static_cast<int>((n >> 8) & 0xFF),
                  static_cast<int>((n >> 16) & 0xFF));
}

namespace {

// The palette roles a kind of control paints its background with. Only those are set, so the
// colour does not pass on to the controls inside (a window's buttons and text boxes keep theirs).
QList<QPalette::ColorRole> backgroundRoles(const QWidget* w)
{
    if (qobject_cast<const QCalendarWidget*>(w))
        return {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button};
    if (qobject_cast<const QPushButton*>(w) || qobject_cast<const QToolButton*>(w))
        return {QPalette::Button, QPalette::Window};
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
        qobject_cast<const QAbstractSpinBox*>(w))
        return {QPalette::Base};
    if (qobject_cast<const QComboBox*>(w)) return {QPalette::Base, QPalette::Button};
    return {QPalette::Window};  // windows, frames, labels, option buttons, check boxes, picture boxes
}

// Labels, frames, option buttons and check boxes have a background of their own, as on the
// desktop the windows were designed for: one inside a painted window or frame that is not
// painted itself keeps the colour it shows, instead of taking its container's. A see-through
// label shows the container's colour and takes the text that reads on it.
void keepOwnBackgrounds(QWidget* container, ColorNumber n)
{
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property(kSeeThroughProperty).toBool()) {
            setForeColor(child, readableTextOn(toQColor(n)));
            continue;
        }
        const bool ownBackground = qobject_cast<QLabel*>(child) || qobject_cast<QGroupBox*>(child) ||
                                   qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child) ||
                                   qobject_cast<QStatusBar*>(child);
        if (!ownBackground || child->autoFillBackground()) continue;
        QPalette pal = child->palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::Window));
        child->setPalette(pal);
        child->setAutoFillBackground(true);
    }
}

// A colour part way from one to another.
QColor mix(const QColor& from, const QColor& to, double share)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * share, from.greenF() + (to.greenF() - from.greenF()) * share,
                            from.blueF() + (to.blueF() - from.blueF()) * share);
}

// The style draws buttons in its own light shades of the palette colour, which turns red into
// pink: a flat face of the colour itself shows what was chosen. The edge, the pressed face and
// the disabled text are shades between the face and the text, so they show on black as on
// white.
void styleButton(QWidget* w)
{
    const QColor face = w->palette().color(QPalette::Button), text = w->palette().color(QPalette::ButtonText);
    const QColor edge = mix(face, text, 0.45), pressed = mix(face, text, 0.2), dim = mix(face, text, 0.4);
    w->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid %3; border-radius: 3px; }"
                                    "QPushButton:pressed { background-color: %4; }"
                                    "QPushButton:focus { border: 2px solid %3; }"
                                    "QPushButton:disabled { color: %5; border: 1px dotted %5; }")
                         .arg(face.name(), text.name(), edge.name(), pressed.name(), dim.name()));
}

// A text box's text area is its viewport, which keeps a palette of its own.
void setViewportColor(QWidget* w, QPalette::ColorRole role, const QColor& c)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    if (!area) return;
    QPalette inner = area->viewport()->palette();
    inner.setColor(role, c);
    area->viewport()->setPalette(inner);
}

}  // namespace

void setBackColor(QWidget* w, ColorNumber n)
{
    const QColor c = toQColor(n);
    QPalette pal = w->palette();
    for (QPalette::ColorRole role : backgroundRoles(w)) pal.setColor(role, c);
    // The role the widget fills its background with (option buttons and check boxes use the
    // button colour's).
    pal.setColor(w->backgroundRole(), c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    w->setProperty(kBackColorProperty, QVariant::fromValue<quint32>(n));
    setViewportColor(w, QPalette::Base, c);
    if (qobject_cast<QPushButton*>(w)) {
        styleButton(w);
    } else if (qobject_cast<QCalendarWidget*>(w)) {
        // The calendar draws its days in a view of its own.
        for (QWidget* part : w->findChildren<QWidget*>()) {
            QPalette inner = part->palette();
            for (QPalette::ColorRole role : {QPalette::Base, QPalette::AlternateBase, QPalette::Window}) inner.setColor(role, c);
            part->setPalette(inner);
        }
    }
}

void applyBackColor(QWidget* w, ColorNumber n)
{
    keepOwnBackgrounds(w, n);
    setBackColor(w, n);
}

void setSeeThrough(QWidget* label) { label->setProperty(kSeeThroughProperty, true); }

void paintControl(QWidget* w, ColorNumber n)
{
    applyBackColor(w, n);
    setForeColor(w, readableTextOn(toQColor(n)));
}

ColorNumber backColor(const QWidget* w)
{
    const QVariant v = w->property(kBackColorProperty);
    return v.isValid() ? v.value<quint32>() : 0x8000000F;  // button face, the usual default
}

void setForeColor(QWidget* w, ColorNumber n)
{
    const QColor c = toQColor(n);
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::ButtonText, c);
    pal.setColor(QPalette::Text, c);
    if (qobject_cast<QAbstractButton*>(w)) {
        // A button that cannot be pressed shows it.
        const QColor dim = mix(pal.color(w->backgroundRole()), c, 0.4);
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            pal.setColor(QPalette::Disabled, role, dim);
    }
    w->setPalette(pal);
    if (qobject_cast<QPushButton*>(w) && !w->styleSheet().isEmpty()) styleButton(w);
    setViewportColor(w, QPalette::Text, c);
    w->setProperty(kForeColorProperty, QVariant::fromValue<quint32>(n));
}

ColorNumber foreColor(const QWidget* w)
{
    const QVariant v = w->property(kForeColorProperty);
    return v.isValid() ? v.value<quint32>() : 0x80000012;
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColorNumber readableTextOn(const QColor& back)
{
    return contrastRatio(back, Qt::white) > contrastRatio(back, Qt::black) ? kWhite : kBlack;
}

}  // namespace forms
