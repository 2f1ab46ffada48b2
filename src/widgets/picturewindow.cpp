#include "widgets/picturewindow.h"

#include "resources/resources.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

QRect usableArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

PictureWindow::PictureWindow(const char *picture, const QColor &background, int width, int height)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , pictureName_(picture)
    , background_(background)
{
    setAttribute(Qt::WA_DeleteOnClose);
    const QRect usable = usableArea();
    if (!usable.isEmpty())
        scale_ = units::Scale::toFit(QSizeF(width, height), usable.size());
    QSize size(scale_.toPixels(width), scale_.toPixels(height));
    if (!usable.isEmpty())
        size = size.boundedTo(usable.size()); // not a pixel over by rounding
    setFixedSize(size);
}

void PictureWindow::display()
{
    if (!placed_) {
        placed_ = true;
        const QRect usable = usableArea();
        if (!usable.isEmpty()) {
            QRect frame = frameGeometry();
            frame.moveCenter(usable.center());
            // Wholly inside when it fits; otherwise its top-left corner is kept on it, so
            // that its caption side and the start of its content can be seen.
            move(qMax(qMin(frame.left(), usable.right() + 1 - frame.width()), usable.left()),
                qMax(qMin(frame.top(), usable.bottom() + 1 - frame.height()), usable.top()));
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
    if (scale_.factor() < 1.0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(scale_.factor(), scale_.factor());
    }
    painter.drawPixmap(0, 0, picture_);
}
