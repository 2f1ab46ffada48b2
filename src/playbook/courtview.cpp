#include "playbook/courtview.h"

#include "play/playpainter.h"
#include "playbook/pieceitem.h"
#include "playbook/playdocument.h"

#include <QMouseEvent>
#include <QTouchEvent>

namespace {

constexpr int kMousePointer = -1;

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

    court_ = new CourtItem(document_);
    scene_.addItem(court_);
    for (int piece = 0; piece < play::kPieceCount; ++piece) {
        auto *item = new PieceItem(document_, piece);
        item->setCursor(Qt::OpenHandCursor);
        scene_.addItem(item);
        pieces_.append(item);
    }

    connect(&document_, &PlayDocument::currentStepChanged, this, &CourtView::showStep);
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

void CourtView::showStep()
{
    // A new play may bring the other court; only then is the view fitted again.
    const bool newCourt = shownCourt_ != document_.play().court;
    if (newCourt) {
        shownCourt_ = document_.play().court;
        scene_.setSceneRect(court_->boundingRect());
        court_->followCourt();
    }
    const play::Step &step = document_.play().steps.at(document_.currentStep());
    for (int piece = 0; piece < play::kPlayerCount; ++piece) {
        if (!dragging(piece))
            pieces_[piece]->setPos(step.positions[piece]);
    }
    if (!dragging(play::kBall))
        pieces_[play::kBall]->setPos(play::ballPosition(step));
    if (newCourt)
        fitCourt();
}

void CourtView::fitCourt()
{
    setTransform(QTransform());
    const QTransform fit = play::fitCourt(document_.play().court, QRectF(viewport()->rect()));
    // The view's own translation centres the scene; only the scale is set here.
    setTransform(QTransform::fromScale(fit.m11(), fit.m22()));
    centerOn(scene_.sceneRect().center());
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
                grab(point.id(), scenePosition);
                break;
            case QEventPoint::Updated:
                drag(point.id(), scenePosition);
                break;
            case QEventPoint::Released:
                drop(point.id(), scenePosition);
                break;
            default:
                break;
            }
        }
        event->accept();
        return true;
    }
    case QEvent::TouchCancel:
        cancelDrags();
        event->accept();
        return true;
    default:
        return QGraphicsView::viewportEvent(event);
    }
}

void CourtView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        grab(kMousePointer, toScene(event->position()));
    event->accept();
}

void CourtView::mouseMoveEvent(QMouseEvent *event)
{
    drag(kMousePointer, toScene(event->position()));
    event->accept();
}

void CourtView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        drop(kMousePointer, toScene(event->position()));
    event->accept();
}

void CourtView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int piece = pieceAt(toScene(event->position()));
    if (piece >= 0 && piece < play::kPlayerCount)
        emit playerEditRequested(piece);
    event->accept();
}
