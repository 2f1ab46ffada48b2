#pragma once

#include "play/play.h"

#include <QGraphicsView>
#include <QHash>

#include <optional>

class CourtItem;
class PieceItem;
class PlayDocument;

// The court of the step on show, filling the view at the largest scale that keeps its
// proportions. Pieces drag with the mouse and with fingers, each finger its own piece; a
// drop is handed on as a request, and the pieces go where the play then says.
class CourtView : public QGraphicsView {
    Q_OBJECT

public:
    explicit CourtView(PlayDocument &document, QWidget *parent = nullptr);

    // Where a piece is drawn now, in the view's coordinates (for tests and tools).
    QPoint pieceCentre(int piece) const;

signals:
    void pieceDropped(int piece, QPointF position);
    void playerEditRequested(int player);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct Drag {
        int piece;
        QPointF offset; // from the pointer to the piece's centre
    };

    void showStep();
    void fitCourt();
    QPointF toScene(QPointF viewPosition) const;
    int pieceAt(QPointF scenePosition) const;
    void grab(int pointer, QPointF scenePosition);
    void drag(int pointer, QPointF scenePosition);
    void drop(int pointer, QPointF scenePosition);
    void cancelDrags();
    void placeBallWithHolder();
    bool dragging(int piece) const;

    PlayDocument &document_;
    QGraphicsScene scene_;
    CourtItem *court_;
    QList<PieceItem *> pieces_;
    QHash<int, Drag> drags_;
    std::optional<play::Court>
        shownCourt_; // the court the scene is laid out for // by pointer: the mouse, or a finger's touch point id
};
