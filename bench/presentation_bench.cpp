// The presentation at 1920 x 1080: a frame of a step while it plays, and the repaint after
// each point of a stroke of ink.
#include "play/motion.h"
#include "play/playpainter.h"
#include "playbook/playdocument.h"
#include "playbook/presentationwindow.h"
#include "timing.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstdio>

namespace {

// A step as coaches draw them: a cut, a screen, a dribble and a pass, with a note.
play::Play drawnStep()
{
    play::Play play = play::newPlay(play::Court::Half);
    play::Step &step = play.steps.front();
    const auto from = [&](int player) { return step.positions[player]; };
    step.actions = {
        { play::ActionKind::Cut, 1, play::kNoPlayer, { from(1), QPointF(9000, 5000), QPointF(7500, 3000) } },
        { play::ActionKind::Screen, 2, play::kNoPlayer, { from(2), QPointF(9500, 6000) } },
        { play::ActionKind::Dribble, 0, play::kNoPlayer, { from(0), QPointF(10000, 6500), QPointF(8500, 5500) } },
        { play::ActionKind::Pass, 0, 1 },
    };
    step.note = QStringLiteral("2 cuts to the high post off 3's screen; 1 dribbles up and hits 2.");
    play::settle(play);
    return play;
}

void send(QWidget &widget, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(
        type, at, widget.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
    QApplication::sendEvent(&widget, &event);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    play::registerFonts();
    constexpr double kFrameGoalMs = 16.7 * 0.15; // 15 % of a core at 60 frames a second
    constexpr double kInkGoalMs = 1;

    PlayDocument document(drawnStep());
    PresentationWindow presentation(document);
    presentation.resize(1920, 1080);
    qint64 now = 0;
    presentation.setClock([&] { return now; });
    QImage screen(presentation.size(), QImage::Format_ARGB32_Premultiplied);
    presentation.render(&screen);

    // Frames of the step playing, 60 a second, again and again.
    const double duration = play::timeline(document.play(), 0).duration;
    presentation.playStep();
    const double frame = medianMs(120, [&] {
        now += 16;
        if (!presentation.playback().isPlaying()) {
            presentation.playStep();
        }
        presentation.playback().tick();
        presentation.render(&screen);
    });
    presentation.playback().stop();

    // A stroke of 300 points across the court, each point's repaint as the window asks for it
    // (the segment it adds) over the still step.
    presentation.render(&screen);
    const QPointF start(500, 300);
    send(presentation, QEvent::MouseButtonPress, start, Qt::LeftButton);
    int i = 0;
    QPointF last = start;
    const double point = medianMs(300, [&] {
        ++i;
        const QPointF at = start + QPointF(3 * i, 150 * std::sin(i / 20.0));
        send(presentation, QEvent::MouseMove, at, Qt::LeftButton);
        const QRect segment = QRectF(last, at).normalized().toAlignedRect().adjusted(-12, -12, 12, 12);
        presentation.render(&screen, segment.topLeft(), QRegion(segment));
        last = at;
    });
    send(presentation, QEvent::MouseButtonRelease, last, Qt::NoButton);

    std::printf("| presentation: a frame of a step playing at 1920 x 1080 (median of 120; the step lasts %.1f s) | "
                "%.2f ms | | under %.1f ms | %s |\n",
        duration, frame, kFrameGoalMs, frame < kFrameGoalMs ? "yes" : "no");
    std::printf(
        "| presentation: a point of ink drawn at 1920 x 1080 (median of 300) | %.3f ms | | under %.0f ms | %s |\n",
        point, kInkGoalMs, point < kInkGoalMs ? "yes" : "no");
    return 0;
}
