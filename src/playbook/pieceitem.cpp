#include "playbook/pieceitem.h"

#include "play/playpainter.h"
#include "playbook/playdocument.h"

#include <QPainter>
#include <QtMath>

#include <optional>
#include <type_traits>
#include <utility>

namespace {

// A rectangle of twips drawn at a scale to device pixels, its top left corner on the
// image's, on a transparent ground.
template <typename Draw> QImage drawScaled(QRectF extent, QSizeF scale, Draw draw)
{
    QImage picture(qCeil(extent.width() * scale.width()), qCeil(extent.height() * scale.height()),
        QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter artist(&picture);
    artist.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    artist.scale(scale.width(), scale.height());
    artist.translate(-extent.topLeft());
    draw(artist);
    return picture;
}

QImage courtPicture(play::Court court, QSizeF scale)
{
    return drawScaled(QRectF(QPointF(0, 0), play::courtSize(court)), scale,
        [court](QPainter &artist) { play::drawCourt(artist, court); });
}

// The painter's scale from the item's units to device pixels, or nothing when the item is
// turned or sheared, as the court view never has it.
std::optional<QSizeF> deviceScale(const QPainter &painter)
{
    const QTransform world = painter.worldTransform();
    if (world.type() > QTransform::TxScale)
        return std::nullopt;
    const qreal ratio = painter.device()->devicePixelRatio();
    return QSizeF(world.m11() * ratio, world.m22() * ratio);
}

// Copies a picture drawn at the painter's scale to the device pixel by pixel, its top left
// corner where the item's point falls, on whole device pixels so that it is not resampled.
// The picture's device pixel ratio is the device's.
template <typename Picture> void copyToDevice(QPainter &painter, QPointF topLeft, const Picture &picture)
{
    const qreal ratio = painter.device()->devicePixelRatio();
    const QPointF origin = painter.worldTransform().map(topLeft) * ratio;
    const QPointF at = QPointF(qRound(origin.x()), qRound(origin.y())) / ratio;
    painter.save();
    painter.setWorldTransform(QTransform());
    if constexpr (std::is_same_v<Picture, QPixmap>)
        painter.drawPixmap(at, picture);
    else
        painter.drawImage(at, picture);
    painter.restore();
}

} // namespace

void FirstPictures::begin(const play::Play &play, QSizeF scale)
{
    if (begun_)
        return;
    begun_ = true;
    court_ = play.court;
    roster_ = play.roster;
    scale_ = scale;
    play::Play pieces;
    pieces.roster = play.roster;
    pending_ = std::async(std::launch::async, [court = play.court, pieces, scale] {
        Pictures pictures;
        pictures.court = courtPicture(court, scale);
        for (int piece = 0; piece < play::kPieceCount; ++piece) {
            pictures.pieces[piece] = drawScaled(play::pieceExtent(piece), scale,
                [&](QPainter &artist) { play::drawPiece(artist, pieces, piece, QPointF(0, 0)); });
        }
        return pictures;
    });
}

FirstPictures::Pictures &FirstPictures::drawn()
{
    if (pending_.valid())
        pictures_ = pending_.get();
    return pictures_;
}

QImage FirstPictures::takeCourt(play::Court court, QSizeF scale)
{
    if (!begun_ || court != court_ || scale != scale_)
        return QImage();
    return std::exchange(drawn().court, QImage());
}

QImage FirstPictures::takePiece(int piece, const play::Play &play, QSizeF scale)
{
    if (!begun_ || scale != scale_ || (piece != play::kBall && play.roster[piece] != roster_[piece]))
        return QImage();
    return std::exchange(drawn().pieces[piece], QImage());
}

PieceItem::PieceItem(const PlayDocument &document, int piece, FirstPictures &firstPictures)
    : document_(document)
    , piece_(piece)
    , firstPictures_(firstPictures)
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
    const play::Play &play = document_.play();
    if (const std::optional<QSizeF> scale = deviceScale(*painter)) {
        QImage picture = firstPictures_.takePiece(piece_, play, *scale);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(painter->device()->devicePixelRatio());
            copyToDevice(*painter, boundingRect().topLeft(), picture);
            return;
        }
    }
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    play::drawPiece(*painter, play, piece_, QPointF(0, 0));
}

CourtItem::CourtItem(const PlayDocument &document, FirstPictures &firstPictures)
    : document_(document)
    , firstPictures_(firstPictures)
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

void CourtItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const play::Court court = document_.play().court;
    const std::optional<QSizeF> scale = deviceScale(*painter);
    if (!scale) {
        painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        play::drawCourt(*painter, court);
        return;
    }

    // Drawn once for each scale, then copied: the artwork is drawn again only when the view's
    // size, the screen's scale or the court changes.
    if (picture_.isNull() || court != pictureCourt_ || *scale != pictureScale_) {
        QImage picture = firstPictures_.takeCourt(court, *scale);
        if (picture.isNull())
            picture = courtPicture(court, *scale);
        picture.setDevicePixelRatio(painter->device()->devicePixelRatio());
        picture_ = QPixmap::fromImage(std::move(picture));
        pictureCourt_ = court;
        pictureScale_ = *scale;
    }
    copyToDevice(*painter, QPointF(0, 0), picture_);
}
