#include "platform/windowstyle.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QRegion>
#include <QWidget>

namespace platform {

namespace {
constexpr int kBlendLimit = 250;
}

void applyOpacity(QWidget *window, int alpha)
{
    if (!window)
        return;
    alpha = qBound(0, alpha, 255);
    if (window->isWindow()) {
        window->setWindowOpacity(alpha / 255.0);
        // On X11 the new opacity travels at the next flush of the display connection;
        // during a fade nothing else is drawn, so flush now or the compositor never sees it.
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QGuiApplication::sync();
        return;
    }
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(window->graphicsEffect());
    if (alpha >= kBlendLimit) {
        if (effect)
            window->setGraphicsEffect(nullptr);
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(window);
        window->setGraphicsEffect(effect);
    }
    effect->setOpacity(alpha / 255.0);
}

void setShape(QWidget *window, const QPolygon &polygon)
{
    if (window)
        window->setMask(QRegion(polygon, Qt::OddEvenFill));
}

} // namespace platform
