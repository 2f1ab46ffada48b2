#include "playbook/courtview.h"

#include "play/motion.h"
#include "play/playpainter.h"
#include "playbook/actionsitem.h"
#include "playbook/pieceitem.h"
#include "playbook/playdocument.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainterPathStroker>
#include <QTouchEvent>

namespace {

constexpr int kMousePointer = -1;
// How near an action's line a click must be to pick it, and a point's handle to drag it.
constexpr double kLineReach = 120;
constexpr double kHandleReach = 150;

} // namespace

CourtView::CourtView(PlayDocument &document, QWidget *parent)
    : QGraphicsView(parent)
    , document_(document)
{
    setScene(&scene_);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setBackgroundBrush(QColor(0x5a, 0x5f, 0x66));
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
    // Small enough that the window fits a 1280 x 720 screen at scale 2.
    setMinimumSize(160, 100);

    court_ = new CourtItem(document_, firstPictures_);
    scene_.addItem(court_);
    actions_ = new ActionsItem(document_);
    scene_.addItem(actions_);
    for (int piece = 0; piece < play::kPieceCount; ++piece) {
        auto *item = new PieceItem(document_, piece, firstPictures_);
        item->setCursor(Qt::OpenHandCursor);
        scene_.addItem(item);
        pieces_.append(item);
    }

    connect(&document_, &PlayDocument::currentStepChanged, this, [this] {
        // A line being drawn belongs to the step it was started on.
        if (drawing_) {
            drawing_.reset();
            actions_->clearPreview();
        }
        draggedHandle_ = -1;
        selectAction(-1);
        showStep();
    });
    connect(&document_, &PlayDocument::stepsChanged, this, &CourtView::showStep);
    connect(&document_, &PlayDocument::stepChanged, this, [this](int step) {
        if (step == document_.currentStep())
            showStep();
    });
    connect(&document_, &PlayDocument::rosterChanged, this, [this] {
        for (PieceItem *item : std::as_const(pieces_))
            item->update();
    });
    showStep();
}

QPoint CourtView::pieceCentre(int piece) const
{
    return mapFromScene(pieces_.at(piece)->pos());
}

QPoint CourtView::fromScene(QPointF scenePosition) const
{
    return mapFromScene(scenePosition);
}

void CourtView::setTool(Tool tool)
{
    tool_ = tool;
    drawing_.reset();
    actions_->clearPreview();
    if (tool != Tool::Select)
        selectAction(-1);
    viewport()->setCursor(tool == Tool::Select ? Qt::ArrowCursor : Qt::CrossCursor);
}

void CourtView::setPlaybackTime(std::optional<double> seconds)
{
    playbackSeconds_ = seconds;
    if (seconds) {
        drawing_.reset();
        actions_->clearPreview();
        drags_.clear();
        viewport()->unsetCursor();
        // Only the pieces move while the step plays; its marks stay as they are.
        placePieces();
        return;
    }
    showStep();
}

int CourtView::selectedAction() const
{
    return actions_->selectedAction();
}

void CourtView::selectAction(int index)
{
    if (index == actions_->selectedAction())
        return;
    actions_->setSelectedAction(index);
    emit selectedActionChanged(index);
}

void CourtView::showStep()
{
    // A new play may bring the other court; only then is the view fitted again.
    const bool newCourt = shownCourt_ != document_.play().court;
    if (newCourt) {
        shownCourt_ = document_.play().court;
        scene_.setSceneRect(court_->boundingRect());
        court_->followCourt();
        actions_->followCourt();
    }
    const play::Step &step = document_.play().steps.at(document_.currentStep());
    if (selectedAction() >= step.actions.size())
        selectAction(-1);
    actions_->update();
    placePieces();
    if (newCourt)
        fitCourt();
}

void CourtView::placePieces()
{
    const play::Placement placement = playbackSeconds_
        ? document_.motion().placementAt(document_.currentStep(), *playbackSeconds_)
        : play::startOf(document_.play().steps.at(document_.currentStep()));
    for (int piece = 0; piece < play::kPlayerCount; ++piece) {
        if (!dragging(piece))
            pieces_[piece]->setPos(placement.positions[piece]);
    }
    if (!dragging(play::kBall)) {
        pieces_[play::kBall]->setPos(placement.ballHolder == play::kNoHolder
                ? placement.positions[play::kBall]
                : play::heldBallPosition(placement.positions[placement.ballHolder]));
    }
}

void CourtView::fitCourt()
{
    setTransform(QTransform());
    const QTransform fit = play::fitCourt(document_.play().court, QRectF(viewport()->rect()));
    // The view's own translation centres the scene; only the scale is set here.
    setTransform(QTransform::fromScale(fit.m11(), fit.m22()));
    centerOn(scene_.sceneRect().center());
    // The window is coming on the screen at this size: the court's and the pieces' first
    // pictures are drawn meanwhile, off this thread.
    if (window()->isVisible()) {
        const qreal ratio = viewport()->devicePixelRatioF();
        firstPictures_.begin(document_.play(), QSizeF(fit.m11() * ratio, fit.m22() * ratio));
    }
}

void CourtView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    fitCourt();
}

QPointF CourtView::toScene(QPointF viewPosition) const
{
    // Sub-pixel positions from touch screens and scaled screens stay as they are.
    return viewportTransform().inverted().map(viewPosition);
}

int CourtView::pieceAt(QPointF scenePosition) const
{
    for (QGraphicsItem *item : scene_.items(scenePosition)) {
        if (auto *piece = dynamic_cast<PieceItem *>(item))
            return piece->piece();
    }
    return -1;
}

bool CourtView::dragging(int piece) const
{
    for (const Drag &d : drags_) {
        if (d.piece == piece)
            return true;
    }
    return false;
}

void CourtView::grab(int pointer, QPointF scenePosition)
{
    const int piece = pieceAt(scenePosition);
    if (piece < 0 || dragging(piece))
        return;
    drags_.insert(pointer, Drag { piece, pieces_[piece]->pos() - scenePosition });
    pieces_[piece]->setZValue(3);
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void CourtView::drag(int pointer, QPointF scenePosition)
{
    const auto found = drags_.constFind(pointer);
    if (found == drags_.constEnd())
        return;
    pieces_[found->piece]->setPos(scenePosition + found->offset);
    placeBallWithHolder();
}

void CourtView::placeBallWithHolder()
{
    // The ball goes with the player who holds it, also while that player is dragged.
    const int holder = document_.play().steps.at(document_.currentStep()).ballHolder;
    if (holder != play::kNoHolder && !dragging(play::kBall))
        pieces_[play::kBall]->setPos(play::heldBallPosition(pieces_[holder]->pos()));
}

void CourtView::drop(int pointer, QPointF scenePosition)
{
    const auto found = drags_.constFind(pointer);
    if (found == drags_.constEnd())
        return;
    const Drag d = *found;
    drags_.erase(found);
    pieces_[d.piece]->setZValue(d.piece == play::kBall ? 2 : 1);
    if (drags_.isEmpty())
        viewport()->unsetCursor();
    const QPointF position = scenePosition + d.offset;
    // A drop where the piece stood changes nothing; any other is the play's to decide.
    emit pieceDropped(d.piece, position);
    showStep();
}

void CourtView::cancelDrags()
{
    drags_.clear();
    viewport()->unsetCursor();
    showStep();
}

bool CourtView::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto *touch = static_cast<QTouchEvent *>(event);
        for (const QEventPoint &point : touch->points()) {
            const QPointF scenePosition = toScene(point.position());
            switch (point.state()) {
            case QEventPoint::Pressed:
                press(point.id(), scenePosition);
                break;
            case QEventPoint::Updated:
                move(point.id(), scenePosition);
                break;
            case QEventPoint::Released:
                release(point.id(), scenePosition);
                break;
            default:
                break;
            }
        }
        event->accept();
        return true;
    }
    case QEvent::TouchCancel:
        drawing_.reset();
        actions_->clearPreview();
        cancelDrags();
        event->accept();
        return true;
    default:
        return QGraphicsView::viewportEvent(event);
    }
}

void CourtView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton)
        press(kMousePointer, toScene(event->position()));
    event->accept();
}

void CourtView::mouseMoveEvent(QMouseEvent *event)
{
    move(kMousePointer, toScene(event->position()));
    event->accept();
}

void CourtView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        release(kMousePointer, toScene(event->position()));
    event->accept();
}

void CourtView::press(int pointer, QPointF scenePosition)
{
    if (playbackSeconds_)
        emit pressedDuringPlayback();
    if (playbackSeconds_)
        return;
    if (tool_ != Tool::Select) {
        startDrawing(pointer, scenePosition);
        return;
    }
    if (pointer == kMousePointer) {
        const int handle = handleAt(scenePosition);
        if (handle >= 0) {
            draggedHandle_ = handle;
            editedAction_ = document_.play().steps.at(document_.currentStep()).actions.at(selectedAction());
            return;
        }
    }
    grab(pointer, scenePosition);
    if (!drags_.contains(pointer) && drags_.isEmpty())
        selectAction(actionAt(scenePosition));
}

void CourtView::move(int pointer, QPointF scenePosition)
{
    if (drawing_ && pointer == drawingPointer_) {
        drawing_->move(scenePosition);
        actions_->setPreview(
            int(document_.play().steps.at(document_.currentStep()).actions.size()), drawing_->action(), scenePosition);
        return;
    }
    if (draggedHandle_ >= 0 && pointer == kMousePointer) {
        editedAction_.points[draggedHandle_] = play::clampToCourt(document_.play().court, scenePosition);
        actions_->setPreview(selectedAction(), editedAction_, scenePosition);
        return;
    }
    drag(pointer, scenePosition);
}

void CourtView::release(int pointer, QPointF scenePosition)
{
    if (drawing_ && pointer == drawingPointer_) {
        const std::optional<play::Action> action = drawing_->release(scenePosition);
        const QString message = drawing_->message();
        drawing_.reset();
        actions_->clearPreview();
        if (action)
            emit actionDrawn(*action);
        else
            emit refused(message);
        return;
    }
    if (draggedHandle_ >= 0 && pointer == kMousePointer) {
        move(pointer, scenePosition);
        draggedHandle_ = -1;
        actions_->clearPreview();
        if (editedAction_ != document_.play().steps.at(document_.currentStep()).actions.at(selectedAction()))
            emit actionEdited(selectedAction(), editedAction_);
        return;
    }
    drop(pointer, scenePosition);
}

void CourtView::startDrawing(int pointer, QPointF scenePosition)
{
    if (drawing_)
        return; // one finger draws at a time
    switch (tool_) {
    case Tool::Text:
        emit textRequested(scenePosition);
        return;
    case Tool::Eraser: {
        const int index = actionAt(scenePosition);
        if (index >= 0)
            emit actionEraseRequested(index);
        return;
    }
    default:
        break;
    }
    const std::optional<play::ActionKind> kind = drawnKind(tool_);
    if (!kind)
        return;
    drawing_.emplace(document_.play(), document_.currentStep(), *kind);
    if (!drawing_->press(scenePosition)) {
        emit refused(drawing_->message());
        drawing_.reset();
        return;
    }
    drawingPointer_ = pointer;
    actions_->setPreview(
        int(document_.play().steps.at(document_.currentStep()).actions.size()), drawing_->action(), scenePosition);
}

int CourtView::actionAt(QPointF scenePosition) const
{
    const play::Play &play = document_.play();
    const int step = document_.currentStep();
    QPainterPathStroker stroker;
    stroker.setWidth(2 * kLineReach);
    stroker.setCapStyle(Qt::RoundCap);
    // The last drawn lies on top.
    for (int index = int(play.steps.at(step).actions.size()) - 1; index >= 0; --index) {
        const play::Action &action = play.steps.at(step).actions.at(index);
        if (action.kind == play::ActionKind::Text && !action.points.isEmpty()) {
            if (QLineF(action.points.first(), scenePosition).length() < 2 * kLineReach)
                return index;
            continue;
        }
        if (stroker.createStroke(play::actionLine(play, step, index)).contains(scenePosition))
            return index;
    }
    return -1;
}

int CourtView::handleAt(QPointF scenePosition) const
{
    const int selected = selectedAction();
    if (selected < 0)
        return -1;
    const play::Action &action = document_.play().steps.at(document_.currentStep()).actions.at(selected);
    // A run's first point is its player's place: the player is dragged, not the point.
    const int first = play::movesPlayer(action.kind) ? 1 : 0;
    for (int point = int(action.points.size()) - 1; point >= first; --point) {
        if (QLineF(action.points.at(point), scenePosition).length() < kHandleReach)
            return point;
    }
    return -1;
}

bool CourtView::event(QEvent *event)
{
    // Delete removes the selected action, not the step, while the court has the focus.
    if (event->type() == QEvent::ShortcutOverride && selectedAction() >= 0) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Delete) || key->key() == Qt::Key_Backspace) {
            event->accept();
            return true;
        }
    }
    return QGraphicsView::event(event);
}

void CourtView::keyPressEvent(QKeyEvent *event)
{
    if (selectedAction() >= 0 && (event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Backspace)) {
        emit actionEraseRequested(selectedAction());
        return;
    }
    if (event->key() == Qt::Key_Escape && (selectedAction() >= 0 || drawing_)) {
        drawing_.reset();
        actions_->clearPreview();
        selectAction(-1);
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void CourtView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int piece = pieceAt(toScene(event->position()));
    if (piece >= 0 && piece < play::kPlayerCount)
        emit playerEditRequested(piece);
    event->accept();
}
