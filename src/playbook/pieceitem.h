#pragma once

#include "play/play.h"

#include <QGraphicsItem>
#include <QImage>
#include <QPixmap>

#include <future>

class PlayDocument;

// One piece on the court view, drawn by the play painter; its position is its centre in
// the court's twips.
class PieceItem : public QGraphicsItem {
public:
    PieceItem(const PlayDocument &document, int piece);

    int piece() const { return piece_; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    const PlayDocument &document_;
    int piece_;
};

// The court under the pieces.
class CourtItem : public QGraphicsItem {
public:
    explicit CourtItem(const PlayDocument &document);

    // The play's court may have changed: redrawn at its extent.
    void followCourt();
    // Begins drawing the court's first picture, at a scale from twips to device pixels, on a
    // thread of its own while the window is still being laid out and painted; the first
    // paint at that scale takes it.
    void prepare(QSizeF scale);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    const PlayDocument &document_;
    // The court as last drawn, in device pixels, and the court and scale it was drawn for.
    QPixmap picture_;
    play::Court pictureCourt_ = play::Court::Half;
    QSizeF pictureScale_;
    std::future<QImage> pending_;
    play::Court pendingCourt_ = play::Court::Half;
    QSizeF pendingScale_;
};
