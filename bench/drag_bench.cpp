// Marker drags through the real event path: mouse events delivered to a marker, its
// handlers, and the repaint of the uncovered court and the marker, on a maximized main
// window of 1600 x 900 under Qt's offscreen platform.
#include "boards/halfcourtboard.h"
#include "boards/marker.h"
#include "mainwindow/mainwindow.h"
#include "platform/ticktimer.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "support/fakeservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "paintcounter.h"

namespace {

void send(Marker *m, QEvent::Type type, QPointF pointer, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF local = pointer - QPointF(m->pos());
    QMouseEvent event(type, local, m->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(m, &event);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_OFFSCREEN_SCREEN", "1600x900"); // honoured where the plugin reads it
    QApplication app(argc, argv);
    resources::registerFonts();
    const int moves = argc > 1 ? std::max(100, atoi(argv[1])) : 5000;

    FakeServices services; // nothing blocks or leaves the process
    Program program(services);
    program.handle([&] {
        program.mainWindow.show();
        program.mainWindow.existing()->showHalfCourt();
    });
    QWidget *window = program.mainWindow.frame();
    window->setWindowState(Qt::WindowNoState);
    window->setGeometry(0, 0, 1600, 900);
    Board *board = program.halfCourtBoard.existing();
    for (int i = 0; i < 200; ++i) { // past the fade-in
        emit board->fadeInTimer->ticked();
        emit program.mainWindow.existing()->fadeInTimer->ticked();
    }
    QApplication::processEvents();

    Marker *marker = board->marker("ally3");
    QPointF pointer = QPointF(marker->pos()) + QPointF(24, 32);
    send(marker, QEvent::MouseButtonPress, pointer, Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();

    PaintCounter counter;
    board->installEventFilter(&counter);
    marker->installEventFilter(&counter);

    std::vector<double> times;
    times.reserve(moves);
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < moves; ++i) {
        // A loop over the court, a few pixels a move, as a quick hand moves.
        const double angle = i * 0.02;
        const QPointF next(520 + 380 * std::cos(angle), 300 + 220 * std::sin(angle));
        QElapsedTimer one;
        one.start();
        send(marker, QEvent::MouseMove, next, Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents(); // the repaint
        times.push_back(one.nsecsElapsed() / 1e6);
        pointer = next;
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    send(marker, QEvent::MouseButtonRelease, pointer, Qt::LeftButton, Qt::NoButton);

    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double p99 = times[times.size() * 99 / 100];
    if (argc > 2 && QLatin1String(argv[2]) == QLatin1String("--row"))
        std::printf("| drag: median per marker move (%d moves, %.0f moves/s, %d paints) | %.3f ms | 16.7 ms, one "
                    "display frame | under 1 ms | %s |\n",
            moves, moves / seconds, counter.paints, median, median < 1.0 ? "yes" : "no");
    else
        std::printf("drag: %d moves in %.3f s, %.0f moves/s, median %.3f ms, 99th percentile %.3f ms, %d paints\n",
            moves, seconds, moves / seconds, median, p99, counter.paints);
    return 0;
}
