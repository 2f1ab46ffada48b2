#pragma once

#include <QFont>
#include <QRect>
#include <QtGlobal>

// Everything above this file speaks twips, 1/1440 inch; the program is laid out for
// 96 dots per inch, where 15 twips make one logical pixel. Qt's high-DPI scaling takes
// logical pixels on to the screen.
namespace units {

inline constexpr int kTwipsPerPixel = 15;

// A twips position or size shown at the nearest logical pixel. Stored positions stay
// in twips, so repeated moves never drift by rounding.
inline int toPixels(double twips)
{
    return qRound(twips / kTwipsPerPixel);
}

inline QRect toPixels(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

inline float toTwips(qreal pixels)
{
    return float(pixels * kTwipsPerPixel);
}

// A font given in points as the layouts give it, sized in logical pixels so that it
// keeps its place in a layout of twips whatever DPI the screen reports.
inline QFont font(const char *face, double points, bool bold = false)
{
    QFont f(QString::fromLatin1(face));
    f.setPixelSize(qRound(points * 96.0 / 72.0));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace units
