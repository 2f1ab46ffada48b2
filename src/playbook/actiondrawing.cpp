#include "playbook/actiondrawing.h"

#include "play/motion.h"

#include <QCoreApplication>
#include <QLineF>
#include <QRectF>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ActionDrawing", text);
}

bool onJersey(QPointF centre, QPointF position)
{
    return QRectF(centre.x() - play::kJerseyWidth / 2, centre.y() - play::kJerseyHeight / 2, play::kJerseyWidth,
        play::kJerseyHeight)
        .contains(position);
}

} // namespace

std::optional<play::ActionKind> drawnKind(Tool tool)
{
    switch (tool) {
    case Tool::Cut:
        return play::ActionKind::Cut;
    case Tool::Pass:
        return play::ActionKind::Pass;
    case Tool::Dribble:
        return play::ActionKind::Dribble;
    case Tool::Screen:
        return play::ActionKind::Screen;
    case Tool::Handoff:
        return play::ActionKind::Handoff;
    case Tool::Shot:
        return play::ActionKind::Shot;
    case Tool::Pen:
        return play::ActionKind::Pen;
    case Tool::Select:
    case Tool::Text:
    case Tool::Eraser:
        break;
    }
    return std::nullopt;
}

int playerAt(const play::Play &play, int step, QPointF position)
{
    const play::Placement start = play::startOf(play.steps.at(step));
    const play::Placement end = play::endOf(play, step);
    // The last drawn on top: the highest number wins where jerseys overlap.
    for (int player = play::kPlayerCount - 1; player >= 0; --player) {
        if (onJersey(start.positions[player], position) || onJersey(end.positions[player], position))
            return player;
    }
    return play::kNoPlayer;
}

ActionDrawing::ActionDrawing(const play::Play &play, int step, play::ActionKind kind)
    : play_(play)
    , step_(step)
{
    action_.kind = kind;
}

bool ActionDrawing::press(QPointF position)
{
    stroke_ = { position };
    action_.points.clear();
    if (play::isAnnotation(action_.kind)) {
        action_.points = stroke_;
        return true;
    }
    const int player = playerAt(play_, step_, position);
    if (player == play::kNoPlayer) {
        message_ = tr("Start a %1 on a player.").arg(play::actionLabel(action_.kind));
        return false;
    }
    const play::Placement end = play::endOf(play_, step_);
    if (play::needsBall(action_.kind) && end.ballHolder != player) {
        message_ = tr("%1 does not have the ball.").arg(play::pieceLabel(player));
        return false;
    }
    action_.player = player;
    if (play::movesPlayer(action_.kind)) {
        // A second run of the same player in a step goes on from where the first ended.
        action_.points = { end.positions[player] };
    }
    return true;
}

void ActionDrawing::move(QPointF position)
{
    stroke_.append(position);
    if (play::movesPlayer(action_.kind) || play::isAnnotation(action_.kind)) {
        const QPointF first = action_.points.isEmpty() ? position : action_.points.first();
        action_.points = QList<QPointF> { first } + stroke_.mid(1);
    }
}

std::optional<play::Action> ActionDrawing::release(QPointF position)
{
    move(position);
    const double length = QLineF(stroke_.first(), position).length();
    switch (action_.kind) {
    case play::ActionKind::Cut:
    case play::ActionKind::Dribble:
    case play::ActionKind::Screen:
    case play::ActionKind::Pen: {
        QList<QPointF> points = play::simplifyStroke(action_.points, kStrokeTolerance);
        if (points.size() < 2 || QLineF(points.first(), points.last()).length() < kStrokeTolerance) {
            message_ = tr("Drag to draw the %1.").arg(play::actionLabel(action_.kind));
            return std::nullopt;
        }
        action_.points = points.mid(0, play::kMaxPoints);
        return action_;
    }
    case play::ActionKind::Pass:
    case play::ActionKind::Handoff: {
        const play::Placement end = play::endOf(play_, step_);
        int receiver = play::kNoPlayer;
        double nearest = kReceiverReach;
        for (int player = 0; player < play::kPlayerCount; ++player) {
            const double distance = QLineF(end.positions[player], position).length();
            if (player != action_.player && play::sideOf(player) == play::sideOf(action_.player)
                && distance < nearest) {
                receiver = player;
                nearest = distance;
            }
        }
        if (receiver == play::kNoPlayer) {
            message_ = tr("End the %1 on a teammate.").arg(play::actionLabel(action_.kind));
            return std::nullopt;
        }
        action_.receiver = receiver;
        action_.points.clear();
        return action_;
    }
    case play::ActionKind::Shot:
        if (length < kStrokeTolerance) {
            message_ = tr("Drag from the shooter to draw the Shot.");
            return std::nullopt;
        }
        action_.points.clear();
        return action_;
    case play::ActionKind::Text:
        break;
    }
    return std::nullopt;
}
