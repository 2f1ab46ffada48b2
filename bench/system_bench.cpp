// Start, memory and idle figures of the real program in a real X session, each measured
// beside its floor: an empty Qt Widgets window started and measured the same way.
#include "e2e/driver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

const QString kEmptyWindow = QStringLiteral(HOOPWRIGHT_EMPTY_WINDOW);

QRgb screenPixel(QPoint at)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixel(0, 0);
}

// Milliseconds from the start of the process until one of the points shows something new.
double startTime(XSession &x, const QString &program, const std::vector<QPoint> &points)
{
    std::vector<QRgb> before;
    for (QPoint p : points)
        before.push_back(screenPixel(p));
    QElapsedTimer clock;
    clock.start();
    QProcess *process = x.start(program);
    double ms = -1;
    while (clock.elapsed() < 20000 && ms < 0) {
        QThread::usleep(500);
        for (size_t i = 0; i < points.size(); ++i) {
            if (screenPixel(points[i]) != before[i]) {
                ms = clock.nsecsElapsed() / 1e6;
                break;
            }
        }
    }
    process->kill();
    process->waitForFinished(3000);
    XSession::pause(300);
    return ms;
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

    // Start: to the first painted frame. The loading screen is centred (379 x 244 at 610, 328);
    // the points lie in its triangle, and in the empty window of the same size and place.
    const std::vector<QPoint> points { { 760, 331 }, { 810, 368 }, { 700, 345 } };
    std::vector<double> program, floor;
    for (int i = 0; i < runs; ++i) {
        program.push_back(startTime(x, QStringLiteral(HOOPWRIGHT_EXECUTABLE), points));
        floor.push_back(startTime(x, kEmptyWindow, points));
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
    return 0;
}
