#include "play/motion.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace play {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("play", text);
}

bool isPlayer(int piece)
{
    return piece >= 0 && piece < kPlayerCount;
}

// The basket centres in the court pictures (the rim's circle), in pixels of 15 twips.
constexpr QPointF kHalfCourtBasket(528.5 * kTwipsPerPixel, 62 * kTwipsPerPixel);
constexpr QPointF kWholeCourtBaskets[] = {
    { 60 * kTwipsPerPixel, 300 * kTwipsPerPixel },
    { (1059 - 60) * kTwipsPerPixel, 300 * kTwipsPerPixel },
};

// How one action of a step runs: whether it can, when, and the line it follows (the
// player's run, or the ball's flight).
struct Run {
    bool runs = false;
    double start = 0;
    double end = 0;
    QPainterPath path;
    double length = 0;
};

struct StepRun {
    QList<Run> runs;
    Placement end;
};

// Whether an action's ball part can run from a placement: its player holds the ball and,
// for a pass or handoff, gives it to a teammate.
bool ballActionRuns(const Action &action, const Placement &at)
{
    if (at.ballHolder != action.player)
        return false;
    if (action.kind == ActionKind::Pass || action.kind == ActionKind::Handoff) {
        return isPlayer(action.receiver) && action.receiver != action.player
            && sideOf(action.receiver) == sideOf(action.player);
    }
    return true;
}

// The players an action involves: its player, and its receiver.
bool involves(const Action &action, int player)
{
    return action.player == player || action.receiver == player;
}

// Runs a step's actions in the order of its list. Each action waits for the earlier ones
// that involve one of its players (so a player's actions follow each other, and a pass
// waits for the cut it feeds) and, for a ball action, for the previous ball action; all
// else runs at the same time. Since everything an action waits for comes earlier in the
// list, walking the list keeps the placement at each action's start.
StepRun runStep(const Play &play, int stepIndex)
{
    const Step &step = play.steps.at(stepIndex);
    StepRun result;
    result.end = startOf(step);
    Placement &at = result.end;
    result.runs.reserve(step.actions.size());
    std::array<double, kPlayerCount> playerFree {}; // when each player's last action ends
    double ballFree = 0; // when the last ball action ends
    for (const Action &action : step.actions) {
        Run run;
        if (isAnnotation(action.kind) || !isPlayer(action.player)) {
            result.runs.append(run);
            continue;
        }
        const bool ball = needsBall(action.kind);
        if (movesPlayer(action.kind)) {
            run.runs = action.points.size() >= 2 && (!ball || ballActionRuns(action, at));
            if (run.runs)
                run.path = pathThrough(action.points);
        } else if (ball && ballActionRuns(action, at)) {
            run.runs = true;
            const QPointF from = heldBallPosition(at.positions[action.player]);
            const QPointF to = action.kind == ActionKind::Shot ? basketPosition(play.court, at.positions[action.player])
                                                               : heldBallPosition(at.positions[action.receiver]);
            run.path = pathThrough(QList<QPointF> { from } + action.points + QList<QPointF> { to });
        }
        if (!run.runs) {
            result.runs.append(run);
            continue;
        }
        run.start = playerFree[action.player];
        if (isPlayer(action.receiver))
            run.start = std::max(run.start, playerFree[action.receiver]);
        if (ball)
            run.start = std::max(run.start, ballFree);
        run.length = run.path.length();
        const double speed = movesPlayer(action.kind) ? kRunSpeed : kPassSpeed;
        run.end = run.start + run.length / speed;

        playerFree[action.player] = run.end;
        if (isPlayer(action.receiver))
            playerFree[action.receiver] = run.end;
        if (ball)
            ballFree = run.end;

        if (movesPlayer(action.kind))
            at.positions[action.player] = action.points.last();
        if (action.kind == ActionKind::Pass || action.kind == ActionKind::Handoff) {
            at.ballHolder = action.receiver;
        } else if (action.kind == ActionKind::Shot) {
            at.ballHolder = kNoHolder;
            at.positions[kBall] = run.path.currentPosition();
        }
        result.runs.append(run);
    }
    return result;
}

// A step's length: its last action's end, and the pause after it.
double durationOf(const StepRun &run)
{
    double last = 0;
    for (const Run &r : run.runs)
        last = std::max(last, r.end);
    return last + kStepPause;
}

QPointF pointAt(const Run &run, double seconds)
{
    if (run.length <= 0 || run.end <= run.start)
        return run.path.currentPosition();
    const double fraction = std::clamp((seconds - run.start) / (run.end - run.start), 0.0, 1.0);
    return run.path.pointAtPercent(run.path.percentAtLength(run.length * fraction));
}

QString kindName(ActionKind kind)
{
    return actionLabel(kind).toLower();
}

// "passes", "hands off", ...: what the player of a ball action does, in messages.
QString ballVerb(ActionKind kind)
{
    switch (kind) {
    case ActionKind::Pass:
        return tr("passes");
    case ActionKind::Handoff:
        return tr("hands off");
    case ActionKind::Dribble:
        return tr("dribbles");
    default:
        return tr("shoots");
    }
}

qsizetype characterCount(const QString &text)
{
    return text.size() - std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLowSurrogate(); });
}

bool onCourt(Court court, QPointF p)
{
    const QSizeF size = courtSize(court);
    // Written so that NaN, which compares false, is outside too.
    return p.x() >= 0 && p.x() <= size.width() && p.y() >= 0 && p.y() <= size.height();
}

} // namespace

Placement startOf(const Step &step)
{
    return Placement { step.positions, step.ballHolder };
}

Placement endOf(const Play &play, int step)
{
    return runStep(play, step).end;
}

namespace {

// The checks of checkActions; without the rules of possession (who may pass, to whom), only
// whether each action's values are whole.
QString checkStep(const Play &play, int stepIndex, bool possession)
{
    const Step &step = play.steps.at(stepIndex);
    const QString where = tr("step %1: ").arg(stepIndex + 1);
    if (step.actions.size() > kMaxActions)
        return where + tr("the step has %1 actions; a step has at most %2").arg(step.actions.size()).arg(kMaxActions);
    Placement at = startOf(step);
    for (qsizetype i = 0; i < step.actions.size(); ++i) {
        const Action &action = step.actions[i];
        const QString kind = kindName(action.kind);
        if (action.points.size() > kMaxPoints)
            return where + tr("action %1, a %2, has more than %3 points").arg(i + 1).arg(kind).arg(kMaxPoints);
        for (const QPointF &p : action.points) {
            if (!onCourt(play.court, p))
                return where + tr("action %1, a %2, has a point outside the court").arg(i + 1).arg(kind);
        }
        if (isAnnotation(action.kind)) {
            if (action.player != kNoPlayer || action.receiver != kNoPlayer)
                return where
                    + tr("action %1, a %2, belongs to a player; annotations belong to none").arg(i + 1).arg(kind);
            if (action.kind == ActionKind::Pen && !action.text.isEmpty())
                return where + tr("action %1, a pen stroke, has a text; only a text has one").arg(i + 1);
            if (action.kind == ActionKind::Pen && action.points.size() < 2)
                return where + tr("action %1, a pen stroke, has fewer than two points").arg(i + 1);
            if (action.kind == ActionKind::Text && action.points.size() != 1)
                return where + tr("action %1, a text, must have exactly one point, its centre").arg(i + 1);
            if (action.kind == ActionKind::Text && characterCount(action.text) > kMaxTextLength)
                return where + tr("action %1, a text, is longer than %2 characters").arg(i + 1).arg(kMaxTextLength);
            continue;
        }
        if (!isPlayer(action.player))
            return where + tr("action %1, a %2, is by no player on the court").arg(i + 1).arg(kind);
        const QString player = pieceLabel(action.player);
        if (!action.text.isEmpty())
            return where + tr("the %1 of %2 has a text; only a text has one").arg(kind, player);
        if (movesPlayer(action.kind) && action.points.size() < 2)
            return where + tr("the %1 of %2 has fewer than two points").arg(kind, player);
        const bool gives = action.kind == ActionKind::Pass || action.kind == ActionKind::Handoff;
        if (gives && !possession) {
            if (action.receiver != kNoPlayer && !isPlayer(action.receiver))
                return where + tr("the %1 of %2 goes to no player").arg(kind, player);
        } else if (gives) {
            if (!isPlayer(action.receiver))
                return where + tr("the %1 of %2 goes to nobody").arg(kind, player);
            if (action.receiver == action.player)
                return where + tr("%1 %2 to themselves").arg(player, ballVerb(action.kind));
            if (sideOf(action.receiver) != sideOf(action.player)) {
                return where
                    + tr("%1 %2 to %3, who is not a teammate")
                          .arg(player, ballVerb(action.kind), pieceLabel(action.receiver));
            }
        } else if (action.receiver != kNoPlayer) {
            return where + tr("the %1 of %2 has a receiver; only a pass or a handoff has one").arg(kind, player);
        }
        if (possession && needsBall(action.kind) && at.ballHolder != action.player) {
            if (at.ballHolder == kNoHolder)
                return where + tr("%1 %2 without the ball; it lies free").arg(player, ballVerb(action.kind));
            return where
                + tr("%1 %2 without the ball; %3 has it").arg(player, ballVerb(action.kind), pieceLabel(at.ballHolder));
        }
        // The action runs: the next ones see its effect.
        if (movesPlayer(action.kind))
            at.positions[action.player] = action.points.last();
        if (gives)
            at.ballHolder = action.receiver;
        else if (action.kind == ActionKind::Shot)
            at.ballHolder = kNoHolder;
    }
    return {};
}

} // namespace

QPointF positionBefore(const Play &play, int step, int action, int player)
{
    const Step &s = play.steps.at(step);
    QPointF position = isPlayer(player) ? s.positions[player] : QPointF();
    for (qsizetype i = 0; i < action && i < s.actions.size(); ++i) {
        const Action &earlier = s.actions[i];
        if (movesPlayer(earlier.kind) && earlier.player == player && !earlier.points.isEmpty())
            position = earlier.points.last();
    }
    return position;
}

QString checkActions(const Play &play, int step)
{
    return checkStep(play, step, true);
}

QString checkActionValues(const Play &play, int step)
{
    return checkStep(play, step, false);
}

bool settle(Play &play, int fromStep)
{
    bool changed = false;
    for (int step = std::max(fromStep, 0); step + 1 < play.steps.size(); ++step) {
        const StepRun run = runStep(play, step);
        const QList<Action> &actions = play.steps[step].actions;
        Step &next = play.steps[step + 1];
        bool ballMoved = false;
        for (qsizetype i = 0; i < actions.size(); ++i) {
            if (!run.runs[i].runs)
                continue;
            const int player = actions[i].player;
            if (movesPlayer(actions[i].kind) && next.positions[player] != run.end.positions[player]) {
                next.positions[player] = run.end.positions[player];
                changed = true;
                // The player's first run of the next step starts from there too.
                for (Action &later : next.actions) {
                    if (movesPlayer(later.kind) && later.player == player && !later.points.isEmpty()) {
                        later.points.first() = run.end.positions[player];
                        break;
                    }
                }
            }
            ballMoved = ballMoved || needsBall(actions[i].kind);
        }
        if (!ballMoved)
            continue;
        if (next.ballHolder != run.end.ballHolder) {
            next.ballHolder = run.end.ballHolder;
            changed = true;
        }
        if (run.end.ballHolder == kNoHolder && next.positions[kBall] != run.end.positions[kBall]) {
            next.positions[kBall] = run.end.positions[kBall];
            changed = true;
        }
    }
    return changed;
}

bool settleChange(Play &play, const Play &before, int fromStep)
{
    bool changed = false;
    if (play.steps.size() == before.steps.size()) {
        for (int step = std::max(fromStep, 0); step + 1 < play.steps.size(); ++step) {
            const Placement oldEnd = endOf(before, step);
            const Placement newEnd = endOf(play, step);
            const Step &was = before.steps[step + 1];
            Step &next = play.steps[step + 1];
            for (int piece = 0; piece < kPieceCount; ++piece) {
                // A piece that started the next step where this one ended it, and that the
                // change did not place itself, goes on from the new end.
                if (was.positions[piece] != oldEnd.positions[piece] || next.positions[piece] != was.positions[piece]
                    || newEnd.positions[piece] == oldEnd.positions[piece])
                    continue;
                next.positions[piece] = newEnd.positions[piece];
                changed = true;
                for (Action &later : next.actions) {
                    if (movesPlayer(later.kind) && later.player == piece && !later.points.isEmpty()) {
                        if (later.points.first() == oldEnd.positions[piece])
                            later.points.first() = newEnd.positions[piece];
                        break;
                    }
                }
            }
            if (was.ballHolder == oldEnd.ballHolder && next.ballHolder == was.ballHolder
                && newEnd.ballHolder != oldEnd.ballHolder) {
                next.ballHolder = newEnd.ballHolder;
                changed = true;
            }
        }
    }
    return settle(play, fromStep) || changed;
}

QPointF basketPosition(Court court, QPointF shooter)
{
    if (court == Court::Half)
        return kHalfCourtBasket;
    return shooter.x() < courtSize(court).width() / 2 ? kWholeCourtBaskets[0] : kWholeCourtBaskets[1];
}

Play mirrored(const Play &play, bool endToEnd)
{
    // The half court's basket is at the top of its picture: left to right is across x, about
    // the picture's middle, where the basket is. The whole court's baskets are at its left
    // and right ends: end to end is across x, about the picture's middle, and left to right
    // (sideline to sideline) across y, about the line through both baskets, which lies
    // 112.5 twips above the picture's middle (the picture's sidelines are not drawn evenly
    // about it). A mark within 225 twips of the bottom edge comes to the top edge.
    const QSizeF size = courtSize(play.court);
    const bool whole = play.court == Court::Whole;
    const bool flipX = !whole || endToEnd;
    const bool flipY = whole && !endToEnd;
    const double axisY = kWholeCourtBaskets[0].y();
    const auto flip = [&](QPointF p) {
        return QPointF(flipX ? size.width() - p.x() : p.x(), flipY ? std::max(0.0, 2 * axisY - p.y()) : p.y());
    };
    Play result = play;
    for (Step &step : result.steps) {
        for (QPointF &p : step.positions)
            p = flip(p);
        for (Action &action : step.actions) {
            for (QPointF &p : action.points)
                p = flip(p);
        }
    }
    return result;
}

Timeline timeline(const Play &play, int step)
{
    const StepRun run = runStep(play, step);
    Timeline result;
    for (const Run &r : run.runs)
        result.actions.append(Span { r.start, r.end });
    result.duration = durationOf(run);
    return result;
}

namespace {

// Where every piece stands at a time into a step whose run is worked out.
Placement placementIn(const Play &play, int step, const StepRun &run, double seconds)
{
    if (std::isnan(seconds))
        seconds = 0;
    const QList<Action> &actions = play.steps.at(step).actions;
    Placement at = startOf(play.steps.at(step));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const Run &r = run.runs[i];
        const Action &action = actions[i];
        if (!r.runs || seconds < r.start)
            continue;
        const bool done = seconds >= r.end;
        if (movesPlayer(action.kind)) {
            at.positions[action.player] = done ? action.points.last() : pointAt(r, seconds);
        } else if (!done) { // the ball in flight
            at.ballHolder = kNoHolder;
            at.positions[kBall] = pointAt(r, seconds);
        } else if (action.kind == ActionKind::Shot) {
            at.ballHolder = kNoHolder;
            at.positions[kBall] = r.path.currentPosition();
        } else {
            at.ballHolder = action.receiver;
        }
    }
    return at;
}

} // namespace

Placement placementAt(const Play &play, int step, double seconds)
{
    return placementIn(play, step, runStep(play, step), seconds);
}

double playDuration(const Play &play)
{
    return PlayMotion(play).duration();
}

double stepStartTime(const Play &play, int step)
{
    return PlayMotion(play).stepStartTime(step);
}

PlayTime locate(const Play &play, double seconds)
{
    return PlayMotion(play).locate(seconds);
}

struct PlayMotion::Data {
    Play play;
    QList<StepRun> runs;
    QList<double> durations;
    QList<double> starts; // each step's start in the play's time
    double duration = 0;
};

PlayMotion::PlayMotion(const Play &play)
{
    auto data = std::make_shared<Data>();
    data->play = play;
    for (int step = 0; step < play.steps.size(); ++step) {
        data->runs.append(runStep(play, step));
        data->starts.append(data->duration);
        data->durations.append(durationOf(data->runs.last()));
        data->duration += data->durations.last();
    }
    d_ = std::move(data);
}

double PlayMotion::duration() const
{
    return d_->duration;
}

double PlayMotion::stepStartTime(int step) const
{
    if (step <= 0)
        return 0;
    return step < d_->starts.size() ? d_->starts[step] : d_->duration;
}

PlayTime PlayMotion::locate(double seconds) const
{
    const QList<double> &durations = d_->durations;
    seconds = std::isnan(seconds) ? 0 : std::max(seconds, 0.0);
    for (int step = 0; step < durations.size(); ++step) {
        if (seconds < durations[step] || step + 1 == durations.size())
            return PlayTime { step, std::min(seconds, durations[step]) };
        seconds -= durations[step];
    }
    return {};
}

Placement PlayMotion::placementAt(int step, double seconds) const
{
    return placementIn(d_->play, step, d_->runs.at(step), seconds);
}

} // namespace play
