// Drawing a step with 200 actions, and drawing an action while a point is added to it, as
// the play designer's court does.
#include "play/action.h"
#include "play/playpainter.h"
#include "timing.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Curved runs of every kind over the court, each through a handful of points, passes
// between the allies, and annotations.
play::Play busyStep(int actions)
{
    play::Play play = play::newPlay(play::Court::Half);
    play::Step &step = play.steps.front();
    const QSizeF size = play::courtSize(play.court);
    const play::ActionKind kinds[]
        = { play::ActionKind::Cut, play::ActionKind::Dribble, play::ActionKind::Screen, play::ActionKind::Pass,
              play::ActionKind::Handoff, play::ActionKind::Shot, play::ActionKind::Pen, play::ActionKind::Text };
    for (int i = 0; i < actions; ++i) {
        play::Action action;
        action.kind = kinds[i % 8];
        action.player = play::isAnnotation(action.kind) ? play::kNoPlayer : i % play::kPlayersPerSide;
        if (action.kind == play::ActionKind::Pass || action.kind == play::ActionKind::Handoff)
            action.receiver = (i + 1) % play::kPlayersPerSide;
        // Runs of about 5,000 twips (a third of the court's width) from spots all over it.
        const int points = action.kind == play::ActionKind::Text ? 1 : 5;
        const QPointF start(size.width() * (0.1 + 0.5 * ((i * 37) % 101) / 101.0),
            size.height() * (0.1 + 0.8 * ((i * 53) % 103) / 103.0));
        for (int p = 0; p < points; ++p)
            action.points.append(start + QPointF(1200 * p, 600 * std::sin(i + p)));
        if (action.kind == play::ActionKind::Text)
            action.text = QStringLiteral("Read the help side");
        step.actions.append(action);
    }
    return play;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    play::registerFonts();
    constexpr int kActions = 200;
    constexpr double kStepGoalMs = 16;
    constexpr double kPointGoalMs = 1;
    // The court at the size of its picture, as a window at scale 1 shows it.
    QImage image(QSize(1057, 638), QImage::Format_ARGB32_Premultiplied);
    const QTransform fit = play::fitCourt(play::Court::Half, image.rect());

    const play::Play step = busyStep(kActions);
    const double drawStep = medianMs(31, [&] {
        QPainter painter(&image);
        painter.setTransform(fit);
        for (int action = 0; action < kActions; ++action)
            play::drawAction(painter, step, 0, action);
    });

    // A stroke of 600 points drawn point by point: each new point simplifies the stroke so
    // far, and the action is drawn again.
    play::Play drawing = play::newPlay(play::Court::Half);
    drawing.steps.front().actions.append(play::Action { play::ActionKind::Dribble, 0 });
    QList<QPointF> stroke;
    std::vector<double> perPoint;
    for (int i = 0; i < 600; ++i) {
        stroke.append(QPointF(2000 + i * 20, 5000 + 1500 * std::sin(i / 40.0)));
        QElapsedTimer clock;
        clock.start();
        drawing.steps.front().actions.first().points = play::simplifyStroke(stroke, 30);
        QPainter painter(&image);
        painter.setTransform(fit);
        play::drawAction(painter, drawing, 0, 0);
        perPoint.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(perPoint.begin(), perPoint.end());
    const double point = perPoint[perPoint.size() / 2];
    const double worstPoint = perPoint.back();

    std::printf("| play painter: drawing a step of %d actions (median of 31) | %.2f ms | | under %.0f ms | %s |\n",
        kActions, drawStep, kStepGoalMs, drawStep < kStepGoalMs ? "yes" : "no");
    std::printf("| play painter: a point added while drawing (median of 600; slowest %.2f ms) | %.3f ms | | under "
                "%.0f ms | %s |\n",
        worstPoint, point, kPointGoalMs, point < kPointGoalMs ? "yes" : "no");
    return 0;
}
