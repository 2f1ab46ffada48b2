#pragma once

#include "play/play.h"
#include "playbook/actiondrawing.h"
#include "playbook/pieceitem.h"

#include <QGraphicsView>
#include <QHash>

#include <optional>

class ActionsItem;
class PlayDocument;

// The court of the step on show, filling the view at the largest scale that keeps its
// proportions. With the Select tool pieces drag with the mouse and with fingers, each
// finger its own piece, and a click on an action's line selects it; the other tools draw
// actions, with the mouse or one finger. Drops, drawn actions and edits are handed on as
// requests, and the court shows what the play then says.
class CourtView : public QGraphicsView {
    Q_OBJECT

public:
    explicit CourtView(PlayDocument &document, QWidget *parent = nullptr);

    // Where a piece is drawn now, in the view's coordinates (for tests and tools).
    QPoint pieceCentre(int piece) const;
    // Where a point of the court is drawn now, in the view's coordinates.
    QPoint fromScene(QPointF scenePosition) const;

    Tool tool() const { return tool_; }
    void setTool(Tool tool);

    // Pieces shown where they stand a time into the step on show, as playback runs; none
    // for where the step starts, as it is edited.
    void setPlaybackTime(std::optional<double> seconds);

    // The selected action of the step on show, or -1.
    int selectedAction() const;

signals:
    void pieceDropped(int piece, QPointF position);
    void playerEditRequested(int player);
    void actionDrawn(const play::Action &action);
    void actionEdited(int index, const play::Action &action);
    void actionEraseRequested(int index);
    void textRequested(QPointF position);
    void selectedActionChanged(int index);
    // A press while playback shows the pieces: stopping playback lets it edit the step.
    void pressedDuringPlayback();
    // Why a press or drag made nothing, for the status bar.
    void refused(const QString &message);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Drag {
        int piece;
        QPointF offset; // from the pointer to the piece's centre
    };

    void showStep();
    void placePieces();
    void fitCourt();
    QPointF toScene(QPointF viewPosition) const;
    int pieceAt(QPointF scenePosition) const;
    void grab(int pointer, QPointF scenePosition);
    void drag(int pointer, QPointF scenePosition);
    void drop(int pointer, QPointF scenePosition);
    void cancelDrags();
    void placeBallWithHolder();
    bool dragging(int piece) const;
    void press(int pointer, QPointF scenePosition);
    void move(int pointer, QPointF scenePosition);
    void release(int pointer, QPointF scenePosition);
    void startDrawing(int pointer, QPointF scenePosition);
    int actionAt(QPointF scenePosition) const;
    int handleAt(QPointF scenePosition) const;
    void selectAction(int index);

    PlayDocument &document_;
    // Before the scene, whose items take from it.
    FirstPictures firstPictures_;
    QGraphicsScene scene_;
    CourtItem *court_;
    QList<PieceItem *> pieces_;
    QHash<int, Drag> drags_; // by pointer: the mouse, or a finger's touch point id
    std::optional<play::Court> shownCourt_; // the court the scene is laid out for
    ActionsItem *actions_;
    std::optional<double> playbackSeconds_;
    Tool tool_ = Tool::Select;
    // The action being drawn, and the pointer drawing it.
    std::optional<ActionDrawing> drawing_;
    int drawingPointer_ = 0;
    // The point of the selected action being dragged, or -1.
    int draggedHandle_ = -1;
    play::Action editedAction_;
};
