#include "forms/ColorNumber.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace forms {
namespace {

constexpr const char* kBackColorProperty = "zpBackColor";
constexpr const char* kForeColorProperty = "zpForeColor";

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

void setBackColor(QWidget* w, ColorNumber n)
{
    const QColor c = toQColor(n);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Button, c);
    pal.setColor(QPalette::Base, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    w->setProperty(kBackColorProperty, QVariant::fromValue<quint32>(n));
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
    w->setPalette(pal);
    w->setProperty(kForeColorProperty, QVariant::fromValue<quint32>(n));
}

ColorNumber foreColor(const QWidget* w)
{
    const QVariant v = w->property(kForeColorProperty);
    return v.isValid() ? v.value<quint32>() : 0x80000012;
}

}  // namespace forms
