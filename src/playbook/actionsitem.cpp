#include "playbook/actionsitem.h"

#include "play/motion.h"
#include "play/playpainter.h"
#include "playbook/playdocument.h"

#include <QPainter>

namespace {

constexpr double kHandleSize = 160; // twips

} // namespace

ActionsItem::ActionsItem(const PlayDocument &document)
    : document_(document)
{
    setZValue(0.5);
}

void ActionsItem::followCourt()
{
    prepareGeometryChange();
}

void ActionsItem::setPreview(int index, const play::Action &action, QPointF pointer)
{
    previewIndex_ = index;
    preview_ = action;
    pointer_ = pointer;
    update();
}

void ActionsItem::clearPreview()
{
    if (previewIndex_ < 0)
        return;
    previewIndex_ = -1;
    update();
}

void ActionsItem::setSelectedAction(int index)
{
    if (index == selected_)
        return;
    selected_ = index;
    update();
}

QRectF ActionsItem::boundingRect() const
{
    // Marks may reach a little past the court's lines, never past its picture's edge.
    return QRectF(QPointF(0, 0), play::courtSize(document_.play().court));
}

void ActionsItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    // The step on show alone, with the action being drawn or edited in it: a step's marks
    // depend on that step only, and a long play is not copied at every repaint.
    play::Play shown;
    shown.court = document_.play().court;
    shown.roster = document_.play().roster;
    shown.steps = { document_.play().steps.at(document_.currentStep()) };
    const int step = 0;
    QList<play::Action> &actions = shown.steps[step].actions;
    const bool previewLine = previewIndex_ >= 0 && previewIndex_ < actions.size() + 1
        && (play::movesPlayer(preview_.kind) || play::isAnnotation(preview_.kind) || previewIndex_ < actions.size());
    if (previewLine) {
        if (previewIndex_ < actions.size())
            actions[previewIndex_] = preview_;
        else
            actions.append(preview_);
    }
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    if (selected_ >= 0 && selected_ < actions.size()) {
        QColor glow = QColor(0x3d, 0xae, 0xe9, 110);
        painter->setPen(QPen(glow, 200, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(play::actionLine(shown, step, selected_));
    }
    for (int action = 0; action < actions.size(); ++action)
        play::drawAction(*painter, shown, step, action);

    if (previewIndex_ >= 0 && !previewLine && preview_.player != play::kNoPlayer) {
        // A pass or shot being drawn: from the player to the pointer until it is made.
        const QPointF from = play::endOf(shown, step).positions[preview_.player];
        painter->setPen(QPen(preview_.colour.isValid() ? preview_.colour : QColor(Qt::black), 40, Qt::DashLine));
        painter->drawLine(from, pointer_);
    }

    if (selected_ >= 0 && selected_ < actions.size()) {
        painter->setPen(QPen(Qt::white, 20));
        painter->setBrush(QColor(0x3d, 0xae, 0xe9));
        const play::Action &action = actions.at(selected_);
        for (int i = play::movesPlayer(action.kind) ? 1 : 0; i < action.points.size(); ++i) {
            const QPointF &point = action.points.at(i);
            painter->drawRect(
                QRectF(point.x() - kHandleSize / 2, point.y() - kHandleSize / 2, kHandleSize, kHandleSize));
        }
    }
}
