#include "playbook/pieceitem.h"

#include "play/playpainter.h"
#include "playbook/playdocument.h"

#include <QPainter>
#include <QtMath>

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
    return play::pieceExtent(piece_);
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

namespace {

// The court drawn at a scale from twips to device pixels, on a transparent ground.
QImage courtPicture(play::Court court, QSizeF scale)
{
    const QSizeF size = play::courtSize(court);
    QImage picture(qCeil(size.width() * scale.width()), qCeil(size.height() * scale.height()),
        QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter artist(&picture);
    artist.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    artist.scale(scale.width(), scale.height());
    play::drawCourt(artist, court);
    return picture;
}

} // namespace

CourtItem::CourtItem(const PlayDocument &document)
    : document_(document)
{
    // Cached by paint() itself: Qt's item cache keeps its pictures in the shared pixmap
    // cache, whose 10 MiB a court at 3840 x 2160 passes, and would then draw the court
    // anew at every repaint of a drag.
    setCacheMode(QGraphicsItem::NoCache);
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

void CourtItem::prepare(QSizeF scale)
{
    if (!picture_.isNull() || pending_.valid())
        return;
    const play::Court court = document_.play().court;
    pending_ = std::async(std::launch::async, [court, scale] { return courtPicture(court, scale); });
    pendingCourt_ = court;
    pendingScale_ = scale;
}

void CourtItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const play::Court court = document_.play().court;
    const QTransform world = painter->worldTransform();
    if (world.type() > QTransform::TxScale) {
        // Turned or sheared, as the court view never is: drawn as it is asked for.
        painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        play::drawCourt(*painter, court);
        return;
    }

    // Drawn once for each scale, then copied to the device pixel by pixel: the artwork is
    // drawn again only when the view's size, the screen's scale or the court changes.
    const qreal ratio = painter->device()->devicePixelRatio();
    const QSizeF scale(world.m11() * ratio, world.m22() * ratio);
    if (picture_.isNull() || court != pictureCourt_ || scale != pictureScale_) {
        QImage picture;
        if (pending_.valid()) {
            picture = pending_.get();
            if (pendingCourt_ != court || pendingScale_ != scale)
                picture = QImage();
        }
        if (picture.isNull())
            picture = courtPicture(court, scale);
        picture.setDevicePixelRatio(ratio);
        picture_ = QPixmap::fromImage(std::move(picture));
        pictureCourt_ = court;
        pictureScale_ = scale;
    }
    // On whole device pixels, so that the copy is not resampled.
    const QPointF origin = world.map(QPointF(0, 0)) * ratio;
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->drawPixmap(QPointF(qRound(origin.x()), qRound(origin.y())) / ratio, picture_);
    painter->restore();
}
