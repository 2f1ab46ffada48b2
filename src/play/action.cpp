#include "play/action.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <utility>

namespace play {

bool movesPlayer(ActionKind kind)
{
    return kind == ActionKind::Cut || kind == ActionKind::Dribble || kind == ActionKind::Screen;
}

bool needsBall(ActionKind kind)
{
    return kind == ActionKind::Pass || kind == ActionKind::Handoff || kind == ActionKind::Dribble
        || kind == ActionKind::Shot;
}

bool isAnnotation(ActionKind kind)
{
    return kind == ActionKind::Pen || kind == ActionKind::Text;
}

namespace {

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    const double t = lengthSquared > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / lengthSquared, 0.0, 1.0) : 0.0;
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

} // namespace

QPainterPath pathThrough(const QList<QPointF> &points)
{
    // A Catmull-Rom spline through the points, as cubic Bézier segments: each segment's
    // tangents point from the point before to the point after, the ends repeating
    // themselves, so the curve passes through every point without overshooting far.
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    const qsizetype last = points.size() - 1;
    if (last == 1) {
        path.lineTo(points[1]);
        return path;
    }
    for (qsizetype i = 0; i < last; ++i) {
        const QPointF before = points[std::max<qsizetype>(i - 1, 0)];
        const QPointF after = points[std::min(i + 2, last)];
        const QPointF c1 = points[i] + (points[i + 1] - before) / 6;
        const QPointF c2 = points[i + 1] - (after - points[i]) / 6;
        path.cubicTo(c1, c2, points[i + 1]);
    }
    return path;
}

QList<QPointF> simplifyStroke(const QList<QPointF> &stroke, double tolerance)
{
    // Ramer-Douglas-Peucker: keep the point farthest from the chord between two kept points
    // while it lies beyond the tolerance, and split there; with a stack, not recursion.
    if (stroke.size() <= 2)
        return stroke;
    QList<bool> keep(stroke.size(), false);
    keep.first() = keep.last() = true;
    QList<std::pair<qsizetype, qsizetype>> spans { { 0, stroke.size() - 1 } };
    while (!spans.isEmpty()) {
        const auto [first, last] = spans.takeLast();
        double farthest = -1;
        qsizetype index = -1;
        for (qsizetype i = first + 1; i < last; ++i) {
            const double d = distanceToSegment(stroke[i], stroke[first], stroke[last]);
            if (d > farthest) {
                farthest = d;
                index = i;
            }
        }
        if (index < 0 || !(farthest > tolerance))
            continue;
        keep[index] = true;
        spans.append({ first, index });
        spans.append({ index, last });
    }
    QList<QPointF> result;
    for (qsizetype i = 0; i < stroke.size(); ++i) {
        if (keep[i])
            result.append(stroke[i]);
    }
    return result;
}

QString actionLabel(ActionKind kind)
{
    switch (kind) {
    case ActionKind::Cut:
        return QCoreApplication::translate("play", "Cut");
    case ActionKind::Pass:
        return QCoreApplication::translate("play", "Pass");
    case ActionKind::Dribble:
        return QCoreApplication::translate("play", "Dribble");
    case ActionKind::Screen:
        return QCoreApplication::translate("play", "Screen");
    case ActionKind::Handoff:
        return QCoreApplication::translate("play", "Handoff");
    case ActionKind::Shot:
        return QCoreApplication::translate("play", "Shot");
    case ActionKind::Pen:
        return QCoreApplication::translate("play", "Pen");
    case ActionKind::Text:
        return QCoreApplication::translate("play", "Text");
    }
    return {};
}

} // namespace play
