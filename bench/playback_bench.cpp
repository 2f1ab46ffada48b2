// The play designer playing a 10-step play of cuts and passes in a loop, in a window of
// 1920 x 1080 under Qt's offscreen platform, with the real clock: how regularly the court is
// repainted, measured against a 60 Hz display, and the processor time it takes.
//
// A frame is late when more than one display period (16.7 ms) and a half passes after the
// frame before it while the picture was due to change (the display then showed the old frame
// again at a vsync); in the pause at a step's end nothing moves, and no frame is due.
#include "play/motion.h"
#include "play/play.h"
#include "play/playpainter.h"
#include "playbook/courtview.h"
#include "playbook/playback.h"
#include "playbook/playbookwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr double kVsyncMs = 1000.0 / 60;

// Ten steps: in each, an ally cuts on a curve towards the basket and the holder passes to
// the cutter, who holds the ball in the next step.
play::Play tenSteps()
{
    play::Play p = play::newPlay(play::Court::Half);
    const QSizeF court = play::courtSize(p.court);
    for (int step = 0; step < 10; ++step) {
        if (step > 0) {
            play::Step next = p.steps.back();
            const play::Placement end = play::endOf(p, step - 1);
            next.positions = end.positions;
            next.ballHolder = end.ballHolder;
            next.actions.clear();
            p.steps.append(next);
        }
        play::Step &s = p.steps.back();
        const int holder = s.ballHolder;
        const int cutter = (holder + 1 + step % 3) % play::kPlayersPerSide;
        const double angle = step * 0.7;
        const QPointF from = s.positions[cutter];
        const QPointF to(court.width() / 2 + std::cos(angle) * court.width() * 0.3,
            court.height() * 0.45 + std::sin(angle) * court.height() * 0.3);
        const QPointF bend = (from + to) / 2 + QPointF(900, -600);
        s.actions = { play::Action { play::ActionKind::Cut, cutter, play::kNoPlayer,
                          { from, play::clampToCourt(p.court, bend), to } },
            play::Action { play::ActionKind::Pass, holder, cutter } };
        s.note = QStringLiteral("Step %1: %2 cuts, %3 passes to %2.").arg(step + 1).arg(cutter + 1).arg(holder + 1);
    }
    play::settle(p, 0);
    return p;
}

double processSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Notes the time of each paint of the widget it watches, and the play's time it showed.
class PaintTimes : public QObject {
public:
    explicit PaintTimes(const Playback &playback)
        : playback_(playback)
    {
    }
    QElapsedTimer clock;
    std::vector<double> times;
    std::vector<double> playTimes;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            times.push_back(clock.nsecsElapsed() / 1e6);
            playTimes.push_back(playback_.time());
        }
        return false;
    }

private:
    const Playback &playback_;
};

// Whether the court's picture changed between two times of the play: its step, or where a
// piece stands.
bool pictureChanged(const play::PlayMotion &motion, double from, double to)
{
    if (to < from)
        return true; // the loop began again
    const play::PlayTime a = motion.locate(from);
    const play::PlayTime b = motion.locate(to);
    return a.step != b.step || motion.placementAt(a.step, a.seconds) != motion.placementAt(b.step, b.seconds);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir folders;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", folders.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", folders.filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationName(QStringLiteral("hoopwright-playbook"));
    play::registerFonts();
    const int seconds = argc > 1 ? std::max(2, atoi(argv[1])) : 10;
    const bool row = argc > 2 && QLatin1String(argv[2]) == QLatin1String("--row");

    const play::Play p = tenSteps();
    PlaybookWindow window(p);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setGeometry(0, 0, 1920, 1080);
    window.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();

    Playback *playback = window.playback();
    PaintTimes paints(*playback);
    window.courtView()->viewport()->installEventFilter(&paints);
    playback->setLoop(true);
    const double startCpu = processSeconds();
    paints.clock.start();
    playback->play();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double wall = paints.clock.nsecsElapsed() / 1e9;
    const double cpu = processSeconds() - startCpu;
    playback->stop();

    // A late frame's picture was due a display period and a half before it came.
    const play::PlayMotion motion(p);
    int late = 0;
    double longest = 0;
    for (size_t i = 1; i < paints.times.size(); ++i) {
        const double gap = paints.times[i] - paints.times[i - 1];
        if (gap <= 1.5 * kVsyncMs) {
            longest = std::max(longest, gap);
            continue;
        }
        const double due = paints.playTimes[i] - 1.5 * kVsyncMs / 1000;
        if (pictureChanged(motion, paints.playTimes[i - 1], due)) {
            longest = std::max(longest, gap);
            ++late;
        }
    }
    const int frames = int(paints.times.size());
    const double latePercent = frames > 1 ? 100.0 * late / (frames - 1) : 100;
    const double cpuPercent = 100 * cpu / wall;
    if (row) {
        std::printf("| playback: a 10-step play (%.1f s) in a loop at 1920 x 1080, %d s: frames later than a 60 Hz "
                    "vsync (%d frames, longest gap while moving %.1f ms) | %.2f %% | 16.7 ms a frame | at most 1 in "
                    "100 | %s |\n",
            play::playDuration(p), seconds, frames, longest, latePercent, kVsyncMs, latePercent <= 1 ? "yes" : "no");
        std::printf("| playback: processor time while playing, same run | %.1f %% of a core | | under 15 %% | %s |\n",
            cpuPercent, cpuPercent < 15 ? "yes" : "no");
    } else {
        std::printf("playback: %d frames in %.2f s (%.1f a second), %d later than a 60 Hz vsync (%.2f %%), longest gap "
                    "while moving %.1f ms; processor %.3f s, %.1f %% of a core\n",
            frames, wall, frames / wall, late, latePercent, longest, cpu, cpuPercent);
    }
    return 0;
}
