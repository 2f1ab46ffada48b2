#include "playbook/commands.h"

#include "play/motion.h"
#include "playbook/playdocument.h"

#include <QLineF>

namespace {

// How near a jersey's centre a dropped ball must land to be that player's.
constexpr double kReach = 700;

enum CommandId { EditNoteId = 1 };

} // namespace

play::Step droppedPiece(const play::Play &play, int step, int piece, QPointF to)
{
    play::Step result = play.steps.at(step);
    const QPointF place = play::clampToCourt(play.court, to);
    if (piece != play::kBall) {
        const QPointF from = result.positions[piece];
        result.positions[piece] = place;
        for (play::Action &action : result.actions) {
            if (action.player == piece && play::movesPlayer(action.kind) && !action.points.isEmpty()
                && action.points.first() == from) {
                action.points.first() = place;
                break;
            }
        }
        return result;
    }
    int nearest = play::kNoHolder;
    double nearestDistance = kReach;
    for (int player = 0; player < play::kPlayerCount; ++player) {
        const double distance = QLineF(to, result.positions[player]).length();
        if (distance < nearestDistance) {
            nearest = player;
            nearestDistance = distance;
        }
    }
    result.ballHolder = nearest;
    if (nearest == play::kNoHolder)
        result.positions[play::kBall] = place;
    return result;
}

EditPlayer::EditPlayer(PlayDocument &document, int player, const play::Player &value)
    : document_(document)
    , player_(player)
    , before_(document.play().roster[player])
    , after_(value)
{
    setText(QObject::tr("Edit %1").arg(play::pieceLabel(player)));
}

void EditPlayer::undo()
{
    document_.setPlayer(player_, before_);
}

void EditPlayer::redo()
{
    document_.setPlayer(player_, after_);
}

EditNote::EditNote(PlayDocument &document, int step, const QString &note)
    : document_(document)
    , step_(step)
    , before_(document.play().steps.at(step).note)
    , after_(note)
{
    setText(QObject::tr("Edit Note of Step %1").arg(step + 1));
}

void EditNote::undo()
{
    document_.setCurrentStep(step_);
    document_.setNote(step_, before_);
}

void EditNote::redo()
{
    document_.setCurrentStep(step_);
    document_.setNote(step_, after_);
}

int EditNote::id() const
{
    return EditNoteId;
}

bool EditNote::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const EditNote *>(other);
    if (next->step_ != step_)
        return false;
    after_ = next->after_;
    return true;
}

InsertStep::InsertStep(PlayDocument &document, int index, const play::Step &value, const QString &text)
    : document_(document)
    , index_(index)
    , step_(value)
{
    setText(text);
}

void InsertStep::undo()
{
    document_.removeStep(index_);
    document_.setCurrentStep(index_ - 1);
}

void InsertStep::redo()
{
    document_.insertStep(index_, step_);
}

namespace {

QList<play::Step> withoutStep(QList<play::Step> steps, int index)
{
    steps.removeAt(index);
    return steps;
}

QList<play::Step> withStepMoved(QList<play::Step> steps, int from, int to)
{
    steps.move(from, to);
    return steps;
}

} // namespace

ReorderSteps::ReorderSteps(PlayDocument &document, QList<play::Step> reordered, int from)
    : document_(document)
    , reordered_(std::move(reordered))
{
    play::Play settled = document.play();
    settled.steps = reordered_;
    play::settle(settled, std::max(0, from - 1));
    settled_ = settled.steps;
}

void ReorderSteps::undo()
{
    document_.setSteps(reordered_);
    restoreOrder();
}

void ReorderSteps::redo()
{
    reorder();
    document_.setSteps(settled_);
}

DeleteStep::DeleteStep(PlayDocument &document, int index)
    : ReorderSteps(document, withoutStep(document.play().steps, index), index)
    , index_(index)
    , step_(document.play().steps.at(index))
{
    setText(QObject::tr("Delete Step %1").arg(index + 1));
}

void DeleteStep::restoreOrder()
{
    document_.insertStep(index_, step_);
}

void DeleteStep::reorder()
{
    document_.removeStep(index_);
}

MoveStep::MoveStep(PlayDocument &document, int from, int to)
    : ReorderSteps(document, withStepMoved(document.play().steps, from, to), std::min(from, to))
    , from_(from)
    , to_(to)
{
    setText(QObject::tr("Move Step %1").arg(from + 1));
}

void MoveStep::restoreOrder()
{
    document_.moveStep(to_, from_);
}

void MoveStep::reorder()
{
    document_.moveStep(from_, to_);
}

ChangeActions::ChangeActions(PlayDocument &document, int step, const std::function<void(play::Play &)> &change)
    : document_(document)
    , step_(step)
    , before_(document.play().steps)
{
    play::Play after = document.play();
    change(after);
    play::settleChange(after, document.play(), step);
    after_ = after.steps;
}

void ChangeActions::undo()
{
    document_.setCurrentStep(step_);
    document_.setSteps(before_);
}

void ChangeActions::redo()
{
    document_.setCurrentStep(step_);
    document_.setSteps(after_);
}

MovePiece::MovePiece(PlayDocument &document, int step, int piece, QPointF to)
    : ChangeActions(document, step, [&](play::Play &p) { p.steps[step] = droppedPiece(p, step, piece, to); })
{
    setText(QObject::tr("Move %1").arg(play::pieceLabel(piece)));
}

AddAction::AddAction(PlayDocument &document, int step, const play::Action &action)
    : ChangeActions(document, step, [&](play::Play &p) { p.steps[step].actions.append(action); })
{
    setText(QObject::tr("Add %1").arg(play::actionLabel(action.kind)));
}

EditAction::EditAction(PlayDocument &document, int step, int index, const play::Action &action, const QString &text)
    : ChangeActions(document, step, [&](play::Play &p) { p.steps[step].actions[index] = action; })
{
    setText(text);
}

DeleteAction::DeleteAction(PlayDocument &document, int step, int index)
    : ChangeActions(document, step, [&](play::Play &p) { p.steps[step].actions.removeAt(index); })
{
    setText(QObject::tr("Delete %1").arg(play::actionLabel(document.play().steps.at(step).actions.at(index).kind)));
}

MirrorPlay::MirrorPlay(PlayDocument &document, bool endToEnd)
    : ChangeActions(document, document.currentStep(), [&](play::Play &p) {
        p = play::mirrored(p, endToEnd && p.court == play::Court::Whole);
        play::settle(p, 0);
    })
{
    setText(endToEnd ? QObject::tr("Mirror Play End to End") : QObject::tr("Mirror Play"));
}
