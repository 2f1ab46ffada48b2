#include "play/action.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace play;

TEST(PathThrough, PassesThroughEveryPointAndIsStraightForTwo)
{
    EXPECT_TRUE(pathThrough({}).isEmpty());
    const QPainterPath straight = pathThrough({ { 0, 0 }, { 300, 400 } });
    ASSERT_EQ(straight.elementCount(), 2);
    EXPECT_TRUE(straight.elementAt(1).isLineTo());
    EXPECT_DOUBLE_EQ(straight.length(), 500);

    const QList<QPointF> points { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 2000, 1500 } };
    const QPainterPath curve = pathThrough(points);
    // A move, then per segment its two control points and its end.
    ASSERT_EQ(curve.elementCount(), 1 + 3 * (points.size() - 1));
    QList<QPointF> through;
    for (int i = 0; i < curve.elementCount(); i += 3)
        through.append(curve.elementAt(i));
    EXPECT_EQ(through, points);
    // Smooth: near the corner at (1000, 0) the curve turns gradually, not at a right angle.
    EXPECT_GT(curve.length(), 2000 + 1118 * 0.9);
    EXPECT_LT(curve.length(), 2000 + 1118 * 1.3);
}

struct StrokeCase {
    const char *name;
    QList<QPointF> stroke;
    double tolerance;
    QList<QPointF> expected;
};

namespace {

QList<QPointF> line(QPointF from, QPointF to, int count, double wobble)
{
    QList<QPointF> points;
    for (int i = 0; i <= count; ++i) {
        const QPointF p = from + (to - from) * double(i) / count;
        points.append(i == 0 || i == count ? p : p + QPointF(0, (i % 2 ? wobble : -wobble)));
    }
    return points;
}

} // namespace

class SimplifyStroke : public ::testing::TestWithParam<StrokeCase> { };

TEST_P(SimplifyStroke, KeepsTheShapeWithinTheTolerance)
{
    EXPECT_EQ(simplifyStroke(GetParam().stroke, GetParam().tolerance), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Strokes, SimplifyStroke,
    ::testing::Values(StrokeCase { "Empty", {}, 10, {} },
        StrokeCase { "TwoPoints", { { 0, 0 }, { 5, 5 } }, 10, { { 0, 0 }, { 5, 5 } } },
        StrokeCase { "WobblyLine", line({ 0, 0 }, { 1000, 0 }, 100, 5), 10, { { 0, 0 }, { 1000, 0 } } },
        StrokeCase {
            "WobbleBeyondTheTolerance", line({ 0, 0 }, { 40, 0 }, 4, 20), 10, line({ 0, 0 }, { 40, 0 }, 4, 20) },
        StrokeCase { "Corner", line({ 0, 0 }, { 1000, 0 }, 50, 3) + line({ 1000, 0 }, { 1000, 1000 }, 50, 0).mid(1), 10,
            { { 0, 0 }, { 1000, 0 }, { 1000, 1000 } } },
        StrokeCase { "ClosedLoop", { { 0, 0 }, { 500, 0 }, { 500, 500 }, { 0, 0 } }, 10,
            { { 0, 0 }, { 500, 0 }, { 500, 500 }, { 0, 0 } } }),
    [](const auto &info) { return info.param.name; });
