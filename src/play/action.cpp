#include "play/action.h"

#include <QCoreApplication>

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

QPainterPath pathThrough(const QList<QPointF> &points)
{
    // Placeholder: straight segments until the curve is built.
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    return path;
}

QList<QPointF> simplifyStroke(const QList<QPointF> &stroke, double)
{
    return stroke; // placeholder
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
