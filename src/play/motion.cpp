#include "play/motion.h"

// Placeholders with the declared signatures, so that the editor builds against them while
// the rules are written.
namespace play {

Placement startOf(const Step &step)
{
    return Placement { step.positions, step.ballHolder };
}

Placement endOf(const Play &play, int step)
{
    Placement end = startOf(play.steps.at(step));
    for (const Action &action : play.steps.at(step).actions) {
        if (movesPlayer(action.kind) && action.player != kNoPlayer && !action.points.isEmpty())
            end.positions[action.player] = action.points.last();
        if ((action.kind == ActionKind::Pass || action.kind == ActionKind::Handoff) && action.player == end.ballHolder
            && action.receiver != kNoPlayer)
            end.ballHolder = action.receiver;
    }
    return end;
}

QString checkActions(const Play &, int)
{
    return {};
}

bool settle(Play &play, int fromStep)
{
    bool changed = false;
    for (int step = std::max(fromStep, 0); step + 1 < play.steps.size(); ++step) {
        const Placement end = endOf(play, step);
        Step &next = play.steps[step + 1];
        for (const Action &action : play.steps[step].actions) {
            if (movesPlayer(action.kind) && action.player != kNoPlayer
                && next.positions[action.player] != end.positions[action.player]) {
                next.positions[action.player] = end.positions[action.player];
                changed = true;
            }
        }
        if (next.ballHolder != end.ballHolder) {
            next.ballHolder = end.ballHolder;
            changed = true;
        }
    }
    return changed;
}

QPointF basketPosition(Court court, QPointF)
{
    const QSizeF size = courtSize(court);
    return QPointF(size.width() / 2, court == Court::Half ? size.height() * 0.1 : size.height() / 2);
}

Play mirrored(const Play &play, bool)
{
    return play;
}

Timeline timeline(const Play &play, int step)
{
    Timeline result;
    for (qsizetype i = 0; i < play.steps.at(step).actions.size(); ++i)
        result.actions.append(Span { 0, 1 });
    result.duration = (result.actions.isEmpty() ? 0 : 1) + kStepPause;
    return result;
}

Placement placementAt(const Play &play, int step, double seconds)
{
    return seconds >= timeline(play, step).duration - kStepPause ? endOf(play, step) : startOf(play.steps.at(step));
}

double playDuration(const Play &play)
{
    double total = 0;
    for (int step = 0; step < play.steps.size(); ++step)
        total += timeline(play, step).duration;
    return total;
}

double stepStartTime(const Play &play, int step)
{
    double total = 0;
    for (int s = 0; s < step; ++s)
        total += timeline(play, s).duration;
    return total;
}

PlayTime locate(const Play &play, double seconds)
{
    for (int step = 0; step < play.steps.size(); ++step) {
        const double duration = timeline(play, step).duration;
        if (seconds < duration || step + 1 == play.steps.size())
            return PlayTime { step, std::clamp(seconds, 0.0, duration) };
        seconds -= duration;
    }
    return {};
}

} // namespace play
