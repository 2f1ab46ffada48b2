#include "platform/windowstyle.h"

#include <QGuiApplication>
#include <QRegion>
#include <QWidget>

namespace platform {

void applyOpacity(QWidget *window, int alpha)
{
    if (!window)
        return;
    alpha = qBound(0, alpha, 255);
    // Only top-level windows have an opacity of their own; a child window inside the main
    // window goes with the main window's.
    if (!window->isWindow())
        return;
    window->setWindowOpacity(alpha / 255.0);
    // On X11 the new opacity travels at the next flush of the display connection;
    // during a fade nothing else is drawn, so flush now or the compositor never sees it.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QGuiApplication::sync();
}

void setShape(QWidget *window, const QPolygon &polygon)
{
    if (window)
        window->setMask(QRegion(polygon, Qt::OddEvenFill));
}

} // namespace platform
