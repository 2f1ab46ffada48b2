#pragma once

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QString>

// The marks a coach draws on a step: basketball actions, which move players and the ball,
// and annotations, which only show.
namespace play {

enum class ActionKind {
    Cut, // solid line with an arrowhead: the player runs along it
    Pass, // dashed line with an arrowhead: the ball flies from the passer to the receiver
    Dribble, // zigzag line with an arrowhead: the player runs along it with the ball
    Screen, // solid line ending in a short bar across it: the player runs to the screen's spot
    Handoff, // the ball handed from the player to a teammate beside them
    Shot, // the ball from the player to the basket
    Pen, // a freehand annotation
    Text, // a written annotation
};

inline constexpr int kNoPlayer = -1;
inline constexpr int kMaxActions = 500; // a step's
inline constexpr int kMaxPoints = 2000; // an action's
inline constexpr int kMaxTextLength = 200;

struct Action {
    ActionKind kind = ActionKind::Cut;
    // Who acts: a player (0 to 9) for the basketball actions, kNoPlayer for Pen and Text.
    int player = kNoPlayer;
    // Pass and Handoff: the teammate who gets the ball; kNoPlayer for every other kind.
    int receiver = kNoPlayer;
    // In twips, as positions are. Cut, Dribble, Screen: the path the player runs, from
    // where the player starts the step (the first point) to where the player ends it (the
    // last; at least two points). Pass, Handoff, Shot: the points the line bends through
    // between its ends (may be empty); its ends are the players' (and the basket's) places
    // when the ball leaves and arrives. Pen: the stroke, at least two points. Text: one
    // point, the text's centre.
    QList<QPointF> points;
    // Invalid: the kind's own colour.
    QColor colour;
    // Text only: the words, at most kMaxTextLength characters.
    QString text;

    bool operator==(const Action &) const = default;
};

// Cut, Dribble and Screen take their player along their points.
bool movesPlayer(ActionKind kind);
// Pass, Handoff, Dribble and Shot need the ball: their player must hold it when they start.
bool needsBall(ActionKind kind);
// Pen and Text: drawn, never moving anything.
bool isAnnotation(ActionKind kind);

// The smooth curve through an action's points (straight for two), the one line both drawing
// and playback follow.
QPainterPath pathThrough(const QList<QPointF> &points);

// A freehand stroke as the pointer gave it, reduced to the few points that keep its shape
// within a tolerance in twips.
QList<QPointF> simplifyStroke(const QList<QPointF> &stroke, double tolerance);

// "Cut", "Pass", ...: the kind's name in menus, messages and undo texts.
QString actionLabel(ActionKind kind);

} // namespace play
