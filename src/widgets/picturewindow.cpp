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
            // A window larger than the screen's free area keeps its top-left corner on it,
            // so that its caption side and the start of its content can be seen.
            const QRect available = screen->availableGeometry();
            move(qMax(frame.left(), available.left()), qMax(frame.top(), available.top()));
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
