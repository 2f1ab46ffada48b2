#include "play/playtext.h"

#include "play/motion.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>
#include <limits>

namespace play {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("play", text);
}

struct Spot {
    const char *name;
    double x; // in pixels of the court picture at its design size
    double y;
};

// The half court, its basket at the top: the offence faces up, its left on the picture's
// left. Each spot where a player would stand there, read off the court's lines: the lane
// is 403.5 to 653.5 wide and ends at the free-throw line (y 250), the basket is at
// (528.5, 62) and the three-point arc of radius 420 about it meets the corners' straight
// lines at x 108.5 and 948.5; half court is the picture's bottom edge.
constexpr Spot kHalfCourtSpots[] = {
    { QT_TRANSLATE_NOOP("play", "the basket"), 528.5, 75 },
    { QT_TRANSLATE_NOOP("play", "the lane"), 528.5, 160 },
    { QT_TRANSLATE_NOOP("play", "the left block"), 390, 135 },
    { QT_TRANSLATE_NOOP("play", "the right block"), 667, 135 },
    { QT_TRANSLATE_NOOP("play", "the left elbow"), 403.5, 250 },
    { QT_TRANSLATE_NOOP("play", "the right elbow"), 653.5, 250 },
    { QT_TRANSLATE_NOOP("play", "the free-throw line"), 528.5, 250 },
    { QT_TRANSLATE_NOOP("play", "the left short corner"), 250, 70 },
    { QT_TRANSLATE_NOOP("play", "the right short corner"), 807, 70 },
    { QT_TRANSLATE_NOOP("play", "the left corner"), 55, 50 },
    { QT_TRANSLATE_NOOP("play", "the right corner"), 1002, 50 },
    { QT_TRANSLATE_NOOP("play", "the left wing"), 200, 390 },
    { QT_TRANSLATE_NOOP("play", "the right wing"), 857, 390 },
    { QT_TRANSLATE_NOOP("play", "the top of the key"), 528.5, 510 },
    { QT_TRANSLATE_NOOP("play", "half court"), 528.5, 615 },
};

// The whole court's left end, its basket at (60, 300): the offence attacking it faces
// left, its left towards the picture's bottom. The lane runs to the free-throw line at
// x 200 between y 205 and 395; the arc of radius 218 meets the corners' lines at y 82 and
// 518. The right end is the same turned half round (about the baskets' height, y 300).
constexpr Spot kWholeCourtEndSpots[] = {
    { QT_TRANSLATE_NOOP("play", "the basket"), 75, 300 },
    { QT_TRANSLATE_NOOP("play", "the lane"), 120, 300 },
    { QT_TRANSLATE_NOOP("play", "the left block"), 100, 410 },
    { QT_TRANSLATE_NOOP("play", "the right block"), 100, 190 },
    { QT_TRANSLATE_NOOP("play", "the left elbow"), 200, 395 },
    { QT_TRANSLATE_NOOP("play", "the right elbow"), 200, 205 },
    { QT_TRANSLATE_NOOP("play", "the free-throw line"), 200, 300 },
    { QT_TRANSLATE_NOOP("play", "the left short corner"), 40, 465 },
    { QT_TRANSLATE_NOOP("play", "the right short corner"), 40, 135 },
    { QT_TRANSLATE_NOOP("play", "the left corner"), 30, 565 },
    { QT_TRANSLATE_NOOP("play", "the right corner"), 30, 35 },
    { QT_TRANSLATE_NOOP("play", "the left wing"), 225, 470 },
    { QT_TRANSLATE_NOOP("play", "the right wing"), 225, 130 },
    { QT_TRANSLATE_NOOP("play", "the top of the key"), 300, 300 },
};
constexpr double kWholeCourtMiddle = 529.5;
constexpr double kWholeCourtBasketHeight = 300;
constexpr Spot kWholeCourtMiddleSpots[] = {
    { QT_TRANSLATE_NOOP("play", "half court"), kWholeCourtMiddle, 80 },
    { QT_TRANSLATE_NOOP("play", "half court"), kWholeCourtMiddle, 300 },
    { QT_TRANSLATE_NOOP("play", "half court"), kWholeCourtMiddle, 520 },
};

// A screen is set for the teammate nearest its end within this reach.
constexpr double kScreenReach = 3 * kJerseyHeight;

bool isPlayer(int piece)
{
    return piece >= 0 && piece < kPlayerCount;
}

} // namespace

QString spotName(Court court, QPointF position)
{
    const QPointF p = position / kTwipsPerPixel;
    const char *nearest = nullptr;
    double best = std::numeric_limits<double>::max();
    const auto consider = [&](const Spot &spot, QPointF at) {
        if (const double d = std::hypot(at.x() - p.x(), at.y() - p.y()); d < best) {
            best = d;
            nearest = spot.name;
        }
    };
    if (court == Court::Half) {
        for (const Spot &spot : kHalfCourtSpots)
            consider(spot, QPointF(spot.x, spot.y));
    } else {
        const double width = courtSize(court).width() / kTwipsPerPixel;
        for (const Spot &spot : kWholeCourtEndSpots) {
            consider(spot, QPointF(spot.x, spot.y));
            consider(spot, QPointF(width - spot.x, 2 * kWholeCourtBasketHeight - spot.y));
        }
        for (const Spot &spot : kWholeCourtMiddleSpots)
            consider(spot, QPointF(spot.x, spot.y));
    }
    return tr(nearest);
}

QString playerText(const Play &play, int player)
{
    if (!isPlayer(player))
        return tr("a player");
    const Player &entry = play.roster[player];
    QString text = QString::number(entry.number);
    if (sideOf(player) == Side::Opponent)
        text.prepend(QLatin1Char('X'));
    if (!entry.name.isEmpty())
        text += QStringLiteral(" (%1)").arg(entry.name);
    return text;
}

QString actionText(const Play &play, int step, int index)
{
    const Action &action = play.steps.at(step).actions.at(index);
    const QString who = playerText(play, action.player);
    const QString end = action.points.isEmpty() ? QString() : spotName(play.court, action.points.last());
    switch (action.kind) {
    case ActionKind::Cut:
        return tr("%1 cuts to %2.").arg(who, end);
    case ActionKind::Dribble:
        return tr("%1 dribbles to %2.").arg(who, end);
    case ActionKind::Pass:
        if (!isPlayer(action.receiver))
            return tr("%1 passes.").arg(who);
        return tr("%1 passes to %2.").arg(who, playerText(play, action.receiver));
    case ActionKind::Handoff:
        if (!isPlayer(action.receiver))
            return tr("%1 hands off.").arg(who);
        return tr("%1 hands off to %2.").arg(who, playerText(play, action.receiver));
    case ActionKind::Shot: {
        const QPointF from = isPlayer(action.player) ? positionBefore(play, step, index, action.player) : QPointF();
        return tr("%1 shoots from %2.").arg(who, spotName(play.court, from));
    }
    case ActionKind::Screen: {
        // Whom the screen is for: the teammate standing nearest where it is set.
        int screened = kNoPlayer;
        double nearest = kScreenReach;
        for (int mate = 0; isPlayer(action.player) && !action.points.isEmpty() && mate < kPlayerCount; ++mate) {
            if (mate == action.player || sideOf(mate) != sideOf(action.player))
                continue;
            const QPointF d = positionBefore(play, step, index, mate) - action.points.last();
            if (const double distance = std::hypot(d.x(), d.y()); distance < nearest) {
                nearest = distance;
                screened = mate;
            }
        }
        if (screened != kNoPlayer)
            return tr("%1 screens for %2.").arg(who, playerText(play, screened));
        return tr("%1 sets a screen at %2.").arg(who, end);
    }
    case ActionKind::Text:
        return tr("Written on the court: \"%1\".").arg(action.text.simplified());
    case ActionKind::Pen:
        break;
    }
    return QString();
}

QString stepText(const Play &play, int step)
{
    QStringList parts { tr("Step %1.").arg(step + 1) };
    for (int action = 0; action < play.steps.at(step).actions.size(); ++action) {
        if (const QString text = actionText(play, step, action); !text.isEmpty())
            parts.append(text);
    }
    if (const QString note = play.steps.at(step).note.simplified(); !note.isEmpty())
        parts.append(note);
    return parts.join(QLatin1Char(' '));
}

QString playText(const Play &play, const QString &name)
{
    QStringList lines { name };
    if (!play.tags.isEmpty())
        lines.append(tr("Tags: %1").arg(play.tags.join(QStringLiteral(", "))));
    for (int step = 0; step < play.steps.size(); ++step)
        lines.append(stepText(play, step));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace play
