#include "platform/windowstyle.h"

#include <QGuiApplication>
#include <QRegion>
#include <QWidget>

namespace platform {

bool opacitySupported()
{
    // Of Qt's window-system plugins, those of X11, Windows and macOS set a whole window's
    // opacity; the others (Wayland, offscreen) would print a warning on every call.
    static const bool supported = [] {
        const QString name = QGuiApplication::platformName();
        return name == QLatin1String("xcb") || name == QLatin1String("windows") || name == QLatin1String("cocoa");
    }();
    return supported;
}

void applyOpacity(QWidget *window, int alpha)
{
    if (!window)
        return;
    alpha = qBound(0, alpha, 255);
    // Only top-level windows have an opacity of their own; a child window inside the main
    // window goes with the main window's.
    if (!window->isWindow() || !opacitySupported())
        return;
    window->setWindowOpacity(alpha / 255.0);
    // On X11 the new opacity travels at the next flush of the display connection;
    // during a fade nothing else is drawn, so flush now or the compositor never sees it.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QGuiApplication::sync();
}

void setShape(QWidget *window, const QPolygon &polygon)
{
    if (!window)
        return;
    const QRegion shape(polygon, Qt::OddEvenFill);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // On X under a Wayland compositor (XWayland), the compositor's window manager frames
    // every window it manages, and Weston draws the frame's shadow beneath the whole
    // rectangle, where the translucent window lets it show. The window does without a
    // window manager there: it places itself and takes no keys.
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        window->setWindowFlag(Qt::X11BypassWindowManagerHint);
    window->setMask(shape);
    // Qt does not cut a window's controls to the window's own mask where the window
    // system ignores it; give each its part of the shape. An empty mask would mean no mask
    // at all, so a control wholly outside gets a pixel beside itself: nothing of it shows.
    for (QWidget *control : window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRegion inside = shape.translated(-control->pos()) & control->rect();
        control->setMask(inside.isEmpty() ? QRegion(-1, -1, 1, 1) : inside);
    }
}

} // namespace platform
