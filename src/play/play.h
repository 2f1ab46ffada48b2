#pragma once

#include "play/action.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <array>

// A play as plain values: the court, the roster and the steps. Positions are in the court's
// own units, twips (1/1440 inch at the court's design size, 15 to a logical pixel), measured
// from the court picture's top-left corner, so a play never depends on the screen.
namespace play {

enum class Court { Half, Whole };

// Twips to a pixel of the court pictures at their design size.
inline constexpr double kTwipsPerPixel = 15;
enum class Side { Ally, Opponent };

// Pieces are numbered 0 to 10: allies 0 to 4, opponents 5 to 9, then the ball.
inline constexpr int kPlayersPerSide = 5;
inline constexpr int kPlayerCount = 2 * kPlayersPerSide;
inline constexpr int kBall = kPlayerCount;
inline constexpr int kPieceCount = kPlayerCount + 1;
// No one holds the ball: it lies where its own position says.
inline constexpr int kNoHolder = -1;

inline constexpr int kMaxNumber = 99;
inline constexpr int kMaxNameLength = 24;
inline constexpr int kMaxNoteLength = 4000;
inline constexpr int kMaxSteps = 10000;
inline constexpr int kMaxTags = 16;
inline constexpr int kMaxTagLength = 32;

inline Side sideOf(int piece)
{
    return piece < kPlayersPerSide ? Side::Ally : Side::Opponent;
}

struct Player {
    int number = 0; // 0 to kMaxNumber, shown on the jersey
    QString name; // short, at most kMaxNameLength characters, may be empty

    bool operator==(const Player &) const = default;
};

struct Step {
    std::array<QPointF, kPieceCount> positions; // centres; the ball's counts only while it is free
    int ballHolder = 0; // a player, or kNoHolder
    QString note;
    QList<Action> actions; // drawn on the step, run in this order where they depend on each other

    bool operator==(const Step &) const = default;
};

struct Play {
    Court court = Court::Half;
    std::array<Player, kPlayerCount> roster;
    QList<Step> steps; // never empty in a valid play
    // Category tags for the library ("Inbounds", "Zone offence"): at most kMaxTags, each one
    // line of 1 to kMaxTagLength characters, no two alike.
    QStringList tags;

    bool operator==(const Play &) const = default;
};

// The court's extent in twips: its picture's size.
QSizeF courtSize(Court court);

// A new play: one step with the ten jerseys in their starting rows, as on the board, and
// the ball with ally 1; the roster numbered 1 to 5 on each side, no names.
Play newPlay(Court court);

// The nearest point of the court to a position, so that nothing is lost off the board.
QPointF clampToCourt(Court court, QPointF position);

// The centre of a held ball: beside its holder's jersey.
QPointF heldBallPosition(QPointF holderPosition);

// Where the ball of a step is drawn: beside its holder, or where it lies.
QPointF ballPosition(const Step &step);

// "Ally 3", "Opponent 2", "Ball": the piece's name in messages and undo texts.
QString pieceLabel(int piece);

// Size of a jersey and of the ball on the court, in twips.
inline constexpr double kJerseyWidth = 735;
inline constexpr double kJerseyHeight = 960;
inline constexpr double kBallDiameter = 420;

} // namespace play
