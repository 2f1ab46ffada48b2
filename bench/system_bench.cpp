// Start, memory and idle figures of the real programs in a real X session, each measured
// beside its floor: an empty Qt Widgets window started and measured the same way.
#include "e2e/driver.h"
#include "play/play.h"
#include "play/playfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

const QString kEmptyWindow = QStringLiteral(HOOPWRIGHT_EMPTY_WINDOW);
const QString kPlaybook = QStringLiteral(HOOPWRIGHT_PLAYBOOK_EXECUTABLE);

QRgb screenPixel(QPoint at)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixel(0, 0);
}

// A start of a program: its arguments and what its environment has beyond the session's.
struct Launch {
    QString program;
    QStringList arguments;
    QProcessEnvironment overrides;
};

// Milliseconds from the start of the process until one of the points shows something new;
// with a settled picture, until every point shows what it shows once the window has
// settled, so that a frame drawn before the window has its place and size does not count.
double startTime(
    XSession &x, const Launch &launch, const std::vector<QPoint> &points, const std::vector<QRgb> &settled = {})
{
    std::vector<QRgb> before;
    for (QPoint p : points)
        before.push_back(screenPixel(p));
    const auto shown = [&] {
        for (size_t i = 0; i < points.size(); ++i) {
            const QRgb now = screenPixel(points[i]);
            if (settled.empty() && now != before[i])
                return true;
            if (!settled.empty() && now != settled[i])
                return false;
        }
        return !settled.empty();
    };
    QElapsedTimer clock;
    clock.start();
    QProcess *process = x.start(launch.program, launch.arguments, launch.overrides);
    double ms = -1;
    while (clock.elapsed() < 20000 && ms < 0) {
        QThread::usleep(500);
        if (shown())
            ms = clock.nsecsElapsed() / 1e6;
    }
    process->kill();
    process->waitForFinished(3000);
    XSession::pause(300);
    return ms;
}

// What the points show once a program's window has come and settled.
std::vector<QRgb> settledPicture(XSession &x, const Launch &launch, const std::vector<QPoint> &points)
{
    QProcess *process = x.start(launch.program, launch.arguments, launch.overrides);
    XSession::pause(4000);
    std::vector<QRgb> picture;
    for (QPoint p : points)
        picture.push_back(screenPixel(p));
    process->kill();
    process->waitForFinished(3000);
    XSession::pause(300);
    return picture;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

qint64 peakResidentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Processor seconds used so far.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toLongLong() + fields.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

const char *yes(bool met)
{
    return met ? "yes" : "no";
}

// Settings and data folders of their own for each start, so that every start of the play
// designer is a first start: no remembered place, no autosave to offer back.
class FreshFolders {
public:
    QProcessEnvironment environment() const
    {
        QProcessEnvironment overrides;
        overrides.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
        overrides.insert(QStringLiteral("XDG_DATA_HOME"), data_.path());
        return overrides;
    }

private:
    QTemporaryDir config_;
    QTemporaryDir data_;
};

// A play of the given number of steps in which every piece moves at every step, the ball
// changes hands and every step has a note.
play::Play longPlay(int steps)
{
    play::Play play = play::newPlay(play::Court::Half);
    for (int i = 1; i < steps; ++i) {
        play::Step step = play.steps.back();
        for (int piece = 0; piece < play::kPieceCount; ++piece) {
            const QPointF move((i * 31 + piece * 17) % 41 - 20, (i * 23 + piece * 5) % 29 - 14);
            step.positions[piece] = play::clampToCourt(play.court, step.positions[piece] + move);
        }
        step.ballHolder = i % 10 == 9 ? play::kNoHolder : i % play::kPlayerCount;
        step.note = QStringLiteral("Step %1: 4 sets a screen for 1, who drives right; 5 rolls to the rim.").arg(i + 1);
        play.steps.append(step);
    }
    return play;
}

// The play designer's start and memory, beside an empty QMainWindow of the same size and
// place started the same way.
bool measurePlaybook(XSession &x, int runs)
{
    // Points of the court with the window at its first place (1200 x 810, centred, the
    // library beside the court): the floor, a line of the lane, the watermark. The empty
    // main window covers them too.
    const std::vector<QPoint> points { { 600, 300 }, { 746, 286 }, { 725, 409 } };
    const auto launch = [](const QString &program, const QStringList &arguments, const FreshFolders &folders) {
        return Launch { program, arguments, folders.environment() };
    };
    const QStringList mainWindow { QStringLiteral("--main-window") };
    std::vector<QRgb> background, court, empty;
    for (QPoint p : points)
        background.push_back(screenPixel(p));
    {
        FreshFolders a, b;
        court = settledPicture(x, launch(kPlaybook, {}, a), points);
        empty = settledPicture(x, launch(kEmptyWindow, mainWindow, b), points);
    }
    for (size_t i = 0; i < points.size(); ++i) {
        if (court[i] == background[i] || empty[i] == background[i]) {
            std::fprintf(
                stderr, "system_bench: a window left the screen at %d,%d as it was\n", points[i].x(), points[i].y());
            return false;
        }
    }
    std::vector<double> program, floor;
    for (int i = 0; i < runs; ++i) {
        FreshFolders a, b;
        program.push_back(startTime(x, launch(kPlaybook, {}, a), points, court));
        floor.push_back(startTime(x, launch(kEmptyWindow, mainWindow, b), points, empty));
    }
    if (std::count(program.begin(), program.end(), -1.0) || std::count(floor.begin(), floor.end(), -1.0)) {
        std::fprintf(stderr, "system_bench: the play designer's court or the empty main window never showed\n");
        return false;
    }
    const double start = median(program), startFloor = median(floor);
    std::printf("| playbook start: process start to the court on screen (median of %d; floor: empty main window) | "
                "%.0f ms | %.0f ms | at most 1.5 x the floor (x %.2f) | %s |\n",
        runs, start, startFloor, start / startFloor, yes(start <= 1.5 * startFloor));

    // Memory with a play of 1,000 steps open from the command line, once the window is up.
    const int steps = 1000;
    QTemporaryDir plays;
    const QString file = plays.filePath(QStringLiteral("thousand-steps.%1").arg(QLatin1String(play::kFileSuffix)));
    const QString written = play::writePlayFile(longPlay(steps), file);
    if (!written.isEmpty()) {
        std::fprintf(stderr, "system_bench: the play file was not written: %s\n", qPrintable(written));
        return false;
    }
    FreshFolders a, b;
    QProcess *playbook = x.start(kPlaybook, { file }, a.environment());
    if (x.waitForWindow(QStringLiteral("thousand-steps - Hoopwright Playbook")).isEmpty()) {
        std::fprintf(stderr, "system_bench: the play designer did not open the play of %d steps\n", steps);
        return false;
    }
    XSession::pause(3000);
    const qint64 memory = peakResidentKiB(playbook->processId());
    playbook->kill();
    playbook->waitForFinished(3000);
    QProcess *floorWindow = x.start(kEmptyWindow, mainWindow, b.environment());
    XSession::pause(3000);
    const qint64 floorMemory = peakResidentKiB(floorWindow->processId());
    floorWindow->kill();
    floorWindow->waitForFinished(3000);
    std::printf("| playbook memory: peak resident, a play of %d steps open (floor: empty main window) | %.1f MiB | "
                "%.1f MiB | at most 2 x the floor (x %.2f) | %s |\n",
        steps, memory / 1024.0, floorMemory / 1024.0, double(memory) / floorMemory, yes(memory <= 2 * floorMemory));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    XSession x;
    if (!x.ok()) {
        std::fprintf(stderr, "system_bench: no X session\n");
        return 1;
    }
    qputenv("DISPLAY", x.display().toLocal8Bit());
    qunsetenv("QT_QPA_PLATFORM");
    QGuiApplication app(argc, argv);
    const int runs = 5;
    // The play designer's start is measured more often: its window's figure lies nearer its
    // goal, where a median of five moved by a tenth of the floor from one run to the next, and one of
    // eleven by half as much.
    const int playbookRuns = 21;
    // --playbook: the play designer's figures alone.
    if (app.arguments().contains(QStringLiteral("--playbook")))
        return measurePlaybook(x, playbookRuns) ? 0 : 1;

    // Start: to the first painted frame. The loading screen is centred (379 x 244 at 610, 328);
    // the points lie in its triangle, and in the empty window of the same size and place.
    const std::vector<QPoint> points { { 760, 331 }, { 810, 368 }, { 700, 345 } };
    std::vector<double> program, floor;
    for (int i = 0; i < runs; ++i) {
        program.push_back(startTime(x, Launch { QStringLiteral(HOOPWRIGHT_EXECUTABLE) }, points));
        floor.push_back(startTime(x, Launch { kEmptyWindow }, points));
    }
    const double start = median(program), startFloor = median(floor);
    std::printf("| start: process start to the first painted frame (median of %d) | %.0f ms | %.0f ms | at most "
                "1.5 x the floor (x %.2f) | %s |\n",
        runs, start, startFloor, start / startFloor, yes(start <= 1.5 * startFloor));

    // Memory and idle with the main window and both boards open, every fade over.
    Driver driver(x);
    if (!driver.startToMainWindow()) {
        std::fprintf(stderr, "system_bench: the main window did not come\n");
        return 1;
    }
    driver.press(0);
    XSession::pause(500);
    driver.press(1);
    XSession::pause(3000);
    const qint64 pid = driver.process->processId();
    const double cpu0 = cpuSeconds(pid);
    XSession::pause(10000);
    const double idle = (cpuSeconds(pid) - cpu0) / 10.0 * 100;
    const qint64 memory = peakResidentKiB(pid);
    driver.process->kill();
    driver.process->waitForFinished(3000);

    // The floor for memory and idle: an empty maximized window, as the main window is.
    QProcess *empty = x.start(kEmptyWindow, { QStringLiteral("--maximized") });
    XSession::pause(2000);
    const double emptyCpu0 = cpuSeconds(empty->processId());
    XSession::pause(10000);
    const double emptyIdle = (cpuSeconds(empty->processId()) - emptyCpu0) / 10.0 * 100;
    const qint64 emptyMemory = peakResidentKiB(empty->processId());
    empty->kill();

    std::printf("| memory: peak resident, main window and both boards open (floor: maximized) | %.1f MiB | %.1f MiB "
                "| at most 1.5 x the floor (x %.2f) | %s |\n",
        memory / 1024.0, emptyMemory / 1024.0, double(memory) / emptyMemory, yes(memory <= 1.5 * emptyMemory));
    std::printf("| idle: processor time in 10 s, both boards open, fades over | %.2f %% of a core | %.2f %% | under "
                "1 %% | %s |\n",
        idle, emptyIdle, yes(idle < 1.0));
    return measurePlaybook(x, playbookRuns) ? 0 : 1;
}
