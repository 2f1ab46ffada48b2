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

#include <functional>
#include <string>
#include <utility>

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

// The document's motion, worked out once, answers as the play's own functions do after
// every kind of change: a motion kept from before a change would play the old play.
TEST(DocumentMotion, FollowsEveryChangeOfThePlay)
{
    const auto longerCut = [](PlayDocument &d) {
        play::Step step = d.play().steps[0];
        step.actions[0].points.last() = QPointF(12000, 2000);
        d.setStep(0, step);
    };
    const std::pair<const char *, std::function<void(PlayDocument &)>> changes[] = {
        { "step", longerCut },
        { "steps",
            [](PlayDocument &d) {
                QList<play::Step> steps = d.play().steps;
                steps[1].actions.clear();
                d.setSteps(steps);
            } },
        { "insert", [](PlayDocument &d) { d.insertStep(0, d.play().steps[1]); } },
        { "remove", [](PlayDocument &d) { d.removeStep(0); } },
        { "move", [](PlayDocument &d) { d.moveStep(1, 0); } },
        { "replace", [](PlayDocument &d) { d.replacePlay(play::mirrored(d.play(), false)); } },
    };
    for (const auto &[name, change] : changes) {
        PlayDocument document(cutAndPass());
        const double before = document.motion().duration();
        change(document);
        const play::Play &p = document.play();
        const play::PlayMotion &motion = document.motion();
        EXPECT_DOUBLE_EQ(motion.duration(), play::playDuration(p)) << name;
        for (int step = 0; step < p.steps.size(); ++step)
            EXPECT_DOUBLE_EQ(motion.stepStartTime(step), play::stepStartTime(p, step)) << name;
        for (double t = 0; t <= motion.duration(); t += 0.1) {
            const play::PlayTime at = motion.locate(t);
            EXPECT_EQ(at.step, play::locate(p, t).step) << name << " " << t;
            EXPECT_EQ(motion.placementAt(at.step, at.seconds), play::placementAt(p, at.step, at.seconds))
                << name << " " << t;
        }
        if (std::string(name) == "step")
            EXPECT_NE(motion.duration(), before); // a new motion, not the kept one
    }
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
