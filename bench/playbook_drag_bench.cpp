// Piece drags in the play designer through the real event path: mouse events on the court
// view's viewport, its handlers, and the repaint of the uncovered court and the piece, in a
// window of 1920 x 1080 logical pixels at scale 2 (3840 x 2160 device pixels) under Qt's
// offscreen platform.
#include "play/play.h"
#include "play/playpainter.h"
#include "playbook/courtview.h"
#include "playbook/playbookwindow.h"
#include "playbook/playdocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "paintcounter.h"

namespace {

void send(QWidget *viewport, QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, local, viewport->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

} // namespace

int main(int argc, char **argv)
{
    // One screen of 3840 x 2160 pixels, shown at scale 2. The window's settings and its
    // autosave go to folders of their own, not the user's.
    QTemporaryDir folders;
    const QString screens = folders.filePath(QStringLiteral("screens.json"));
    QFile config(screens);
    if (!folders.isValid() || !config.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "playbook_drag_bench: no temporary folder\n");
        return 1;
    }
    config.write(R"({"screens": [{"name": "uhd", "x": 0, "y": 0, "width": 3840, "height": 2160}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    qputenv("XDG_CONFIG_HOME", folders.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", folders.filePath(QStringLiteral("data")).toLocal8Bit());

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationName(QStringLiteral("hoopwright-playbook"));
    play::registerFonts();
    const int moves = argc > 1 ? std::max(100, atoi(argv[1])) : 3000;
    const bool row = argc > 2 && QLatin1String(argv[2]) == QLatin1String("--row");

    PlaybookWindow window(play::newPlay(play::Court::Half));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setGeometry(0, 0, 1920, 1080);
    window.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();

    CourtView *view = window.courtView();
    QWidget *viewport = view->viewport();
    const double ratio = viewport->devicePixelRatioF();
    const QSize device = window.size() * ratio;

    // Ally 1 holds the ball, so a move carries two pieces.
    const int piece = 0;
    const QPointF start = view->pieceCentre(piece);
    send(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();

    PaintCounter counter;
    viewport->installEventFilter(&counter);

    // A loop over the court from where the piece stood, a few pixels a move, as a quick hand
    // moves.
    const QPointF centre = QRectF(viewport->rect()).center();
    const double radiusX = viewport->width() * 0.3, radiusY = viewport->height() * 0.3;
    std::vector<double> times;
    times.reserve(moves);
    QPointF pointer = start;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < moves; ++i) {
        const double angle = i * 0.01;
        const double blend = std::min(1.0, i / 100.0); // from the piece on to the loop
        const QPointF onLoop(centre.x() + radiusX * std::cos(angle), centre.y() + radiusY * std::sin(angle));
        const QPointF next = start + (onLoop - start) * blend;
        QElapsedTimer one;
        one.start();
        send(viewport, QEvent::MouseMove, next, Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents(); // the repaint
        times.push_back(one.nsecsElapsed() / 1e6);
        pointer = next;
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    const QPoint drawn = view->pieceCentre(piece);
    const bool followed = (drawn - pointer.toPoint()).manhattanLength() <= 2;
    send(viewport, QEvent::MouseButtonRelease, pointer, Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    if (!followed)
        std::fprintf(stderr, "playbook_drag_bench: the piece is drawn at %d,%d, the pointer is at %.0f,%.0f\n",
            drawn.x(), drawn.y(), pointer.x(), pointer.y());

    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double p99 = times[times.size() * 99 / 100];
    if (row)
        std::printf("| playbook drag: median per piece move, %d x %d at scale %g (%d moves, %.0f moves/s, %d "
                    "paints) | %.3f ms | 16.7 ms, one display frame | under 1 ms | %s |\n",
            device.width(), device.height(), ratio, moves, moves / seconds, counter.paints, median,
            median < 1.0 ? "yes" : "no");
    else
        std::printf("playbook drag: window %d x %d device pixels, device pixel ratio %g, court view %d x %d; %d moves "
                    "in %.3f s, %.0f moves/s, median %.3f ms, 99th percentile %.3f ms, %d paints\n",
            device.width(), device.height(), ratio, viewport->width(), viewport->height(), moves, seconds,
            moves / seconds, median, p99, counter.paints);
    return 0;
}
