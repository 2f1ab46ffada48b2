#include "play/motion.h"
#include "play/playpainter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

using namespace play;

namespace {

constexpr double kScale = 0.1; // a pixel for 10 twips

// A half court with Ally 1 (the holder) at (3000, 5000) and Ally 2 at (13000, 5000).
Play marksPlay(const Action &action)
{
    Play play = newPlay(Court::Half);
    Step &step = play.steps.front();
    step.positions[0] = QPointF(3000, 5000);
    step.positions[1] = QPointF(13000, 5000);
    step.ballHolder = 0;
    if (action.kind == ActionKind::Shot)
        step.positions[0] = QPointF(7927.5, 8000); // below the basket
    step.actions = { action };
    return play;
}

QImage drawn(const Play &play)
{
    const QSizeF size = courtSize(play.court) * kScale;
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(kScale, kScale);
    drawAction(painter, play, 0, 0);
    return image;
}

bool darkAt(const QImage &image, QPointF twips)
{
    const QPoint p = (twips * kScale).toPoint();
    return image.rect().contains(p) && qGray(image.pixel(p)) < 128;
}

// The share of dark samples, every 10 twips, of a stretch of a line shifted sideways.
double darkShare(const QImage &image, QPointF from, QPointF to, double offset)
{
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF normal = QPointF(-d.y(), d.x()) / length;
    int dark = 0;
    int count = 0;
    for (double at = 0; at <= length; at += 10, ++count)
        dark += darkAt(image, from + d * (at / length) + normal * offset) ? 1 : 0;
    return double(dark) / count;
}

} // namespace

struct MarkCase {
    const char *name;
    Action action;
    QPointF from; // where the line starts
    QPointF tip; // where its mark ends
    enum Body { Solid, Dashed, Zigzag } body;
    bool arrowhead;
    bool bar;
    bool doubleBar;
    bool doubleArrowhead;
};

void PrintTo(const MarkCase &c, std::ostream *os)
{
    *os << c.name;
}

class ActionMarks : public ::testing::TestWithParam<MarkCase> { };

TEST_P(ActionMarks, AreDrawnWhereTheirLinesRun)
{
    const MarkCase &c = GetParam();
    const QImage image = drawn(marksPlay(c.action));
    const QPointF d = c.tip - c.from;
    const QPointF u = d / std::hypot(d.x(), d.y());
    const QPointF n(-u.y(), u.x());

    // The body, on a stretch clear of the ends and of a handoff's bars.
    const QPointF a = c.from + d * 0.2;
    const QPointF b = c.from + d * 0.4;
    const double onLine = darkShare(image, a, b, 0);
    const double beside = std::max(darkShare(image, a, b, 100), darkShare(image, a, b, -100));
    switch (c.body) {
    case MarkCase::Solid:
        EXPECT_GT(onLine, 0.95);
        EXPECT_EQ(beside, 0);
        break;
    case MarkCase::Dashed:
        EXPECT_GT(onLine, 0.25);
        EXPECT_LT(onLine, 0.85);
        EXPECT_EQ(beside, 0);
        break;
    case MarkCase::Zigzag:
        EXPECT_LT(onLine, 0.5);
        EXPECT_GT(beside, 0.05);
        break;
    }

    const auto bothSides
        = [&](QPointF at, double offset) { return darkAt(image, at + n * offset) && darkAt(image, at - n * offset); };
    EXPECT_EQ(bothSides(c.tip - u * 150, 60), c.arrowhead) << "arrowhead";
    EXPECT_EQ(bothSides(c.tip, 200), c.bar) << "bar across the end";
    const QPointF middle = (c.from + c.tip) / 2;
    EXPECT_EQ(bothSides(middle - u * 45, 150) && bothSides(middle + u * 45, 150) && !darkAt(image, middle + n * 150),
        c.doubleBar)
        << "two bars across the middle";
    EXPECT_EQ(bothSides(c.tip - u * 360, 60), c.doubleArrowhead) << "second arrowhead";
    // Nothing drawn beyond the tip.
    EXPECT_FALSE(darkAt(image, c.tip + u * 60));
}

namespace {

const QList<QPointF> kAcross { { 3000, 5000 }, { 13000, 5000 } };
constexpr QPointF kBeforeAlly2(13000 - kJerseyHeight / 2, 5000);

} // namespace

INSTANTIATE_TEST_SUITE_P(EveryKind, ActionMarks,
    ::testing::Values(MarkCase { "Cut", { ActionKind::Cut, 2, kNoPlayer, kAcross }, kAcross[0], kAcross[1],
                          MarkCase::Solid, true, false, false, false },
        MarkCase {
            "Pass", { ActionKind::Pass, 0, 1 }, kAcross[0], kBeforeAlly2, MarkCase::Dashed, true, false, false, false },
        MarkCase { "Dribble", { ActionKind::Dribble, 0, kNoPlayer, kAcross }, kAcross[0], kAcross[1], MarkCase::Zigzag,
            true, false, false, false },
        MarkCase { "Screen", { ActionKind::Screen, 2, kNoPlayer, kAcross }, kAcross[0], kAcross[1], MarkCase::Solid,
            false, true, false, false },
        MarkCase { "Handoff", { ActionKind::Handoff, 0, 1 }, kAcross[0], kBeforeAlly2, MarkCase::Solid, true, false,
            true, false },
        MarkCase { "Shot", { ActionKind::Shot, 0 }, { 7927.5, 8000 }, basketPosition(Court::Half, {}), MarkCase::Dashed,
            true, false, false, true },
        MarkCase { "Pen", { ActionKind::Pen, kNoPlayer, kNoPlayer, kAcross }, kAcross[0], kAcross[1], MarkCase::Solid,
            false, false, false, false }),
    [](const auto &info) { return info.param.name; });

TEST(ActionMarks, AreInTheActionsColourAndBlackByDefault)
{
    Action cut { ActionKind::Cut, 2, kNoPlayer, kAcross };
    EXPECT_EQ(drawn(marksPlay(cut)).pixel((QPointF(8000, 5000) * kScale).toPoint()), qRgb(0, 0, 0));
    cut.colour = QColor(200, 30, 40);
    EXPECT_EQ(drawn(marksPlay(cut)).pixel((QPointF(8000, 5000) * kScale).toPoint()), qRgb(200, 30, 40));
}

TEST(ActionMarks, TextIsWrittenAroundItsPoint)
{
    const Play play = marksPlay({ ActionKind::Text, kNoPlayer, kNoPlayer, { { 5000, 3000 } }, {}, "Swing it" });
    const QRectF box = actionLine(play, 0, 0).boundingRect();
    EXPECT_TRUE(box.contains(QPointF(5000, 3000)));
    EXPECT_GT(box.width(), box.height());
    const QImage image = drawn(play);
    int dark = 0;
    for (double x = box.left(); x < box.right(); x += 10)
        dark += darkAt(image, { x, 3000 }) ? 1 : 0;
    EXPECT_GT(dark, 5);
}

TEST(ActionLine, RunsBetweenThePlayersWhereTheyAreWhenTheBallGoes)
{
    Play play = marksPlay({ ActionKind::Cut, 1, kNoPlayer, { { 13000, 5000 }, { 9000, 2000 } } });
    play.steps.front().actions << Action { ActionKind::Pass, 0, 1, { { 6000, 2500 } } }
                               << Action { ActionKind::Shot, 1 };
    const QPainterPath pass = actionLine(play, 0, 1);
    EXPECT_EQ(pass.pointAtPercent(0), QPointF(3000, 5000));
    EXPECT_EQ(pass.currentPosition(), QPointF(9000, 2000)); // where the cut it feeds ends
    EXPECT_EQ(pass.elementAt(3), QPointF(6000, 2500)); // bending through its point
    const QPainterPath shot = actionLine(play, 0, 2);
    EXPECT_EQ(shot.pointAtPercent(0), QPointF(9000, 2000));
    EXPECT_EQ(shot.currentPosition(), basketPosition(Court::Half, {}));
    // While a pass is drawn, before it reaches a teammate, it ends at its last point.
    play.steps.front().actions[1].receiver = kNoPlayer;
    EXPECT_EQ(actionLine(play, 0, 1).currentPosition(), QPointF(6000, 2500));
}

TEST(DrawFrame, DrawsThePiecesWhereTheyStandAtThatTime)
{
    // Ally 2 cuts 6000 twips, a second; half-way its jersey covers the middle of the line.
    Play play = marksPlay({ ActionKind::Cut, 1, kNoPlayer, { { 13000, 5000 }, { 13000, 1000 } } });
    play.steps.front().actions.first().points.last() = QPointF(7000, 5000);
    const auto frame = [&](double seconds) {
        QImage image((courtSize(play.court) * kScale).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(kScale, kScale);
        drawFrame(painter, play, 0, seconds);
        return image;
    };
    const QImage start = frame(0);
    const QImage half = frame(0.5);
    const QPoint middle = (QPointF(10000, 5000) * kScale).toPoint();
    const QPoint begin = (QPointF(13000, 5000) * kScale).toPoint();
    EXPECT_NE(start.pixel(middle), half.pixel(middle)); // the jersey arrived there
    EXPECT_NE(start.pixel(begin), half.pixel(begin)); // and left here
}
