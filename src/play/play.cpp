#include "play/play.h"

#include "resources/layouts.h"

#include <QCoreApplication>
#include <algorithm>

namespace play {

namespace {

// The court pictures' sizes in logical pixels, 15 twips each.
constexpr QSizeF kHalfCourt(1057 * kTwipsPerPixel, 638 * kTwipsPerPixel);
constexpr QSizeF kWholeCourt(1059 * kTwipsPerPixel, 615 * kTwipsPerPixel);

// The board's starting row of a jersey, "ally1" to "enemy5", as its centre.
QPointF startingPosition(const layouts::BoardLayout &board, int piece)
{
    const bool ally = sideOf(piece) == Side::Ally;
    const int index = ally ? piece : piece - kPlayersPerSide;
    const QByteArray name = QByteArray(ally ? "ally" : "enemy") + QByteArray::number(index + 1);
    for (const layouts::ControlSpec &row : board.controls) {
        if (name == row.name)
            return QPointF(row.left + row.width / 2.0, row.top + row.height / 2.0);
    }
    return {};
}

} // namespace

QSizeF courtSize(Court court)
{
    return court == Court::Half ? kHalfCourt : kWholeCourt;
}

Play newPlay(Court court)
{
    const layouts::BoardLayout &board = court == Court::Half ? layouts::halfCourt : layouts::wholeCourt;
    Play play;
    play.court = court;
    for (int i = 0; i < kPlayerCount; ++i)
        play.roster[i].number = i % kPlayersPerSide + 1;
    Step step;
    for (int piece = 0; piece < kPlayerCount; ++piece)
        step.positions[piece] = startingPosition(board, piece);
    step.ballHolder = 0;
    step.positions[kBall] = heldBallPosition(step.positions[0]);
    play.steps.append(step);
    return play;
}

QPointF clampToCourt(Court court, QPointF position)
{
    // A jersey stays wholly on the court, the ball too.
    const QSizeF size = courtSize(court);
    const double marginX = kJerseyWidth / 2;
    const double marginY = kJerseyHeight / 2;
    return QPointF(std::clamp(position.x(), marginX, size.width() - marginX),
        std::clamp(position.y(), marginY, size.height() - marginY));
}

QPointF heldBallPosition(QPointF holderPosition)
{
    // On the holder's right shoulder, clear of the number and of a neighbour in a row.
    return holderPosition + QPointF(kJerseyWidth / 4, -kJerseyHeight / 2);
}

QPointF ballPosition(const Step &step)
{
    if (step.ballHolder >= 0 && step.ballHolder < kPlayerCount)
        return heldBallPosition(step.positions[step.ballHolder]);
    return step.positions[kBall];
}

QString pieceLabel(int piece)
{
    if (piece == kBall)
        return QCoreApplication::translate("play", "Ball");
    if (sideOf(piece) == Side::Ally)
        return QCoreApplication::translate("play", "Ally %1").arg(piece + 1);
    return QCoreApplication::translate("play", "Opponent %1").arg(piece - kPlayersPerSide + 1);
}

} // namespace play
