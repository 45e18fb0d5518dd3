#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

// Window and control geometry is designed in twips; the screen works in logical pixels.
namespace forms {

inline constexpr double kTwipsPerPixel = 15.0;

inline int toPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double toTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// Places a control at Left, Top, Width, Height given in twips, relative to its container.
inline void placeTw(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

}  // namespace forms
