#pragma once

#include "play/play.h"

#include <QString>

// A play in words, for a message or a coaching document: one line a step, each action a
// sentence with the players' numbers and names ("Step 2. 1 passes to 3. 5 screens for 2.
// 2 cuts to the left block.").
namespace play {

// The spot of the court a position is nearest to, as coaches name it, with its article:
// "the left block", "the top of the key", "half court". Left and right are the offence's,
// facing the basket of the half the position lies in.
QString spotName(Court court, QPointF position);

// "1 (Sam)" for an ally, "X2" for an opponent (as play diagrams mark defenders).
QString playerText(const Play &play, int player);

// One action as a sentence ("1 passes to 3."); empty for a freehand stroke.
QString actionText(const Play &play, int step, int action);

// "Step 2." and the step's actions, then its note on the same line.
QString stepText(const Play &play, int step);

// The play's name, its tags, then a line for each step.
QString playText(const Play &play, const QString &name);

} // namespace play
