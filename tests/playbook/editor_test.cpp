#include "play/motion.h"
#include "play/play.h"
#include "playbook/autosave.h"
#include "playbook/commands.h"
#include "playbook/courtview.h"
#include "playbook/pieceitem.h"
#include "playbook/playdocument.h"
#include "playbook/stepstrip.h"

#include <QDir>
#include <QPainter>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Every command, done and undone and done again, leaves the play as doing it once did;
// undone, it leaves the play as it was.
struct CommandCase {
    const char *name;
    std::function<QUndoCommand *(PlayDocument &)> make;
    const char *text;
};

// Ally 3 cuts and ally 1 passes to ally 2 in the first step; the second starts where
// they end.
play::Play twoStepPlay()
{
    play::Play p = play::newPlay(play::Court::Half);
    play::Step &first = p.steps.first();
    first.actions.append(
        play::Action { play::ActionKind::Cut, 2, play::kNoPlayer, { first.positions[2], QPointF(5000, 3000) } });
    first.actions.append(play::Action { play::ActionKind::Pass, 0, 1 });
    play::Step second = first;
    second.actions.clear();
    second.positions[2] = QPointF(5000, 3000);
    second.ballHolder = 1;
    second.note = QStringLiteral("2 cuts to the basket");
    p.steps.append(second);
    return p;
}

play::Action movedEnd(const play::Action &action, QPointF end)
{
    play::Action moved = action;
    moved.points.last() = end;
    return moved;
}

play::Action recoloured(const play::Action &action, QColor colour)
{
    play::Action result = action;
    result.colour = colour;
    return result;
}

class Commands : public ::testing::TestWithParam<CommandCase> { };

TEST_P(Commands, UndoRestoresAndRedoRepeats)
{
    PlayDocument document(twoStepPlay());
    const play::Play before = document.play();
    document.undoStack()->push(GetParam().make(document));
    const play::Play done = document.play();
    EXPECT_NE(done, before);
    EXPECT_EQ(document.undoStack()->undoText(), QString::fromUtf8(GetParam().text));

    document.undoStack()->undo();
    EXPECT_EQ(document.play(), before);
    document.undoStack()->redo();
    EXPECT_EQ(document.play(), done);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, Commands,
    ::testing::Values(CommandCase { "move", [](PlayDocument &d) { return new MovePiece(d, 0, 2, QPointF(8000, 4000)); },
                          "Move Ally 3" },
        CommandCase { "ballToPlayer",
            [](PlayDocument &d) { return new MovePiece(d, 1, play::kBall, d.play().steps[1].positions[2]); },
            "Move Ball" },
        CommandCase { "ballFree", [](PlayDocument &d) { return new MovePiece(d, 0, play::kBall, QPointF(7000, 2000)); },
            "Move Ball" },
        CommandCase { "player",
            [](PlayDocument &d) {
                return new EditPlayer(d, 7, play::Player { 23, QStringLiteral("Kim") });
            },
            "Edit Opponent 3" },
        CommandCase { "note", [](PlayDocument &d) { return new EditNote(d, 0, QStringLiteral("Box set")); },
            "Edit Note of Step 1" },
        CommandCase { "insert",
            [](PlayDocument &d) { return new InsertStep(d, 1, d.play().steps[0], QStringLiteral("Add Step 2")); },
            "Add Step 2" },
        CommandCase { "delete", [](PlayDocument &d) { return new DeleteStep(d, 0); }, "Delete Step 1" },
        CommandCase { "reorder", [](PlayDocument &d) { return new MoveStep(d, 1, 0); }, "Move Step 2" },
        CommandCase { "addCut",
            [](PlayDocument &d) {
                const QPointF from = d.play().steps[1].positions[3];
                return new AddAction(
                    d, 1, play::Action { play::ActionKind::Cut, 3, play::kNoPlayer, { from, QPointF(9000, 5000) } });
            },
            "Add Cut" },
        CommandCase { "movePoint",
            [](PlayDocument &d) {
                return new EditAction(d, 0, 0, movedEnd(d.play().steps[0].actions[0], QPointF(6000, 2500)),
                    QStringLiteral("Move Point of Cut"));
            },
            "Move Point of Cut" },
        CommandCase { "recolour",
            [](PlayDocument &d) {
                return new EditAction(
                    d, 0, 1, recoloured(d.play().steps[0].actions[1], Qt::red), QStringLiteral("Recolour Pass"));
            },
            "Recolour Pass" },
        CommandCase { "deletePass", [](PlayDocument &d) { return new DeleteAction(d, 0, 1); }, "Delete Pass" }),
    [](const ::testing::TestParamInfo<CommandCase> &info) { return std::string(info.param.name); });

TEST(ActionCommands, LaterStepsFollowTheChangedActions)
{
    PlayDocument document(twoStepPlay());
    QList<int> announced;
    QObject::connect(&document, &PlayDocument::actionsChanged, [&](int step) { announced.append(step); });

    document.undoStack()->push(new EditAction(
        document, 0, 0, movedEnd(document.play().steps[0].actions[0], QPointF(6000, 2500)), QStringLiteral("Move")));
    EXPECT_EQ(document.play().steps[1].positions[2], QPointF(6000, 2500));
    document.undoStack()->push(new DeleteAction(document, 0, 1));
    EXPECT_EQ(document.play().steps[1].ballHolder, 0);
    EXPECT_EQ(announced, QList<int>({ 0, 0 }));

    // The cutter dragged elsewhere: the cut starts from the new place.
    document.undoStack()->push(new MovePiece(document, 0, 2, QPointF(4000, 6000)));
    EXPECT_EQ(document.play().steps[0].actions[0].points.first(), QPointF(4000, 6000));
    EXPECT_EQ(document.play().steps[1].positions[2], QPointF(6000, 2500));

    // Mirrored as the play library mirrors, each step settled, in one undo step; end to end
    // only on a whole court.
    const play::Play before = document.play();
    document.setCurrentStep(1);
    document.undoStack()->push(new MirrorPlay(document, true));
    play::Play expected = play::mirrored(before, false);
    play::settle(expected, 0);
    EXPECT_EQ(document.play(), expected);
    document.undoStack()->undo();
    EXPECT_EQ(document.play(), before);
}

TEST(DroppedPiece, StaysOnTheCourtAndTheBallFindsItsHolder)
{
    const play::Play p = play::newPlay(play::Court::Whole);
    const QSizeF court = play::courtSize(p.court);

    // Far past a corner: back to the nearest point where the whole jersey is on the court.
    const play::Step off = droppedPiece(p, 0, 4, QPointF(-5000, court.height() + 9000));
    EXPECT_EQ(off.positions[4], QPointF(play::kJerseyWidth / 2, court.height() - play::kJerseyHeight / 2));

    const QPointF nearAlly3 = p.steps[0].positions[2] + QPointF(200, -150);
    EXPECT_EQ(droppedPiece(p, 0, play::kBall, nearAlly3).ballHolder, 2);

    const play::Step free = droppedPiece(p, 0, play::kBall, QPointF(6000, 2000));
    EXPECT_EQ(free.ballHolder, play::kNoHolder);
    EXPECT_EQ(play::ballPosition(free), QPointF(6000, 2000));
}

TEST(NoteTyping, MergesIntoOneUndoStepPerStep)
{
    PlayDocument document(twoStepPlay());
    for (const char *text : { "P", "Pi", "Pic", "Pick" })
        document.undoStack()->push(new EditNote(document, 0, QString::fromLatin1(text)));
    document.undoStack()->push(new EditNote(document, 1, QStringLiteral("Roll")));
    EXPECT_EQ(document.undoStack()->count(), 2);
    document.undoStack()->undo();
    document.undoStack()->undo();
    EXPECT_EQ(document.play().steps[0].note, QString());
}

// A window's copy is locked from its first write on, so that no other start takes it over as
// left by a crash; a window with nothing unsaved leaves nothing in the folder.
TEST(Autosave, LocksTheCopyItWritesAndLeavesNothingWhileClean)
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(Autosave::folder()).removeRecursively();
    PlayDocument document(twoStepPlay());
    {
        Autosave autosave(document);
        autosave.saveNow();
        EXPECT_TRUE(QDir(Autosave::folder()).entryList(QDir::Files).isEmpty());

        document.undoStack()->push(new EditNote(document, 0, QStringLiteral("Pick")));
        autosave.saveNow();
        EXPECT_EQ(QDir(Autosave::folder()).entryList({ QStringLiteral("*.lock") }, QDir::Files).size(), 1);
        EXPECT_TRUE(Autosave::takeOrphans().isEmpty());
    }
    EXPECT_TRUE(Autosave::takeOrphans().isEmpty());
    QDir(Autosave::folder()).removeRecursively();
}

// The strip's first frame holds blanks, so that the window's first frame waits for no
// thumbnail; the thumbnails follow it.
TEST(StepThumbnails, AreDrawnOnceTheStripHasBeenOnScreen)
{
    PlayDocument document(twoStepPlay());
    StepStrip strip(document);
    const auto drawn = [&strip](int row) {
        const QImage image = strip.model()
                                 ->index(row, 0)
                                 .data(Qt::DecorationRole)
                                 .value<QPixmap>()
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) != 0)
                    return true;
            }
        }
        return false;
    };
    EXPECT_FALSE(drawn(0));

    strip.resize(600, strip.sizeHint().height());
    strip.show();
    // The first pass paints the strip, the next draws its thumbnails.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(drawn(0));
    EXPECT_TRUE(drawn(1));
}

// The pictures drawn ahead for the first frame stand in for the items' own drawing only
// while they show what the items would draw, and each only once.
TEST(FirstPictures, AreTakenOnceAndOnlyForWhatTheyShow)
{
    play::Play play = play::newPlay(play::Court::Half);
    const QSizeF scale(0.04, 0.04);
    FirstPictures pictures;
    pictures.begin(play, scale);
    pictures.begin(play, QSizeF(0.08, 0.08)); // the first ones only

    play::Play renamed = play;
    renamed.roster[2].name = QStringLiteral("Sam");
    EXPECT_TRUE(pictures.takePiece(2, renamed, scale).isNull());
    EXPECT_TRUE(pictures.takePiece(3, play, QSizeF(0.08, 0.08)).isNull());
    EXPECT_TRUE(pictures.takeCourt(play::Court::Whole, scale).isNull());

    const QImage jersey = pictures.takePiece(3, play, scale);
    ASSERT_FALSE(jersey.isNull());
    EXPECT_EQ(qAlpha(jersey.pixel(jersey.width() / 2, jersey.height() / 3)), 255);
    EXPECT_TRUE(pictures.takePiece(3, play, scale).isNull());
    EXPECT_FALSE(pictures.takePiece(play::kBall, play, scale).isNull());
    EXPECT_FALSE(pictures.takeCourt(play::Court::Half, scale).isNull());
}

// A piece drawn from its first picture lands where its own drawing does, to the pixel.
TEST(FirstPictures, StandInForTheDrawingInPlace)
{
    PlayDocument document(play::newPlay(play::Court::Half));
    const QSizeF scale(0.04, 0.04);
    const auto paintPiece = [&](FirstPictures &pictures) {
        PieceItem item(document, 4, pictures);
        QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.translate(80.3, 50.6); // the piece's centre between pixels
        painter.scale(scale.width(), scale.height());
        item.paint(&painter, nullptr, nullptr);
        return image;
    };
    const auto extent = [](const QImage &image) {
        QRect drawn;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 128)
                    drawn |= QRect(x, y, 1, 1);
            }
        }
        return drawn;
    };
    FirstPictures none;
    const QImage drawnAnew = paintPiece(none);
    FirstPictures ahead;
    ahead.begin(document.play(), scale);
    const QImage fromPicture = paintPiece(ahead);
    EXPECT_TRUE(ahead.takePiece(4, document.play(), scale).isNull()); // it was used

    const QRect anew = extent(drawnAnew), picture = extent(fromPicture);
    ASSERT_FALSE(anew.isEmpty());
    EXPECT_LE(std::abs(anew.left() - picture.left()), 1);
    EXPECT_LE(std::abs(anew.top() - picture.top()), 1);
    EXPECT_LE(std::abs(anew.right() - picture.right()), 1);
    EXPECT_LE(std::abs(anew.bottom() - picture.bottom()), 1);
}

// The court view as a user meets it: real pointer events on its viewport.
class CourtViewTest : public ::testing::Test {
protected:
    CourtViewTest()
        : document(play::newPlay(play::Court::Half))
        , view(document)
    {
        view.resize(1057, 638);
        view.show();
        connect();
    }

    void connect()
    {
        QObject::connect(&view, &CourtView::pieceDropped, [this](int piece, QPointF position) {
            document.undoStack()->push(new MovePiece(document, document.currentStep(), piece, position));
        });
    }

    QPointF scenePosition(int piece) const { return document.play().steps[0].positions[piece]; }

    // Drawn where the pointer put it, to the pixel the view rounds to.
    void expectNear(QPoint drawn, QPoint expected)
    {
        EXPECT_LE((drawn - expected).manhattanLength(), 2) << drawn.x() << "," << drawn.y();
    }

    PlayDocument document;
    CourtView view;
};

TEST_F(CourtViewTest, OneMouseDragIsOneNamedUndoStep)
{
    const QPoint from = view.pieceCentre(2);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= 10; ++i)
        QTest::mouseMove(view.viewport(), from + QPoint(-20 * i, -15 * i));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, from + QPoint(-200, -150));

    EXPECT_EQ(document.undoStack()->count(), 1);
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("Move Ally 3"));
    EXPECT_EQ(view.pieceCentre(2), from + QPoint(-200, -150));
}

TEST_F(CourtViewTest, TwoFingersDragTwoPiecesAtOnce)
{
    static QPointingDevice *screen = QTest::createTouchDevice(); // Qt keeps devices for the process
    const QPoint a = view.pieceCentre(0);
    const QPoint b = view.pieceCentre(6);
    QTest::touchEvent(view.viewport(), screen).press(1, a).press(2, b);
    for (int i = 1; i <= 8; ++i) {
        QTest::touchEvent(view.viewport(), screen).move(1, a + QPoint(0, -25 * i)).move(2, b + QPoint(25 * i, -25 * i));
        // Both move together, before either finger lifts.
        expectNear(view.pieceCentre(0), a + QPoint(0, -25 * i));
        expectNear(view.pieceCentre(6), b + QPoint(25 * i, -25 * i));
    }
    QTest::touchEvent(view.viewport(), screen).release(1, a + QPoint(0, -200)).release(2, b + QPoint(200, -200));

    EXPECT_EQ(document.undoStack()->count(), 2);
    // 200 pixels at 15 twips a pixel.
    EXPECT_NEAR(scenePosition(0).y(), 8160 + 480 - 3000, 30);
    EXPECT_NEAR(scenePosition(6).x(), 1680 + 367.5 + 3000, 30);
}

TEST_F(CourtViewTest, TheBallGoesWithItsHolderAndADropOffTheCourtComesBack)
{
    const QPoint from = view.pieceCentre(0);
    const QPoint ballOffset = view.pieceCentre(play::kBall) - from;
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view.viewport(), QPoint(-300, -300));
    expectNear(view.pieceCentre(play::kBall), view.pieceCentre(0) + ballOffset);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(-300, -300));

    EXPECT_EQ(scenePosition(0), QPointF(play::kJerseyWidth / 2, play::kJerseyHeight / 2));
    EXPECT_EQ(play::ballPosition(document.play().steps[0]), play::heldBallPosition(scenePosition(0)));
}

} // namespace
