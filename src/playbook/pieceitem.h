#pragma once

#include "play/play.h"

#include <QGraphicsItem>
#include <QImage>
#include <QPixmap>

#include <array>
#include <future>

class PlayDocument;

// The court's and the pieces' first pictures at one scale from twips to device pixels,
// drawn on a thread of their own while the window is laid out and comes on the screen. Each
// item takes its own at its first paint at that scale, if it still shows what was drawn
// then, and draws itself from there on.
class FirstPictures {
public:
    FirstPictures() = default;
    FirstPictures(const FirstPictures &) = delete;
    FirstPictures &operator=(const FirstPictures &) = delete;

    // Begins drawing them, once: later scales are drawn by the items as they are asked for.
    void begin(const play::Play &play, QSizeF scale);

    // The picture drawn for the court, or a null image when it was not drawn or not for this.
    QImage takeCourt(play::Court court, QSizeF scale);
    // The picture drawn for a piece, on the same terms; a player's while the play's roster
    // still has the player as drawn.
    QImage takePiece(int piece, const play::Play &play, QSizeF scale);

private:
    struct Pictures {
        QImage court;
        std::array<QImage, play::kPieceCount> pieces;
    };
    // What was drawn, once it is there.
    Pictures &drawn();

    bool begun_ = false;
    std::future<Pictures> pending_;
    Pictures pictures_;
    play::Court court_ = play::Court::Half;
    std::array<play::Player, play::kPlayerCount> roster_;
    QSizeF scale_;
};

// One piece on the court view, drawn by the play painter; its position is its centre in
// the court's twips.
class PieceItem : public QGraphicsItem {
public:
    PieceItem(const PlayDocument &document, int piece, FirstPictures &firstPictures);

    int piece() const { return piece_; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    const PlayDocument &document_;
    int piece_;
    FirstPictures &firstPictures_;
};

// The court under the pieces.
class CourtItem : public QGraphicsItem {
public:
    CourtItem(const PlayDocument &document, FirstPictures &firstPictures);

    // The play's court may have changed: redrawn at its extent.
    void followCourt();

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    const PlayDocument &document_;
    FirstPictures &firstPictures_;
    // The court as last drawn, in device pixels, and the court and scale it was drawn for.
    QPixmap picture_;
    play::Court pictureCourt_ = play::Court::Half;
    QSizeF pictureScale_;
};
