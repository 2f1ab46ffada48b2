#include "widgets/picturewindow.h"

#include "resources/resources.h"
#include "widgets/units.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

PictureWindow::PictureWindow(const char *picture, const QColor &background, int width, int height)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , pictureName_(picture)
    , background_(background)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(units::toPixels(width), units::toPixels(height));
}

void PictureWindow::display()
{
    if (!placed_) {
        placed_ = true;
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->geometry().center());
            move(frame.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
}

void PictureWindow::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        picture_ = resources::picture(pictureName_);
    QPainter painter(this);
    // A shaped window paints only inside its shape; outside it stays transparent.
    if (!mask().isEmpty())
        painter.setClipRegion(mask());
    painter.fillRect(rect(), background_);
    painter.drawPixmap(0, 0, picture_);
}
