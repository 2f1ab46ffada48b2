// The library pane over a folder of 1,000 plays: the time until the rows are listed and the
// first screen of them has its thumbnails, with an empty thumbnail cache and with the cache
// of an earlier run; and the memory then, against the pane over an empty folder.
#include "play/library.h"
#include "play/playfile.h"
#include "play/playpainter.h"
#include "playbook/librarymodel.h"
#include "playbook/librarypane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kPlays = 1000;
constexpr double kGoalMs = 1000;
constexpr double kMemoryGoal = 2;

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// Plays of four steps with the pieces spread over the court, tags and notes.
void writePlays(const QString &folder)
{
    for (int i = 0; i < kPlays; ++i) {
        play::Play play = play::newPlay(i % 5 == 0 ? play::Court::Whole : play::Court::Half);
        const QSizeF size = play::courtSize(play.court);
        for (int s = 0; s < 4; ++s) {
            play::Step step = play.steps.last();
            for (int piece = 0; piece < play::kPlayerCount; ++piece) {
                const double t = i * 0.37 + piece * 1.3 + s;
                step.positions[piece] = play::clampToCourt(play.court,
                    QPointF(size.width() * (0.5 + 0.4 * std::sin(t)), size.height() * (0.5 + 0.4 * std::cos(t * 0.7))));
            }
            step.positions[play::kBall] = play::heldBallPosition(step.positions[step.ballHolder]);
            step.note = QStringLiteral("Step %1 of play %2: screen away, then cut to the basket.").arg(s + 1).arg(i);
            if (s == 0)
                play.steps.first() = step;
            else
                play.steps.append(step);
        }
        play.tags = { QStringLiteral("Set %1").arg(i % 12), QStringLiteral("Half court") };
        play::writePlayFile(play, play::playPath(folder, QStringLiteral("Play %1").arg(i + 1)));
    }
}

// True when every row the list shows has its thumbnail.
bool firstScreenDrawn(QListView &view)
{
    QAbstractItemModel *model = view.model();
    if (model->rowCount() == 0)
        return false;
    const QRect area = view.viewport()->rect();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        const QRect rect = view.visualRect(index);
        if (rect.bottom() < area.top())
            continue;
        if (rect.top() > area.bottom())
            break;
        if (index.data(LibraryModel::ThumbnailRole).value<QImage>().isNull())
            return false;
    }
    return true;
}

// Milliseconds from choosing the folder until the first screen of rows has its thumbnails.
double timeFirstScreen(LibraryModel &model, LibraryPane &pane, const QString &folder)
{
    QElapsedTimer clock;
    clock.start();
    model.setFolder(folder);
    while (!firstScreenDrawn(*pane.view()) && clock.elapsed() < 30000) {
        pane.view()->viewport()->repaint();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    play::registerFonts();
    QTemporaryDir empty;
    QTemporaryDir plays;
    QTemporaryDir cache;
    writePlays(plays.path());

    LibraryModel model;
    model.setCacheFolder(cache.path());
    LibraryPane pane(model);
    pane.resize(320, 720);
    pane.show();
    model.setFolder(empty.path());
    model.waitForIdle();
    QCoreApplication::processEvents();
    const double emptyMiB = residentMiB();

    const double cold = timeFirstScreen(model, pane, plays.path());
    // Scrolled through to the end, as a coach looking for a play would, every thumbnail drawn.
    QScrollBar *bar = pane.view()->verticalScrollBar();
    model.waitForIdle();
    for (int value = 0; value <= bar->maximum(); value += std::max(1, bar->pageStep())) {
        bar->setValue(value);
        pane.view()->viewport()->repaint();
        model.waitForIdle();
    }
    const double fullMiB = residentMiB();

    // Another run: the thumbnails come from the cache folder.
    model.setFolder(empty.path());
    model.waitForIdle();
    const double warm = timeFirstScreen(model, pane, plays.path());

    std::printf("| library: %d plays listed, first screen of thumbnails, no thumbnail cache | %.0f ms | | under %.0f "
                "ms | %s |\n",
        kPlays, cold, kGoalMs, cold < kGoalMs ? "yes" : "no");
    std::printf("| library: %d plays listed, first screen of thumbnails, from the cache of a run before | %.0f ms | | "
                "under %.0f ms | %s |\n",
        kPlays, warm, kGoalMs, warm < kGoalMs ? "yes" : "no");
    std::printf("| library memory: resident, %d plays scrolled through (floor: the pane over an empty folder) | %.1f "
                "MiB | %.1f MiB | at most %.0f x the floor (x %.2f) | %s |\n",
        kPlays, fullMiB, emptyMiB, kMemoryGoal, fullMiB / emptyMiB, fullMiB < kMemoryGoal * emptyMiB ? "yes" : "no");
    return 0;
}
