#pragma once

#include "play/play.h"

#include <QList>

#include <memory>

// What a step's actions do to where the pieces stand, and how a play moves when it plays.
//
// A step's positions and ball holder (Step::positions, Step::ballHolder) are where it
// starts. Its actions then run: a cut, dribble or screen takes its player to the end of its
// line, a pass or handoff gives the ball to its receiver, a dribble carries the ball, a shot
// leaves the ball free at the basket. Where that leaves every piece is the step's end.
//
// The rule that ties steps together (settle): a piece that a step's actions move, the ball
// included, starts the next step where that step ended it. Pieces no action moves keep the
// places their steps give them, so a coach may still place them by hand step by step.
namespace play {

struct Placement {
    std::array<QPointF, kPieceCount> positions; // the ball's counts only while it is free
    int ballHolder = 0; // a player, or kNoHolder

    bool operator==(const Placement &) const = default;
};

// Where a step starts: its stored positions and holder.
Placement startOf(const Step &step);

// Where a step ends once its actions have run. An action that cannot run (a pass from a
// player who does not hold the ball at that moment) is skipped; checkPlay names it.
Placement endOf(const Play &play, int step);

// Where a player stands when an action of a step starts: where the player's last run (cut,
// dribble, screen) listed before it ends, or where the step starts them. A pass leaves
// from there and goes to where its receiver stands so.
QPointF positionBefore(const Play &play, int step, int action, int player);

// What is wrong with a step's actions, for a person ("step 2: Ally 3 passes without the
// ball"), or an empty string: each action's player on the court and of the right kind, a
// pass or handoff to a teammate, the ball actions in the order of the step's list each by
// the player who holds the ball at that moment, enough points, text within its length.
QString checkActions(const Play &play, int step);

// The part of checkActions a play file must pass to be read or written: each action's
// values whole (players, points on the court and enough of them, text within its length),
// leaving out who holds the ball and whom a pass goes to, which later steps' edits may
// change and --check reports.
QString checkActionValues(const Play &play, int step);

// Applies the rule above from the given step to the end of the play; returns whether
// anything changed. Every command that changes actions or positions settles after it.
bool settle(Play &play, int fromStep = 0);

// Settles a play after a change made from a step on (an action added, edited or deleted,
// a piece moved), given the play before it: besides the rule above, a piece that started a
// later step where the step before ended it, and that the change did not place itself,
// follows that step's new end, so that a deleted pass takes the ball back in the steps
// that followed it. Plays of different step counts are settled alone.
bool settleChange(Play &play, const Play &before, int fromStep);

// The basket a shot from a position goes to (the half court's one; on the whole court the
// nearer one), in twips.
QPointF basketPosition(Court court, QPointF shooter);

// The play mirrored, positions, actions and their points alike: left to right (sideline to
// sideline; each basket stays where it is), or, when endToEnd (whole court only), end to
// end (the baskets swap; both mirrors together run the same play at the other basket).
// Mirroring twice the same way gives the play back, but for a mark within 225 twips of the
// whole court's bottom edge, which the first mirror brings to its top edge.
Play mirrored(const Play &play, bool endToEnd);

// Playback. Times are in seconds at speed 1. Actions of a step run at the same time,
// except that a ball action waits until the ball is where it starts (the previous ball
// action finished) and until its passer and receiver have finished running (a pass goes
// to where the cutter it feeds arrives). Players run at kRunSpeed, passes fly at
// kPassSpeed, along their drawn lines.
inline constexpr double kRunSpeed = 6000; // twips a second
inline constexpr double kPassSpeed = 15000;
inline constexpr double kStepPause = 0.5; // seconds still at the end of each step

struct Span {
    double start = 0;
    double end = 0;
};

struct Timeline {
    QList<Span> actions; // one per action of the step, in its order; annotations take none
    double duration = 0; // the last action's end plus kStepPause; kStepPause for no action
};

Timeline timeline(const Play &play, int step);

// Where every piece stands at a time into a step (clamped to 0..duration), the ball with
// its holder, in flight, or free.
Placement placementAt(const Play &play, int step, double seconds);

// The whole play as one time line, for a slider: its length, and which step and how far
// into it a time of the play falls.
double playDuration(const Play &play);
struct PlayTime {
    int step = 0;
    double seconds = 0;
};
PlayTime locate(const Play &play, double seconds);
double stepStartTime(const Play &play, int step);

// A play's motion worked out once, for what asks for it at every frame (playback, an
// animation's frames): the lines and times of every step's actions. It answers as the
// functions above do for the play it was made from, which it keeps; copies share it.
class PlayMotion {
public:
    explicit PlayMotion(const Play &play);

    double duration() const;
    double stepStartTime(int step) const;
    PlayTime locate(double seconds) const;
    Placement placementAt(int step, double seconds) const;

private:
    struct Data;
    std::shared_ptr<const Data> d_;
};

} // namespace play
