#pragma once

#include <QColor>
#include <cstdint>

class QWidget;

// Colours are numbers: 0x00BBGGRR for a fixed colour, 0x800000nn for system colour nn,
// which follows the desktop scheme (here: the application palette).
namespace forms {

using ColorNumber = std::uint32_t;

inline constexpr ColorNumber kSysMenuBar = 0x80000004;
inline constexpr ColorNumber kSysScrollBar = 0x80000000;
inline constexpr ColorNumber kSysWindowFrame = 0x80000006;
inline constexpr ColorNumber kSysActiveBorder = 0x8000000A;
inline constexpr ColorNumber kSysInactiveBorder = 0x8000000B;
inline constexpr ColorNumber kSysHighlightText = 0x8000000E;
inline constexpr ColorNumber kSysButtonText = 0x80000012;
inline constexpr ColorNumber kWhite = 0x00FFFFFF;
inline constexpr ColorNumber kBlack = 0x00000000;

QColor toQColor(ColorNumber n);

// Paints a widget's background (window, button face and text field alike) and records the
// number so that reading BackColor gives back what was written.
void setBackColor(QWidget* w, ColorNumber n);
ColorNumber backColor(const QWidget* w);
// A colour given at run time: as setBackColor, but the labels, frames, option buttons and check
// boxes inside that have no colour of their own yet keep the one they show.
void applyBackColor(QWidget* w, ColorNumber n);

// A label with no background of its own: it shows its window's colour, and when the window is
// painted takes the text that reads on it.
void setSeeThrough(QWidget* label);

// A control painted at run time: its background (as applyBackColor) and the text that reads
// best on it, black or white.
void paintControl(QWidget* w, ColorNumber n);

// Text on a painted control: a button's face shows the text and its edge in the control's own
// colours, its disabled text and edge dimmed toward the face.
void setForeColor(QWidget* w, ColorNumber n);

// The WCAG contrast ratio of two colours (1 to 21), and black or white, whichever reads better
// on the colour.
double contrastRatio(const QColor& a, const QColor& b);
ColorNumber readableTextOn(const QColor& back);
ColorNumber foreColor(const QWidget* w);

}  // namespace forms
