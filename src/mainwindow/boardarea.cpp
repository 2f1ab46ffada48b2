#include "mainwindow/boardarea.h"

#include "resources/resources.h"

#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

BoardArea::BoardArea(QWidget *parent)
    : QMdiArea(parent)
    , picture_(resources::compactPicture("main_window_picture"))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void BoardArea::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white);
    const QSizeF size = picture_.deviceIndependentSize();
    const QPointF corner((viewport()->width() - size.width()) / 2, (viewport()->height() - size.height()) / 2);
    painter.drawImage(corner.toPoint(), picture_);
}

void BoardArea::resizeEvent(QResizeEvent *event)
{
    QMdiArea::resizeEvent(event);
    for (QMdiSubWindow *board : subWindowList())
        keepInside(board);
}

bool BoardArea::eventFilter(QObject *watched, QEvent *event)
{
    // Restored, a board comes back at the size and place it had before it was maximized,
    // which may no longer fit; it is fitted once the restore is done.
    if (event->type() == QEvent::WindowStateChange) {
        if (auto *board = qobject_cast<QMdiSubWindow *>(watched); board && board->mdiArea() == this) {
            QTimer::singleShot(0, board, [this, board] { keepInside(board); });
        }
    }
    return QMdiArea::eventFilter(watched, event);
}

void BoardArea::keepInside(QMdiSubWindow *board)
{
    if (board->isMaximized() || board->isMinimized() || board->isHidden())
        return;
    const QRect area = viewport()->rect();
    QRect frame = board->geometry();
    if (area.isEmpty() || area.contains(frame))
        return;
    // A board whose frame is larger than the area shrinks to it and draws itself smaller.
    frame.setSize(frame.size().boundedTo(area.size()));
    frame.moveLeft(qBound(area.left(), frame.left(), area.right() - frame.width() + 1));
    frame.moveTop(qBound(area.top(), frame.top(), area.bottom() - frame.height() + 1));
    board->setGeometry(frame);
}
