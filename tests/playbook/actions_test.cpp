#include "play/motion.h"
#include "play/play.h"
#include "playbook/commands.h"
#include "playbook/courtview.h"
#include "playbook/playbookwindow.h"
#include "playbook/playdocument.h"
#include "playbook/stepstrip.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Actions drawn on the court view with real pointer events, made into commands as the
// window makes them.
class DrawingTest : public ::testing::Test {
protected:
    DrawingTest()
        : document(play::newPlay(play::Court::Half))
        , view(document)
    {
        view.resize(1057, 638);
        view.show();
        QObject::connect(&view, &CourtView::actionDrawn, [this](const play::Action &action) {
            document.undoStack()->push(new AddAction(document, document.currentStep(), action));
        });
        QObject::connect(&view, &CourtView::actionEdited, [this](int index, const play::Action &action) {
            document.undoStack()->push(new EditAction(document, 0, index, action, QStringLiteral("Move Point")));
        });
        QObject::connect(&view, &CourtView::actionEraseRequested,
            [this](int index) { document.undoStack()->push(new DeleteAction(document, 0, index)); });
        QObject::connect(&view, &CourtView::refused, [this](const QString &message) { refusal = message; });
    }

    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(view.viewport(), from + (to - from) * i / 10 + QPoint(0, i % 2 ? 3 : -3));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, to);
    }

    const QList<play::Action> &actions() const { return document.play().steps[0].actions; }
    QPointF position(int piece) const { return document.play().steps[0].positions[piece]; }

    PlayDocument document;
    CourtView view;
    QString refusal;
};

TEST_F(DrawingTest, ACutRunsFromThePlayerToWhereThePointerLetGo)
{
    view.setTool(Tool::Cut);
    const QPoint release = view.pieceCentre(2) + QPoint(-180, -120);
    drag(view.pieceCentre(2) + QPoint(5, 8), release);

    ASSERT_EQ(actions().size(), 1);
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("Add Cut"));
    const play::Action &cut = actions().first();
    EXPECT_EQ(cut.kind, play::ActionKind::Cut);
    EXPECT_EQ(cut.player, 2);
    EXPECT_EQ(cut.points.first(), position(2)); // the jersey's centre, not where the press fell
    EXPECT_LE((view.fromScene(cut.points.last()) - release).manhattanLength(), 2);
    // The player stays where the step starts; the cut shows where they go.
    EXPECT_EQ(view.pieceCentre(2), view.fromScene(position(2)));
}

TEST_F(DrawingTest, APassNeedsTheBallAndATeammateToReceiveIt)
{
    view.setTool(Tool::Pass);
    // Ally 2 has no ball: nothing is drawn, and the status bar says why.
    drag(view.pieceCentre(1), view.pieceCentre(2));
    EXPECT_TRUE(actions().isEmpty());
    EXPECT_EQ(refusal, QStringLiteral("Ally 2 does not have the ball."));

    // From the holder to the open court: no one receives it.
    drag(view.pieceCentre(0), view.fromScene(QPointF(7000, 500)));
    EXPECT_TRUE(actions().isEmpty());
    EXPECT_EQ(refusal, QStringLiteral("End the Pass on a teammate."));

    // An opponent is no receiver, however near.
    drag(view.pieceCentre(0), view.pieceCentre(5));
    EXPECT_TRUE(actions().isEmpty());

    // Let go under ally 3's jersey, within a jersey and a half of its centre.
    drag(view.pieceCentre(0), view.fromScene(position(2) + QPointF(0, play::kJerseyWidth * 1.3)));
    ASSERT_EQ(actions().size(), 1);
    EXPECT_EQ(actions().first().player, 0);
    EXPECT_EQ(actions().first().receiver, 2);
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("Add Pass"));
}

TEST_F(DrawingTest, SelectedActionsDeleteAndTheirPointsDrag)
{
    document.undoStack()->push(new AddAction(
        document, 0, play::Action { play::ActionKind::Cut, 3, play::kNoPlayer, { position(3), QPointF(9000, 3000) } }));
    view.setFocus();
    const QPoint middle = view.fromScene((position(3) + QPointF(9000, 3000)) / 2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(view.selectedAction(), 0);

    drag(view.fromScene(QPointF(9000, 3000)), view.fromScene(QPointF(10000, 2000)));
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("Move Point"));
    EXPECT_NEAR(actions().first().points.last().x(), 10000, 30);
    EXPECT_EQ(actions().first().points.first(), position(3));

    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_TRUE(actions().isEmpty());
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("Delete Cut"));
    EXPECT_EQ(view.selectedAction(), -1);
}

TEST_F(DrawingTest, OneFingerDrawsAScreen)
{
    static QPointingDevice *screen = QTest::createTouchDevice(); // Qt keeps devices for the process
    view.setTool(Tool::Screen);
    const QPoint from = view.pieceCentre(3);
    QTest::touchEvent(view.viewport(), screen).press(1, from);
    for (int i = 1; i <= 6; ++i)
        QTest::touchEvent(view.viewport(), screen).move(1, from + QPoint(-20 * i, -25 * i));
    QTest::touchEvent(view.viewport(), screen).release(1, from + QPoint(-120, -150));

    ASSERT_EQ(actions().size(), 1);
    EXPECT_EQ(actions().first().kind, play::ActionKind::Screen);
    EXPECT_EQ(actions().first().player, 3);
    EXPECT_EQ(view.pieceCentre(3), from); // drawn, not dragged
}

// The annotations: a pen stroke needs no player, the eraser deletes what it is clicked on,
// and the text tool asks for its text where the court was clicked.
TEST_F(DrawingTest, ThePenDrawsAnywhereAndTheEraserDeletesWhatItClicks)
{
    view.setTool(Tool::Pen);
    const QPoint from = view.fromScene(QPointF(3000, 7000));
    drag(from, from + QPoint(150, -60));
    ASSERT_EQ(actions().size(), 1);
    EXPECT_EQ(actions().first().kind, play::ActionKind::Pen);
    EXPECT_EQ(actions().first().player, play::kNoPlayer);

    QPointF asked(-1, -1);
    QObject::connect(&view, &CourtView::textRequested, [&](QPointF at) { asked = at; });
    view.setTool(Tool::Text);
    const QPoint click = view.fromScene(QPointF(12000, 2000));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, click);
    EXPECT_LE((view.fromScene(asked) - click).manhattanLength(), 2);

    view.setTool(Tool::Eraser);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.fromScene(QPointF(9000, 9000))); // open floor
    EXPECT_EQ(actions().size(), 1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, from + QPoint(75, -30));
    EXPECT_TRUE(actions().isEmpty());
    document.undoStack()->undo();
    EXPECT_EQ(actions().size(), 1);
}

// The window's dialogs for an action: its text, and the colour of the one selected.
TEST(ActionDialogs, TextIsWrittenWhereTheCourtWasClickedAndColoursAreUndoable)
{
    QStandardPaths::setTestModeEnabled(true);
    play::Play p = play::newPlay(play::Court::Half);
    p.steps[0].actions = { play::Action {
        play::ActionKind::Cut, 2, play::kNoPlayer, { p.steps[0].positions[2], QPointF(7000, 2500) } } };
    auto *window = new PlaybookWindow(p);
    window->resize(1280, 720);
    window->show();
    CourtView *view = window->courtView();
    const auto answer = [](const std::function<void(QDialog *)> &fill) {
        QTimer::singleShot(0, [fill] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            fill(dialog);
            dialog->accept();
        });
    };

    view->setTool(Tool::Text);
    const QPoint click = view->fromScene(QPointF(12000, 2000));
    answer([](QDialog *d) { static_cast<QInputDialog *>(d)->setTextValue(QStringLiteral("  Go   baseline ")); });
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, click);
    const QList<play::Action> &actions = window->document().play().steps[0].actions;
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[1].kind, play::ActionKind::Text);
    EXPECT_EQ(actions[1].text, QStringLiteral("Go baseline"));
    EXPECT_LE((view->fromScene(actions[1].points.first()) - click).manhattanLength(), 2);

    view->setTool(Tool::Select);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->fromScene(QPointF(7000, 2500)));
    ASSERT_EQ(view->selectedAction(), 0);
    answer([](QDialog *d) { static_cast<QColorDialog *>(d)->setCurrentColor(QColor(0x1f, 0x4e, 0x9a)); });
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == QStringLiteral("Action &Colour..."))
            action->trigger();
    }
    EXPECT_EQ(window->document().play().steps[0].actions[0].colour, QColor(0x1f, 0x4e, 0x9a));
    EXPECT_EQ(window->document().undoStack()->undoText(), QStringLiteral("Recolour Cut"));
    window->document().undoStack()->undo();
    EXPECT_FALSE(window->document().play().steps[0].actions[0].colour.isValid());

    window->document().undoStack()->setClean();
    window->close();
    delete window;
}

TEST(ToolShortcuts, SingleKeysPickToolsOnTheCourtAndTypeLettersInTheNote)
{
    QStandardPaths::setTestModeEnabled(true);
    auto *window = new PlaybookWindow(play::newPlay(play::Court::Half));
    window->show();
    QApplication::setActiveWindow(window);
    auto *note = window->findChild<QPlainTextEdit *>();
    ASSERT_NE(note, nullptr);

    window->courtView()->setFocus();
    QTest::keyClick(window->courtView(), Qt::Key_C);
    EXPECT_EQ(window->courtView()->tool(), Tool::Cut);

    note->setFocus();
    QTest::keyClicks(note, QStringLiteral("cvp"));
    EXPECT_EQ(note->toPlainText(), QStringLiteral("cvp"));
    EXPECT_EQ(window->courtView()->tool(), Tool::Cut);
    EXPECT_EQ(window->document().play().steps[0].note, QStringLiteral("cvp"));
    // Nor do they act while another part of the window, the step strip, has the keys.
    auto *strip = window->findChild<StepStrip *>();
    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_P);
    EXPECT_EQ(window->courtView()->tool(), Tool::Cut);

    window->courtView()->setFocus();
    QTest::keyClick(window->courtView(), Qt::Key_V);
    EXPECT_EQ(window->courtView()->tool(), Tool::Select);

    // With an action selected, Delete deletes it, not the step.
    PlayDocument &document = window->document();
    document.undoStack()->push(new InsertStep(document, 1, document.play().steps[0], QStringLiteral("Add")));
    const QPointF from = document.play().steps[1].positions[3];
    document.undoStack()->push(new AddAction(
        document, 1, play::Action { play::ActionKind::Cut, 3, play::kNoPlayer, { from, QPointF(9000, 3000) } }));
    CourtView *court = window->courtView();
    QTest::mouseClick(court->viewport(), Qt::LeftButton, {}, court->fromScene((from + QPointF(9000, 3000)) / 2));
    ASSERT_EQ(court->selectedAction(), 0);
    QTest::keyClick(court, Qt::Key_Delete);
    EXPECT_EQ(document.play().steps.size(), 2);
    EXPECT_TRUE(document.play().steps[1].actions.isEmpty());

    window->document().undoStack()->setClean();
    window->close();
    delete window;
}

TEST(AddStep, StartsWhereTheStepsActionsEndWithNothingDrawn)
{
    QStandardPaths::setTestModeEnabled(true);
    play::Play p = play::newPlay(play::Court::Half);
    p.steps[0].actions = { play::Action { play::ActionKind::Cut, 2, play::kNoPlayer,
                               { p.steps[0].positions[2], QPointF(7000, 2500) } },
        play::Action { play::ActionKind::Pass, 0, 2 } };
    auto *window = new PlaybookWindow(p);
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == QStringLiteral("&Add Step"))
            action->trigger();
    }
    const play::Play &result = window->document().play();
    ASSERT_EQ(result.steps.size(), 2);
    const play::Placement end = play::endOf(result, 0);
    EXPECT_EQ(result.steps[1].positions, end.positions);
    EXPECT_EQ(result.steps[1].ballHolder, end.ballHolder);
    EXPECT_TRUE(result.steps[1].actions.isEmpty());

    window->document().undoStack()->setClean();
    window->close();
    delete window;
}

// Three steps in which Ally 3 cuts to A, then on to B, then stands at B.
play::Play threeRuns()
{
    play::Play p = play::newPlay(play::Court::Half);
    const QPointF start = p.steps[0].positions[2], a(7000, 2500), b(4000, 4000);
    const auto cut = [](QPointF from, QPointF to) {
        return play::Action { play::ActionKind::Cut, 2, play::kNoPlayer, { from, to } };
    };
    p.steps << p.steps[0] << p.steps[0];
    p.steps[0].actions = { cut(start, a) };
    p.steps[1].positions[2] = a;
    p.steps[1].actions = { cut(a, b) };
    p.steps[2].positions[2] = b;
    p.steps[2].note = QStringLiteral("Set");
    return p;
}

// Deleting or moving a step settles the play: a step that now follows another starts where
// that one's runs end. Undone, every step is as it was.
TEST(StepOrder, AStepThatNowFollowsAnotherStartsWhereItsRunsEnd)
{
    const play::Play before = threeRuns();
    const QPointF a(7000, 2500), b(4000, 4000);
    {
        PlayDocument document(before);
        document.undoStack()->push(new DeleteStep(document, 1));
        ASSERT_EQ(document.play().steps.size(), 2);
        EXPECT_EQ(document.play().steps[1].note, QStringLiteral("Set"));
        EXPECT_EQ(document.play().steps[1].positions[2], a);
        document.undoStack()->undo();
        EXPECT_TRUE(document.play() == before);
    }
    {
        PlayDocument document(before);
        document.undoStack()->push(new MoveStep(document, 1, 0));
        const play::Play &moved = document.play();
        // The run from A to B comes first now; the run to A leaves from B, and the last step
        // follows it.
        EXPECT_EQ(moved.steps[0].positions[2], a);
        EXPECT_EQ(moved.steps[1].positions[2], b);
        EXPECT_EQ(moved.steps[1].actions[0].points.first(), b);
        EXPECT_EQ(moved.steps[2].positions[2], a);
        document.undoStack()->undo();
        EXPECT_TRUE(document.play() == before);
        document.undoStack()->redo();
        EXPECT_EQ(document.play().steps[2].positions[2], a);
    }
}

TEST(DuplicateStep, StartsWhereTheStepEndsWithItsNoteAndAnnotationsButNotItsRuns)
{
    QStandardPaths::setTestModeEnabled(true);
    play::Play p = threeRuns();
    p.steps[0].note = QStringLiteral("Cut to the wing");
    p.steps[0].actions.append(
        play::Action { play::ActionKind::Text, play::kNoPlayer, play::kNoPlayer, { QPointF(2000, 1000) }, {}, "Go" });
    auto *window = new PlaybookWindow(p);
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == QStringLiteral("D&uplicate Step"))
            action->trigger();
    }
    const play::Play &result = window->document().play();
    ASSERT_EQ(result.steps.size(), 4);
    const play::Step &copy = result.steps[1];
    EXPECT_EQ(copy.positions[2], QPointF(7000, 2500));
    EXPECT_EQ(copy.note, QStringLiteral("Cut to the wing"));
    ASSERT_EQ(copy.actions.size(), 1);
    EXPECT_EQ(copy.actions[0].kind, play::ActionKind::Text);
    EXPECT_EQ(result.steps[2], p.steps[1]);

    window->document().undoStack()->setClean();
    window->close();
    delete window;
}

} // namespace
