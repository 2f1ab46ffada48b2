// Opening and saving a play of 1,000 steps through the play library, as the editor does.
#include "play/playfile.h"
#include "timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Every piece moves in every step, the ball changes hands, and each step has a note.
play::Play longPlay(int steps)
{
    play::Play play = play::newPlay(play::Court::Half);
    for (int i = 1; i < steps; ++i) {
        play::Step step = play.steps.back();
        for (int piece = 0; piece < play::kPieceCount; ++piece) {
            const QPointF move((i * 37 + piece * 11) % 21 - 10 + 0.5, (i * 13 + piece * 7) % 17 - 8 + 0.25);
            step.positions[piece] = play::clampToCourt(play.court, step.positions[piece] + move);
        }
        step.ballHolder = i % 12 == 11 ? play::kNoHolder : i % play::kPlayerCount;
        step.note = QStringLiteral("Step %1: 3 screens for 2, who cuts to the left block; 1 passes.").arg(i + 1);
        play.steps.append(step);
    }
    return play;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kSteps = 1000; // as the table says
    constexpr int kRuns = 15;
    constexpr double kGoalMs = 200;
    const play::Play play = longPlay(kSteps);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.hwplay"));
    bool sound = true;
    const double save = medianMs(kRuns, [&] { sound = play::writePlayFile(play, path).isEmpty() && sound; });
    const double open = medianMs(kRuns, [&] { sound = play::readPlayFile(path).play.steps.size() == kSteps && sound; });
    if (!sound) {
        std::fprintf(stderr, "playfile_bench: the play did not save or open\n");
        return 1;
    }
    const double kib = QFileInfo(path).size() / 1024.0;
    std::printf(
        "| play file: opening a play of 1,000 steps (%.0f KiB; median of %d) | %.1f ms | | under %.0f ms | %s |\n", kib,
        kRuns, open, kGoalMs, open < kGoalMs ? "yes" : "no");
    std::printf("| play file: saving a play of 1,000 steps (median of %d) | %.1f ms | | under %.0f ms | %s |\n", kRuns,
        save, kGoalMs, save < kGoalMs ? "yes" : "no");
    return 0;
}
