#include "play/motion.h"
#include "play/playfile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace play;

namespace {

// A half court with the allies in a row 3000 twips apart and the ball with Ally 1.
Play rowPlay()
{
    Play play = newPlay(Court::Half);
    Step &step = play.steps.front();
    for (int player = 0; player < kPlayerCount; ++player)
        step.positions[player] = QPointF(2000 + 3000 * (player % kPlayersPerSide), player < 5 ? 5000 : 8000);
    step.ballHolder = 0;
    return play;
}

Action cut(int player, QPointF from, QPointF to, ActionKind kind = ActionKind::Cut)
{
    return Action { kind, player, kNoPlayer, { from, to } };
}

Action pass(int player, int receiver, ActionKind kind = ActionKind::Pass)
{
    return Action { kind, player, receiver };
}

Action shot(int player)
{
    return Action { ActionKind::Shot, player };
}

bool near(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y()) < 1;
}

} // namespace

struct PossessionCase {
    const char *name;
    QList<Action> actions;
    int holder; // at the step's end
    QString fault; // checkActions'
};

void PrintTo(const PossessionCase &c, std::ostream *os)
{
    *os << c.name;
}

class Possession : public ::testing::TestWithParam<PossessionCase> { };

TEST_P(Possession, FollowsTheBallActionsInOrder)
{
    Play play = rowPlay();
    play.steps.front().actions = GetParam().actions;
    const Placement end = endOf(play, 0);
    EXPECT_EQ(end.ballHolder, GetParam().holder);
    EXPECT_EQ(checkActions(play, 0), GetParam().fault);
    if (end.ballHolder == kNoHolder)
        EXPECT_EQ(end.positions[kBall], basketPosition(Court::Half, end.positions[0]));
}

INSTANTIATE_TEST_SUITE_P(Actions, Possession,
    ::testing::Values(PossessionCase { "PassFromTheHolder", { pass(0, 1) }, 1, {} },
        PossessionCase { "HandoffFromTheHolder", { pass(0, 1, ActionKind::Handoff) }, 1, {} },
        PossessionCase {
            "PassFromANonHolder", { pass(2, 1) }, 0, "step 1: Ally 3 passes without the ball; Ally 1 has it" },
        PossessionCase {
            "PassToAnOpponent", { pass(0, 6) }, 0, "step 1: Ally 1 passes to Opponent 2, who is not a teammate" },
        PossessionCase { "PassToNobody", { pass(0, kNoPlayer) }, 0, "step 1: the pass of Ally 1 goes to nobody" },
        PossessionCase { "PassToThemselves", { pass(0, 0) }, 0, "step 1: Ally 1 passes to themselves" },
        PossessionCase { "Shot", { shot(0) }, kNoHolder, {} },
        PossessionCase { "ShotThenPassOfTheFreeBall", { shot(0), pass(0, 1) }, kNoHolder,
            "step 1: Ally 1 passes without the ball; it lies free" },
        PossessionCase {
            "DribbleThenPass", { cut(0, { 2000, 5000 }, { 4000, 3000 }, ActionKind::Dribble), pass(0, 1) }, 1, {} },
        PossessionCase { "DribbleOfANonHolder", { cut(1, { 5000, 5000 }, { 4000, 3000 }, ActionKind::Dribble) }, 0,
            "step 1: Ally 2 dribbles without the ball; Ally 1 has it" },
        PossessionCase { "PassesAlongTheList", { pass(0, 1), pass(1, 2), pass(2, 3) }, 3, {} },
        PossessionCase { "SecondPassOfTheFirstPasser", { pass(0, 1), pass(0, 2) }, 1,
            "step 1: Ally 1 passes without the ball; Ally 2 has it" },
        PossessionCase { "CutOfNoPlayer", { cut(kNoPlayer, { 0, 0 }, { 10, 10 }) }, 0,
            "step 1: action 1, a cut, is by no player on the court" },
        PossessionCase { "CutOfOnePoint", { Action { ActionKind::Cut, 3, kNoPlayer, { { 1, 1 } } } }, 0,
            "step 1: the cut of Ally 4 has fewer than two points" },
        PossessionCase { "PointOffTheCourt", { cut(3, { 1, 1 }, { -5, 10 }) }, 0,
            "step 1: action 1, a cut, has a point outside the court" },
        PossessionCase {
            "OpponentsPass", { pass(5, 6) }, 0, "step 1: Opponent 1 passes without the ball; Ally 1 has it" }),
    [](const auto &info) { return info.param.name; });

TEST(EndOf, MovesTheCuttersDribblersAndScreenersToTheirLinesEnds)
{
    Play play = rowPlay();
    play.steps.front().actions = {
        cut(1, { 5000, 5000 }, { 6000, 2000 }),
        cut(0, { 2000, 5000 }, { 3000, 4000 }, ActionKind::Dribble),
        cut(7, { 8000, 8000 }, { 8500, 7000 }, ActionKind::Screen),
        Action { ActionKind::Pen, kNoPlayer, kNoPlayer, { { 100, 100 }, { 900, 900 } } },
    };
    const Placement end = endOf(play, 0);
    EXPECT_EQ(end.positions[1], QPointF(6000, 2000));
    EXPECT_EQ(end.positions[0], QPointF(3000, 4000));
    EXPECT_EQ(end.positions[7], QPointF(8500, 7000));
    EXPECT_EQ(end.positions[2], play.steps.front().positions[2]);
    EXPECT_EQ(end.ballHolder, 0);
}

TEST(Settle, TheNextStepStartsWhereTheActionsLeftThePiecesItMoved)
{
    Play play = rowPlay();
    Step second = play.steps.front();
    second.positions[4] = QPointF(14000, 2000); // placed by hand: no action moves Ally 5
    play.steps << second << second;
    play.steps[0].actions = { cut(1, { 5000, 5000 }, { 6000, 2000 }), pass(0, 1) };
    play.steps[1].actions = { cut(1, { 6000, 2000 }, { 8000, 1000 }, ActionKind::Dribble), shot(1) };

    EXPECT_TRUE(settle(play));
    EXPECT_EQ(play.steps[1].positions[1], QPointF(6000, 2000));
    EXPECT_EQ(play.steps[1].ballHolder, 1);
    EXPECT_EQ(play.steps[1].positions[4], QPointF(14000, 2000));
    EXPECT_EQ(play.steps[2].ballHolder, kNoHolder);
    EXPECT_EQ(play.steps[2].positions[kBall], basketPosition(Court::Half, {}));
    EXPECT_EQ(play.steps[2].positions[1], QPointF(8000, 1000));
    EXPECT_EQ(play.steps[2].positions[0], QPointF(2000, 5000)); // Ally 1 passed but did not move
    EXPECT_FALSE(settle(play));

    // Changing the first step's cut carries through the later steps.
    play.steps[0].actions[0].points.last() = QPointF(7000, 3000);
    EXPECT_TRUE(settle(play));
    EXPECT_EQ(play.steps[1].positions[1], QPointF(7000, 3000));
    EXPECT_EQ(play.steps[1].actions[0].points.first(), QPointF(7000, 3000)); // the dribble follows
    EXPECT_EQ(play.steps[2].positions[1], QPointF(8000, 1000));
    EXPECT_EQ(checkPlay(play), QString());
}

TEST(BasketPosition, IsTheRimOfTheNearerBasket)
{
    EXPECT_EQ(basketPosition(Court::Half, { 0, 9000 }), QPointF(7927.5, 930));
    EXPECT_EQ(basketPosition(Court::Whole, { 2000, 100 }), QPointF(900, 4500));
    EXPECT_EQ(basketPosition(Court::Whole, { 14000, 9000 }), QPointF(14985, 4500));
}

TEST(Mirrored, TwiceGivesThePlayBackAndKeepsTheBaskets)
{
    for (const Court court : { Court::Half, Court::Whole }) {
        for (const bool endToEnd : { false, true }) {
            Play play = rowPlay();
            if (court == Court::Whole)
                play = newPlay(Court::Whole);
            play.steps.front().actions = { cut(1, { 5000, 5000 }, { 6000, 2000 }), pass(0, 1),
                Action { ActionKind::Text, kNoPlayer, kNoPlayer, { { 700, 300 } }, Qt::red, "Go" } };
            const Play once = mirrored(play, endToEnd);
            EXPECT_NE(once, play);
            EXPECT_EQ(mirrored(once, endToEnd), play);
            EXPECT_EQ(once.steps.front().actions[2].text, "Go");
            EXPECT_EQ(checkPlay(once), QString());
        }
    }
    // Left to right keeps each basket where it is; end to end swaps the whole court's two.
    const auto mirrorPoint = [](Court court, QPointF p, bool endToEnd) {
        Play play = newPlay(court);
        play.steps.front().positions[kBall] = p;
        return mirrored(play, endToEnd).steps.front().positions[kBall];
    };
    const QPointF half = basketPosition(Court::Half, {});
    EXPECT_EQ(mirrorPoint(Court::Half, half, false), half);
    const QPointF left = basketPosition(Court::Whole, { 0, 0 });
    const QPointF right = basketPosition(Court::Whole, { 15885, 0 });
    EXPECT_EQ(mirrorPoint(Court::Whole, left, true), right);
    EXPECT_EQ(mirrorPoint(Court::Whole, left, false), left);
    // Left to right on the whole court: a spot beside a basket swaps sides of it, and the
    // centre circle stays put.
    EXPECT_EQ(mirrorPoint(Court::Whole, left + QPointF(0, 900), false), left - QPointF(0, 900));
    EXPECT_EQ(mirrorPoint(Court::Whole, { 7942.5, 4500 }, false), QPointF(7942.5, 4500));
    EXPECT_EQ(mirrorPoint(Court::Whole, { 100, 9225 }, false), QPointF(100, 0));
}

// Ally 2 cuts 6000 twips (one second) while Ally 4 cuts 3000 (half a second); the pass to
// Ally 2 waits for the cut it feeds, then flies straight between the held-ball spots.
class PlaybackTimes : public ::testing::Test {
protected:
    void SetUp() override
    {
        play = rowPlay();
        play.steps.front().actions = {
            cut(1, { 5000, 5000 }, { 5000 + 6000, 5000 }),
            cut(3, { 11000, 5000 }, { 11000, 2000 }),
            pass(0, 1),
        };
        from = heldBallPosition({ 2000, 5000 });
        to = heldBallPosition({ 11000, 5000 });
        flight = std::hypot(to.x() - from.x(), to.y() - from.y()) / kPassSpeed;
    }

    Play play;
    QPointF from;
    QPointF to;
    double flight = 0;
};

TEST_F(PlaybackTimes, RunsActionsTogetherUnlessOneFeedsAnother)
{
    const Timeline line = timeline(play, 0);
    ASSERT_EQ(line.actions.size(), 3);
    EXPECT_DOUBLE_EQ(line.actions[0].start, 0);
    EXPECT_DOUBLE_EQ(line.actions[0].end, 1);
    EXPECT_DOUBLE_EQ(line.actions[1].start, 0);
    EXPECT_DOUBLE_EQ(line.actions[1].end, 0.5);
    EXPECT_DOUBLE_EQ(line.actions[2].start, 1);
    EXPECT_DOUBLE_EQ(line.actions[2].end, 1 + flight);
    EXPECT_DOUBLE_EQ(line.duration, 1 + flight + kStepPause);

    Play still = rowPlay();
    EXPECT_DOUBLE_EQ(timeline(still, 0).duration, kStepPause);
}

TEST_F(PlaybackTimes, PlacesThePiecesAtChosenTimes)
{
    struct Case {
        double seconds;
        QPointF ally2;
        QPointF ally4;
        int holder;
        QPointF ball; // checked when free
    };
    const QPointF mid = (from + to) / 2;
    for (const Case &c :
        { Case { -1, { 5000, 5000 }, { 11000, 5000 }, 0, {} }, Case { 0.25, { 6500, 5000 }, { 11000, 3500 }, 0, {} },
            Case { 0.75, { 9500, 5000 }, { 11000, 2000 }, 0, {} },
            Case { 1 + flight / 2, { 11000, 5000 }, { 11000, 2000 }, kNoHolder, mid },
            Case { 100, { 11000, 5000 }, { 11000, 2000 }, 1, {} } }) {
        const Placement at = placementAt(play, 0, c.seconds);
        EXPECT_TRUE(near(at.positions[1], c.ally2)) << c.seconds;
        EXPECT_TRUE(near(at.positions[3], c.ally4)) << c.seconds;
        EXPECT_EQ(at.ballHolder, c.holder) << c.seconds;
        if (c.holder == kNoHolder)
            EXPECT_TRUE(near(at.positions[kBall], c.ball)) << c.seconds;
    }
    EXPECT_EQ(placementAt(play, 0, 100), endOf(play, 0));
}

TEST_F(PlaybackTimes, LocatesTimesOfTheWholePlay)
{
    play.steps << play.steps.front();
    play.steps.back().actions.clear();
    const double first = timeline(play, 0).duration;
    EXPECT_DOUBLE_EQ(stepStartTime(play, 1), first);
    EXPECT_DOUBLE_EQ(playDuration(play), first + kStepPause);
    const PlayTime inSecond = locate(play, first + 0.25);
    EXPECT_EQ(inSecond.step, 1);
    EXPECT_NEAR(inSecond.seconds, 0.25, 1e-9);
    EXPECT_EQ(locate(play, 0.5).step, 0);
    EXPECT_EQ(locate(play, -3).seconds, 0);
    EXPECT_EQ(locate(play, std::nan("")).seconds, 0); // a slider's bad value starts the play
    EXPECT_EQ(placementAt(play, 0, std::nan("")), startOf(play.steps.front()));
    const PlayTime after = locate(play, 1e6);
    EXPECT_EQ(after.step, 1);
    EXPECT_DOUBLE_EQ(after.seconds, kStepPause);
}

TEST(Timeline, ABallActionWaitsForTheOneBeforeItAndAPasserCutsOnceTheBallIsGone)
{
    Play play = rowPlay();
    // Ally 1 dribbles a second, passes to Ally 2 beside, then cuts (a give and go); Ally 3
    // cuts from the start; the annotation takes no time.
    play.steps.front().actions = {
        cut(0, { 2000, 5000 }, { 8000, 5000 }, ActionKind::Dribble),
        pass(0, 1),
        cut(0, { 8000, 5000 }, { 8000, 2000 }),
        cut(2, { 8000, 5000 }, { 8000, 8000 }),
        Action { ActionKind::Pen, kNoPlayer, kNoPlayer, { { 10, 10 }, { 20, 20 } } },
    };
    const double flight = std::hypot(3000, 0) / kPassSpeed; // from (8000, 5000) to (5000, 5000)
    const Timeline line = timeline(play, 0);
    EXPECT_DOUBLE_EQ(line.actions[1].start, 1);
    EXPECT_DOUBLE_EQ(line.actions[1].end, 1 + flight);
    EXPECT_DOUBLE_EQ(line.actions[2].start, 1 + flight);
    EXPECT_DOUBLE_EQ(line.actions[2].end, 1.5 + flight);
    EXPECT_DOUBLE_EQ(line.actions[3].start, 0);
    EXPECT_DOUBLE_EQ(line.actions[4].end, 0);
    // Mid-dribble the ball goes with its dribbler.
    const Placement dribbling = placementAt(play, 0, 0.5);
    EXPECT_EQ(dribbling.ballHolder, 0);
    EXPECT_TRUE(near(dribbling.positions[0], { 5000, 5000 }));
}
