#pragma once

// Plays that move, for the animation's tests and its benchmark.

#include "play/motion.h"

#include <algorithm>
#include <array>

// A half-court play of the given number of steps. In each, the ally with the ball dribbles
// to a spot and passes to a teammate who cuts to another, a third ally runs to screen, and
// every opponent follows the ally they guard. Each step starts where the one before ended.
inline play::Play movingPlay(int steps)
{
    using namespace play;
    // Spots of a half court in twips: wings, corners, elbows, the top, the blocks.
    static constexpr std::array<QPointF, 8> spots = { QPointF(3500, 4200), QPointF(12300, 4200), QPointF(1500, 1500),
        QPointF(14300, 1500), QPointF(6300, 3600), QPointF(9500, 3600), QPointF(7900, 6600), QPointF(7900, 2200) };
    Play play = newPlay(Court::Half);
    play.steps.front().ballHolder = 0;
    for (int s = 0; s < steps; ++s) {
        if (s > 0) {
            const Placement end = endOf(play, s - 1);
            Step next;
            next.positions = end.positions;
            next.ballHolder = end.ballHolder;
            play.steps.append(next);
        }
        Step &step = play.steps[s];
        const int holder = step.ballHolder;
        const int cutter = (holder + 1) % kPlayersPerSide;
        const int screener = (holder + 2) % kPlayersPerSide;
        std::array<QPointF, kPlayerCount> ends;
        std::copy_n(step.positions.begin(), kPlayerCount, ends.begin());
        ends[holder] = spots[(s * 3 + 1) % spots.size()];
        ends[cutter] = spots[(s * 3 + 4) % spots.size()];
        ends[screener] = spots[(s * 3 + 6) % spots.size()] + QPointF(600, 0);
        const auto run = [&](ActionKind kind, int player) {
            const QPointF from = step.positions[player];
            const QPointF to = ends[player];
            step.actions.append(Action { kind, player, kNoPlayer, { from, (from + to) / 2 + QPointF(400, -300), to } });
        };
        run(ActionKind::Dribble, holder);
        run(ActionKind::Cut, cutter);
        run(ActionKind::Screen, screener);
        step.actions.append(Action { ActionKind::Pass, holder, cutter, {} });
        for (int ally = 0; ally < kPlayersPerSide; ++ally) {
            const int guard = ally + kPlayersPerSide;
            ends[guard] = clampToCourt(play.court, ends[ally] + QPointF(0, -700));
            if (ends[guard] != step.positions[guard])
                run(ActionKind::Cut, guard);
        }
    }
    return play;
}

// One step in which Ally 1 alone cuts across the open court, from the left sideline to the
// right, while the others stand in a row along the bottom and Ally 2 holds the ball.
inline constexpr QPointF kCrossingFrom(1500, 5000);
inline constexpr QPointF kCrossingTo(13500, 2500);

inline play::Play crossingPlay()
{
    using namespace play;
    Play play = newPlay(Court::Half);
    Step &step = play.steps.front();
    for (int player = 1; player < kPlayerCount; ++player)
        step.positions[player] = QPointF(2500 + 1300 * (player - 1), 8600);
    step.positions[0] = kCrossingFrom;
    step.ballHolder = 1;
    step.actions = { Action { ActionKind::Cut, 0, kNoPlayer, { kCrossingFrom, kCrossingTo } } };
    return play;
}
