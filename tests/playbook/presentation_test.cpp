#include "play/motion.h"
#include "play/play.h"
#include "playbook/courtview.h"
#include "playbook/playbookwindow.h"
#include "playbook/playdocument.h"
#include "playbook/presentationwindow.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Three steps: ally 3 cuts to the basket in the first, ally 1 passes to ally 3 in the
// second, nothing happens in the third.
play::Play threeSteps()
{
    play::Play p = play::newPlay(play::Court::Half);
    p.steps.first().actions.append(play::Action {
        play::ActionKind::Cut, 2, play::kNoPlayer, { p.steps.first().positions[2], QPointF(7000, 2500) } });
    p.steps.append(p.steps.first());
    p.steps[1].actions = { play::Action { play::ActionKind::Pass, 0, 2 } };
    p.steps.append(p.steps.first());
    p.steps[2].actions.clear();
    p.steps[2].note = QStringLiteral("Ally 3 shoots.");
    play::settle(p);
    return p;
}

bool isAllyDisc(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 70;
}

bool isInk(QRgb c)
{
    return qGreen(c) > 120 && qRed(c) < 60 && qBlue(c) < 130;
}

// The editor's window with a presentation of its play opened from the View menu's key, on
// a clock the test moves.
class PresentationTest : public ::testing::Test {
protected:
    PresentationTest()
    {
        QStandardPaths::setTestModeEnabled(true);
        window = new PlaybookWindow(threeSteps());
        window->show();
        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_F5);
        presentation = window->findChild<PresentationWindow *>();
        if (presentation) {
            presentation->setClock([this] { return now; });
            QApplication::setActiveWindow(presentation);
            // The hint of the keys shown on opening, gone.
            presentation->showHint();
            now += 10'000;
        }
    }

    ~PresentationTest() override
    {
        window->document().undoStack()->setClean();
        window->close();
        delete window;
    }

    int step() { return window->document().currentStep(); }
    const play::Play &play() { return window->document().play(); }

    // Where a player's number disc shows in the presentation, for a player standing at a
    // point of the court: the disc sits a little under the jersey's centre.
    QPoint discAt(QPointF position)
    {
        return presentation->courtTransform().map(position + QPointF(0, play::kJerseyHeight / 12)).toPoint();
    }

    bool allyDiscAt(const QImage &shot, QPointF position)
    {
        const QPoint centre = discAt(position);
        int count = 0;
        for (int y = centre.y() - 4; y <= centre.y() + 4; ++y) {
            for (int x = centre.x() - 4; x <= centre.x() + 4; ++x)
                count += isAllyDisc(shot.pixel(x, y));
        }
        return count > 20;
    }

    qint64 now = 1'000'000;
    PlaybookWindow *window = nullptr;
    QPointer<PresentationWindow> presentation;
};

TEST_F(PresentationTest, FillsTheWindowsScreenAndEscapeLeavesTheEditorOnTheStepShown)
{
    ASSERT_TRUE(presentation);
    EXPECT_TRUE(presentation->isFullScreen());
    EXPECT_EQ(presentation->geometry(), window->screen()->geometry());

    QTest::keyClick(presentation, Qt::Key_PageDown);
    QTest::keyClick(presentation, Qt::Key_PageDown);
    QTest::keyClick(presentation, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(presentation);
    EXPECT_EQ(step(), 2);
    CourtView *court = window->courtView();
    EXPECT_EQ(court->pieceCentre(2), court->fromScene(play().steps[2].positions[2]));
}

TEST_F(PresentationTest, RemoteKeysClicksAndTheWheelGoFromStepToStepWithinThePlay)
{
    ASSERT_TRUE(presentation);
    const QPoint middle = presentation->rect().center();
    const auto key = [this](Qt::Key key) { return [this, key] { QTest::keyClick(presentation, key); }; };
    const auto click = [&](Qt::MouseButton button) {
        return [this, middle, button] { QTest::mouseClick(presentation, button, {}, middle); };
    };
    const auto wheel = [&](int angle) {
        return [this, middle, angle] {
            QWheelEvent event(middle, presentation->mapToGlobal(middle), {}, QPoint(0, angle), Qt::NoButton, {},
                Qt::NoScrollPhase, false);
            QApplication::sendEvent(presentation, &event);
        };
    };
    struct Case {
        const char *input;
        std::function<void()> send;
        int from;
        int to;
    };
    const Case cases[] = {
        { "Page Down", key(Qt::Key_PageDown), 0, 1 },
        { "Right", key(Qt::Key_Right), 0, 1 },
        { "Down", key(Qt::Key_Down), 0, 1 },
        { "Space", key(Qt::Key_Space), 0, 1 },
        { "click", click(Qt::LeftButton), 0, 1 },
        { "wheel down", wheel(-120), 0, 1 },
        { "Page Up", key(Qt::Key_PageUp), 2, 1 },
        { "Left", key(Qt::Key_Left), 2, 1 },
        { "Up", key(Qt::Key_Up), 2, 1 },
        { "Backspace", key(Qt::Key_Backspace), 2, 1 },
        { "right-click", click(Qt::RightButton), 2, 1 },
        { "wheel up", wheel(120), 2, 1 },
        { "Home", key(Qt::Key_Home), 2, 0 },
        { "End", key(Qt::Key_End), 0, 2 },
        // The ends of the play hold.
        { "Page Down on the last step", key(Qt::Key_PageDown), 2, 2 },
        { "click on the last step", click(Qt::LeftButton), 2, 2 },
        { "Page Up on the first step", key(Qt::Key_PageUp), 0, 0 },
        { "right-click on the first step", click(Qt::RightButton), 0, 0 },
    };
    for (const Case &c : cases) {
        window->document().setCurrentStep(c.from);
        c.send();
        EXPECT_EQ(step(), c.to) << c.input;
    }
    EXPECT_TRUE(presentation->isVisible());
}

TEST_F(PresentationTest, EnterPlaysTheStepToItsEndAndTheNextStepShowsItsStart)
{
    ASSERT_TRUE(presentation);
    const play::Play &p = play();
    const QPointF cutStart = p.steps[0].positions[2];
    const QPointF cutEnd(7000, 2500);
    EXPECT_TRUE(allyDiscAt(presentation->grab().toImage(), cutStart));

    QTest::keyClick(presentation, Qt::Key_Return);
    const double duration = play::timeline(p, 0).duration;
    now += qint64(duration * 500);
    presentation->playback().tick();
    const QPointF halfWay = play::placementAt(p, 0, duration / 2).positions[2];
    QImage shot = presentation->grab().toImage();
    EXPECT_TRUE(allyDiscAt(shot, halfWay));
    EXPECT_FALSE(allyDiscAt(shot, cutStart));

    // It stops at the end of its own step, the step still on show.
    now += qint64(duration * 1000);
    presentation->playback().tick();
    EXPECT_FALSE(presentation->playback().isPlaying());
    EXPECT_EQ(step(), 0);
    EXPECT_TRUE(allyDiscAt(presentation->grab().toImage(), cutEnd));

    // Enter again plays it from its start; Enter while it plays pauses it.
    QTest::keyClick(presentation, Qt::Key_Return);
    EXPECT_TRUE(allyDiscAt(presentation->grab().toImage(), cutStart));
    QTest::keyClick(presentation, Qt::Key_Return);
    EXPECT_FALSE(presentation->playback().isPlaying());

    QTest::keyClick(presentation, Qt::Key_PageDown);
    EXPECT_FALSE(presentation->playback().isActive());
    EXPECT_TRUE(allyDiscAt(presentation->grab().toImage(), p.steps[1].positions[2]));
    QTest::keyClick(presentation, Qt::Key_PageUp);
    shot = presentation->grab().toImage();
    EXPECT_TRUE(allyDiscAt(shot, cutStart));
    EXPECT_FALSE(allyDiscAt(shot, cutEnd));
}

TEST_F(PresentationTest, InkShowsWhereDrawnFadesAwayAndNeverReachesThePlay)
{
    ASSERT_TRUE(presentation);
    const play::Play before = play();
    const QRect court
        = presentation->courtTransform().mapRect(QRectF(QPointF(0, 0), play::courtSize(before.court))).toRect();
    const QPoint from = court.center() + QPoint(-court.width() / 4, -court.height() / 3);
    const QPoint to = from + QPoint(court.width() / 2, 0);
    const QPoint middle = (from + to) / 2;
    const QRgb floor = presentation->grab().toImage().pixel(middle);

    QTest::mousePress(presentation, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 10; ++i)
        QTest::mouseMove(presentation, from + (to - from) * i / 10);
    QTest::mouseRelease(presentation, Qt::LeftButton, {}, to);
    EXPECT_EQ(step(), 0) << "a drag draws; it does not move on";
    EXPECT_TRUE(isInk(presentation->grab().toImage().pixel(middle)));

    now += 2500;
    EXPECT_TRUE(isInk(presentation->grab().toImage().pixel(middle))) << "still there a moment later";
    now += 2500;
    EXPECT_EQ(presentation->grab().toImage().pixel(middle), floor) << "gone after a few seconds";

    // Ink drawn and left on a step goes with it.
    QTest::mousePress(presentation, Qt::LeftButton, {}, from);
    QTest::mouseMove(presentation, middle);
    QTest::mouseMove(presentation, to);
    QTest::mouseRelease(presentation, Qt::LeftButton, {}, to);
    QTest::keyClick(presentation, Qt::Key_PageDown);
    QTest::keyClick(presentation, Qt::Key_PageUp);
    EXPECT_EQ(presentation->grab().toImage().pixel(middle), floor);

    EXPECT_EQ(play(), before);
    EXPECT_EQ(window->document().undoStack()->count(), 0);
    EXPECT_FALSE(window->isWindowModified());
}

} // namespace
