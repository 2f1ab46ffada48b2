#include "mainwindow/boardarea.h"

#include "resources/resources.h"

#include <QPaintEvent>
#include <QPainter>

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
