#pragma once

#include <QFont>
#include <QRect>
#include <QSizeF>
#include <QtGlobal>

// Everything above this file speaks twips, 1/1440 inch; the program is laid out for
// 96 dots per inch, where 15 twips make one logical pixel. Qt's high-DPI scaling takes
// logical pixels on to the screen.
namespace units {

inline constexpr int kTwipsPerPixel = 15;

// The scale a window lays itself out at: 1 where it has room for its design, less where
// its screen or its frame is smaller, so that the window is drawn smaller as a whole, its
// controls, texts, pictures and the places that take clicks alike. Never more than 1.
class Scale {
public:
    constexpr Scale() = default;

    // The largest scale, at most 1, at which a design of the given size in twips fits in
    // room given in logical pixels. A window with no room yet keeps a tenth of its size.
    static Scale toFit(QSizeF designTwips, QSizeF room)
    {
        double factor = 1.0;
        if (designTwips.width() > 0)
            factor = qMin(factor, room.width() * kTwipsPerPixel / designTwips.width());
        if (designTwips.height() > 0)
            factor = qMin(factor, room.height() * kTwipsPerPixel / designTwips.height());
        return Scale(qMax(factor, 0.1));
    }

    double factor() const { return factor_; }
    bool operator==(const Scale &other) const = default;

    // A twips position or size shown at the nearest logical pixel. Stored positions stay
    // in twips, so repeated moves never drift by rounding.
    int toPixels(double twips) const { return qRound(twips * factor_ / kTwipsPerPixel); }

    QRect toPixels(double left, double top, double width, double height) const
    {
        return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    }

    float toTwips(qreal pixels) const { return float(pixels * kTwipsPerPixel / factor_); }

    // A font given in points as the layouts give it, sized in logical pixels so that it
    // keeps its place in a layout of twips whatever DPI the screen reports.
    QFont font(const char *face, double points, bool bold = false) const
    {
        QFont f(QString::fromLatin1(face));
        f.setPixelSize(qMax(1, qRound(points * 96.0 / 72.0 * factor_)));
        f.setBold(bold);
        f.setStyleStrategy(QFont::PreferAntialias);
        return f;
    }

private:
    constexpr explicit Scale(double factor)
        : factor_(factor)
    {
    }

    double factor_ = 1.0;
};

// The same at the design's own scale.
inline int toPixels(double twips)
{
    return Scale().toPixels(twips);
}

inline QRect toPixels(double left, double top, double width, double height)
{
    return Scale().toPixels(left, top, width, height);
}

inline QFont font(const char *face, double points, bool bold = false)
{
    return Scale().font(face, points, bold);
}

} // namespace units
