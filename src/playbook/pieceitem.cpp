#include "playbook/pieceitem.h"

#include "play/playpainter.h"
#include "playbook/playdocument.h"

#include <QPainter>

PieceItem::PieceItem(const PlayDocument &document, int piece)
    : document_(document)
    , piece_(piece)
{
    // Drawn once per zoom and then moved as a picture: a drag repaints no artwork.
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(piece == play::kBall ? 2 : 1);
}

QRectF PieceItem::boundingRect() const
{
    if (piece_ == play::kBall) {
        const double r = play::kBallDiameter / 2 + 20;
        return QRectF(-r, -r, 2 * r, 2 * r);
    }
    // The jersey, and below it room for the player's name.
    const double width = 2400;
    return QRectF(-width / 2, -play::kJerseyHeight / 2 - 20, width, play::kJerseyHeight + 420);
}

QPainterPath PieceItem::shape() const
{
    // Picked by its jersey or ball only, not by the room around them.
    QPainterPath path;
    if (piece_ == play::kBall) {
        path.addEllipse(QPointF(0, 0), play::kBallDiameter / 2, play::kBallDiameter / 2);
    } else {
        path.addRect(
            QRectF(-play::kJerseyWidth / 2, -play::kJerseyHeight / 2, play::kJerseyWidth, play::kJerseyHeight));
    }
    return path;
}

void PieceItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    if (piece_ == play::kBall)
        play::drawBall(*painter, QPointF(0, 0));
    else
        play::drawPlayer(*painter, document_.play(), piece_, QPointF(0, 0));
}

CourtItem::CourtItem(const PlayDocument &document)
    : document_(document)
{
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(0);
}

void CourtItem::followCourt()
{
    prepareGeometryChange();
    update();
}

QRectF CourtItem::boundingRect() const
{
    return QRectF(QPointF(0, 0), play::courtSize(document_.play().court));
}

void CourtItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    play::drawCourt(*painter, document_.play().court);
}
