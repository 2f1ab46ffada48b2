#include "play/play.h"
#include "play/playfile.h"

#include <QRectF>
#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace play;

namespace {

bool withinExtent(Court court, QPointF p)
{
    const QSizeF size = courtSize(court);
    return p.x() >= 0 && p.y() >= 0 && p.x() <= size.width() && p.y() <= size.height();
}

} // namespace

class NewPlay : public ::testing::TestWithParam<Court> { };

TEST_P(NewPlay, StartsWithTheStartingRowsAndTheBallWithAllyOne)
{
    const Play play = newPlay(GetParam());
    ASSERT_EQ(play.steps.size(), 1);
    const Step &step = play.steps.front();
    std::set<std::pair<double, double>> places;
    for (int piece = 0; piece < kPlayerCount; ++piece) {
        const QPointF p = step.positions[piece];
        EXPECT_EQ(clampToCourt(play.court, p), p) << piece; // wholly on the court
        places.insert({ p.x(), p.y() });
        EXPECT_EQ(play.roster[piece].number, piece % kPlayersPerSide + 1);
        EXPECT_TRUE(play.roster[piece].name.isEmpty());
    }
    EXPECT_EQ(places.size(), size_t(kPlayerCount)) << "two jerseys start on the same spot";
    EXPECT_EQ(step.ballHolder, 0);
    EXPECT_EQ(ballPosition(step), heldBallPosition(step.positions[0]));
    EXPECT_EQ(checkPlay(play), QString());
}

INSTANTIATE_TEST_SUITE_P(BothCourts, NewPlay, ::testing::Values(Court::Half, Court::Whole));

struct ClampCase {
    Court court;
    QPointF position;
    QPointF expected;
};

class ClampToCourt : public ::testing::TestWithParam<ClampCase> { };

TEST_P(ClampToCourt, KeepsTheJerseyWhollyOnTheCourt)
{
    EXPECT_EQ(clampToCourt(GetParam().court, GetParam().position), GetParam().expected);
}

// The half court is 15855 x 9570 twips, the whole court 15885 x 9225; a jersey 735 x 960.
INSTANTIATE_TEST_SUITE_P(Edges, ClampToCourt,
    ::testing::Values(ClampCase { Court::Half, { 5000, 4000 }, { 5000, 4000 } },
        ClampCase { Court::Half, { -900, 4000 }, { 367.5, 4000 } },
        ClampCase { Court::Half, { 5000, 1e9 }, { 5000, 9090 } },
        ClampCase { Court::Half, { 20000, -20000 }, { 15487.5, 480 } },
        ClampCase { Court::Whole, { 1e9, 1e9 }, { 15517.5, 8745 } },
        ClampCase { Court::Whole, { 367.5, 480 }, { 367.5, 480 } }));

// The editor keeps a held ball beside its holder; a jersey in any corner of the court
// still leaves that ball within the court's extent, where a play file may hold it.
TEST(BallPosition, AHeldBallBesideAJerseyInAnyCornerStaysOnTheCourt)
{
    for (const Court court : { Court::Half, Court::Whole }) {
        const QSizeF size = courtSize(court);
        for (const QPointF corner : { QPointF(0, 0), QPointF(size.width(), 0), QPointF(0, size.height()),
                 QPointF(size.width(), size.height()) }) {
            EXPECT_TRUE(withinExtent(court, heldBallPosition(clampToCourt(court, corner)))) << corner.x();
        }
    }
}

TEST(BallPosition, FollowsItsHolderAndLiesWhereItIsWhenFree)
{
    Step step = newPlay(Court::Half).steps.front();
    step.positions[kBall] = QPointF(100, 200);
    step.ballHolder = 7;
    EXPECT_EQ(ballPosition(step), heldBallPosition(step.positions[7]));
    step.positions[7] += QPointF(1000, 500);
    EXPECT_EQ(ballPosition(step), heldBallPosition(step.positions[7]));
    step.ballHolder = kNoHolder;
    EXPECT_EQ(ballPosition(step), QPointF(100, 200));
}
