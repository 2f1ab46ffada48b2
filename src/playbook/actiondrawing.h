#pragma once

#include "play/play.h"

#include <QString>

#include <optional>

// What a press and drag on the court does.
enum class Tool { Select, Cut, Pass, Dribble, Screen, Handoff, Shot, Pen, Text, Eraser };

// The kind of action a drawing tool draws; none for Select, Text and Eraser, which draw
// no line.
std::optional<play::ActionKind> drawnKind(Tool tool);

// The player whose jersey is at a position, where the step starts or where its actions
// have taken them; kNoPlayer for none.
int playerAt(const play::Play &play, int step, QPointF position);

// An action being drawn with the pointer on a step, from press to release. A press that
// cannot start the action, and a release that cannot finish it, leave a message saying why.
class ActionDrawing {
public:
    // How far a freehand stroke may stray from the simplified line, in twips.
    static constexpr double kStrokeTolerance = 150;
    // How near a teammate a pass or handoff must end to reach them: a jersey and a half.
    static constexpr double kReceiverReach = 1.5 * play::kJerseyWidth;

    ActionDrawing(const play::Play &play, int step, play::ActionKind kind);

    bool press(QPointF position);
    void move(QPointF position);
    std::optional<play::Action> release(QPointF position);

    // The action as drawn so far, for showing it while the pointer moves.
    const play::Action &action() const { return action_; }
    QString message() const { return message_; }

private:
    const play::Play &play_;
    int step_;
    play::Action action_;
    QList<QPointF> stroke_;
    QString message_;
};
