// A PDF playbook of 100 plays of six steps, each step with a few actions and a note, written
// as the editor and --export-pdf write it.
#include "play/playexport.h"
#include "play/playpainter.h"
#include "timing.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

play::Play benchPlay(int index)
{
    play::Play play = play::newPlay(index % 4 == 3 ? play::Court::Whole : play::Court::Half);
    play.tags = QStringList { QStringLiteral("Set %1").arg(index % 7), QStringLiteral("Half court") };
    play.roster[0].name = QStringLiteral("Sam");
    for (int i = 0; i < 6; ++i) {
        play::Step step = play.steps.back();
        if (i > 0)
            play.steps.append(step);
        play::Step &s = play.steps.back();
        s.actions.clear();
        const QPointF from = s.positions[2];
        const QPointF to = play::clampToCourt(play.court, from + QPointF(-2500 + 300 * i, -3000));
        s.actions.append(
            { play::ActionKind::Cut, 2, play::kNoPlayer, { from, (from + to) / 2 + QPointF(400, 0), to } });
        s.actions.append(
            { play::ActionKind::Screen, 4, play::kNoPlayer, { s.positions[4], s.positions[4] + QPointF(-900, -600) } });
        if (s.ballHolder >= 0 && s.ballHolder < play::kPlayersPerSide)
            s.actions.append({ play::ActionKind::Pass, s.ballHolder, (s.ballHolder + 1) % play::kPlayersPerSide });
        s.note = QStringLiteral("Step %1: 3 cuts off the screen of 5 to the left block; 1 reads the defence and "
                                "passes when 3 is open.")
                     .arg(i + 1);
    }
    return play;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    play::registerFonts();
    constexpr int kPlays = 100;
    constexpr double kGoalSeconds = 5;
    constexpr double kGoalMB = 5;
    QList<play::TitledPlay> plays;
    for (int i = 0; i < kPlays; ++i)
        plays.append({ QStringLiteral("Play %1").arg(i + 1), benchPlay(i) });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("playbook.pdf"));
    QString error;
    const double ms = medianMs(3, [&] { error = play::writePlaybookPdf(path, plays, QPageSize::A4); });
    if (!error.isEmpty()) {
        std::fprintf(stderr, "export_bench: %s\n", qPrintable(error));
        return 1;
    }
    const double mb = QFileInfo(path).size() / 1e6;
    const bool met = ms < kGoalSeconds * 1000 && mb < kGoalMB;
    std::printf("| PDF playbook: 100 plays of 6 steps, 600 courts with their actions and notes (median of 3) | "
                "%.2f s, %.2f MB | | under %.0f s and %.0f MB | %s |\n",
        ms / 1000, mb, kGoalSeconds, kGoalMB, met ? "yes" : "no");
    return 0;
}
