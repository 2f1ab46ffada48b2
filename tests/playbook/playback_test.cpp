#include "play/motion.h"
#include "play/play.h"
#include "playbook/commands.h"
#include "playbook/courtview.h"
#include "playbook/playback.h"
#include "playbook/playbookwindow.h"
#include "playbook/playdocument.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Two steps: ally 3 cuts to the basket in the first, ally 1 passes to ally 3 in the second.
play::Play cutAndPass()
{
    play::Play p = play::newPlay(play::Court::Half);
    p.steps.first().actions.append(play::Action {
        play::ActionKind::Cut, 2, play::kNoPlayer, { p.steps.first().positions[2], QPointF(7000, 2500) } });
    p.steps.append(p.steps.first());
    p.steps[1].actions = { play::Action { play::ActionKind::Pass, 0, 2 } };
    play::settle(p);
    return p;
}

TEST(Playback, FollowsItsClockAtItsSpeedAndStopsOrLoopsAtTheEnd)
{
    PlayDocument document(cutAndPass());
    Playback playback(document);
    qint64 now = 5000;
    playback.setClock([&] { return now; });
    const double duration = play::playDuration(document.play());

    playback.play();
    EXPECT_TRUE(playback.isActive());
    EXPECT_EQ(playback.time(), 0);
    now += 400;
    playback.tick();
    EXPECT_DOUBLE_EQ(playback.time(), 0.4);
    playback.setSpeed(0.25);
    now += 400;
    playback.tick();
    EXPECT_DOUBLE_EQ(playback.time(), 0.5);

    // Past the end: it stops there, and playing again starts over.
    playback.setSpeed(2);
    now += qint64(duration * 1000);
    playback.tick();
    EXPECT_DOUBLE_EQ(playback.time(), duration);
    EXPECT_FALSE(playback.isPlaying());
    playback.play();
    EXPECT_EQ(playback.time(), 0);

    playback.setLoop(true);
    now += qint64(duration * 500) + 100; // at speed 2: the whole play and 0.2 seconds
    playback.tick();
    EXPECT_TRUE(playback.isPlaying());
    EXPECT_NEAR(playback.time(), 0.2, 0.002); // the clock counts whole milliseconds
}

TEST(Playback, TheCourtShowsThePlayAsItRunsUntilTheUserEdits)
{
    QStandardPaths::setTestModeEnabled(true);
    auto *window = new PlaybookWindow(cutAndPass());
    window->show();
    CourtView *court = window->courtView();
    const play::Play &play = window->document().play();
    qint64 now = 0;
    window->playback()->setClock([&] { return now; });

    window->playback()->play();
    const double duration = play::playDuration(play);
    for (double t : { 0.3, duration / 2, duration - 0.01 }) {
        now = qint64(t * 1000);
        window->playback()->tick();
        const play::PlayTime at = play::locate(play, t);
        EXPECT_EQ(window->document().currentStep(), at.step) << t;
        const QPointF cutter = play::placementAt(play, at.step, at.seconds).positions[2];
        EXPECT_LE((court->pieceCentre(2) - court->fromScene(cutter)).manhattanLength(), 1) << t;
    }

    // A press on the court stops playback and shows the step to edit where it starts.
    QTest::mouseClick(court->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(window->playback()->isActive());
    const int step = window->document().currentStep();
    EXPECT_EQ(court->pieceCentre(2), court->fromScene(play.steps[step].positions[2]));

    window->document().undoStack()->setClean();
    window->close();
    delete window;
}

} // namespace
