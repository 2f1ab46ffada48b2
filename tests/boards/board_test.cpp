#include "boards/halfcourtboard.h"
#include "boards/marker.h"
#include "boards/wholecourtboard.h"
#include "mainwindow/mainwindow.h"
#include "support/programfixture.h"
#include "widgets/controls.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

class Boards : public ProgramTest {
protected:
    Boards()
    {
        event([this] { program->mainWindow.show(); });
    }

    MainWindow &form() { return *program->mainWindow.existing(); }
    void click(void (MainWindow::*command)())
    {
        event([&] { (form().*command)(); });
    }
};

TEST_F(Boards, HalfCourtFirstCreatesTheWholeCourtHidden)
{
    click(&MainWindow::showHalfCourt);
    ASSERT_TRUE(program->wholeCourtBoard.exists());
    EXPECT_TRUE(program->wholeCourtBoard.frame()->isHidden());
    EXPECT_FALSE(program->halfCourtBoard.frame()->isHidden());
    EXPECT_TRUE(program->halfCourtBoard.frame()->isMaximized());
    EXPECT_TRUE(program->wholeCourtBoard.existing()->fadeInTimer->isEnabled()) << "its fade runs while hidden";
}

TEST_F(Boards, AVisibleQueryCreatesTheBoardAndAnswersTrue)
{
    bool visible = false;
    event([&] { visible = program->halfCourtBoard.isVisible(); });
    EXPECT_TRUE(visible);
    EXPECT_FALSE(program->wholeCourtBoard.exists());
}

TEST_F(Boards, ResetBeforeAnyBoardGivesAFreshHalfCourt)
{
    click(&MainWindow::resetBoard);
    ASSERT_TRUE(program->halfCourtBoard.exists());
    EXPECT_FALSE(program->halfCourtBoard.frame()->isHidden());
    EXPECT_FALSE(program->wholeCourtBoard.exists())
        << "the whole court is asked only when the half court is not displayed";
    EXPECT_EQ(program->halfCourtBoard.existing()->fadeCounter(), 0) << "fresh board, fade from 0";
}

TEST_F(Boards, ResetRenewsOnlyTheDisplayedBoard)
{
    click(&MainWindow::showHalfCourt);
    program->halfCourtBoard.existing()->marker("ally1")->moveTo(100, 200);
    click(&MainWindow::showWholeCourt);
    program->wholeCourtBoard.existing()->marker("enemy3")->moveTo(300, 400);
    tick(program->wholeCourtBoard.existing()->fadeInTimer, 200);

    click(&MainWindow::resetBoard);
    flush();
    EXPECT_EQ(program->wholeCourtBoard.existing()->marker("enemy3")->left(), 2880.0f);
    EXPECT_EQ(program->wholeCourtBoard.existing()->marker("enemy3")->top(), 7920.0f);
    EXPECT_EQ(program->wholeCourtBoard.existing()->fadeCounter(), 0);
    EXPECT_TRUE(program->halfCourtBoard.frame()->isHidden());
    EXPECT_EQ(program->halfCourtBoard.existing()->marker("ally1")->left(), 100.0f)
        << "the hidden half court keeps its markers";
}

TEST_F(Boards, SwitchingKeepsBothArrangementsAndDoesNotFadeAgain)
{
    click(&MainWindow::showHalfCourt);
    program->halfCourtBoard.existing()->marker("enemy2")->moveTo(5000.5f, 1234.25f);
    tick(program->halfCourtBoard.existing()->fadeInTimer, 125);
    tick(program->wholeCourtBoard.existing()->fadeInTimer, 125);
    for (int i = 0; i < 3; ++i) {
        click(&MainWindow::showWholeCourt);
        click(&MainWindow::showHalfCourt);
    }
    EXPECT_EQ(program->halfCourtBoard.existing()->marker("enemy2")->left(), 5000.5f);
    EXPECT_EQ(program->halfCourtBoard.existing()->marker("enemy2")->top(), 1234.25f);
    EXPECT_EQ(program->halfCourtBoard.existing()->fadeCounter(), 250);
    EXPECT_EQ(program->wholeCourtBoard.existing()->fadeCounter(), 250) << "faded in while hidden";
    EXPECT_EQ(program->wholeCourtBoard.variables.opacity, 250);
}

TEST_F(Boards, CloseAndTheFramesCloseGiveAFreshBoardNextTime)
{
    click(&MainWindow::showHalfCourt);
    program->halfCourtBoard.existing()->marker("ally5")->moveTo(0, 0);
    program->halfCourtBoard.variables.grabX = 42;
    event([&] { program->halfCourtBoard.existing()->closeBoard(); });
    flush();
    EXPECT_FALSE(program->halfCourtBoard.exists());
    click(&MainWindow::showHalfCourt);
    EXPECT_EQ(program->halfCourtBoard.existing()->marker("ally5")->left(), 13800.0f);
    EXPECT_EQ(program->halfCourtBoard.variables.grabX, 42.0f) << "window variables survive the unload";

    program->halfCourtBoard.frame()->close();
    flush();
    EXPECT_FALSE(program->halfCourtBoard.exists());
    EXPECT_TRUE(program->mainWindow.exists());
}

struct RowCase {
    bool half;
    int top;
    int firstEnemy;
    int firstAlly;
    int closeTop;
};

// A board in a main window maximized on a screen with room for it, as the window system
// makes it.
class EachBoard : public Boards, public ::testing::WithParamInterface<RowCase> {
protected:
    EachBoard() { flush(); }
};

TEST_P(EachBoard, EnemiesThenCloseThenAlliesAtAPitchOf840)
{
    const RowCase c = GetParam();
    click(c.half ? &MainWindow::showHalfCourt : &MainWindow::showWholeCourt);
    Board *board
        = c.half ? static_cast<Board *>(program->halfCourtBoard.existing()) : program->wholeCourtBoard.existing();
    for (int i = 0; i < 5; ++i) {
        const Marker *enemy = board->marker(qPrintable(QStringLiteral("enemy%1").arg(i + 1)));
        const Marker *ally = board->marker(qPrintable(QStringLiteral("ally%1").arg(i + 1)));
        EXPECT_EQ(enemy->left(), float(c.firstEnemy + 840 * i));
        EXPECT_EQ(ally->left(), float(c.firstAlly + 840 * i));
        EXPECT_EQ(enemy->top(), float(c.top));
        EXPECT_EQ(ally->geometry(), QRect(qRound((c.firstAlly + 840 * i) / 15.0), qRound(c.top / 15.0), 49, 64));
    }
    EXPECT_EQ(board->closeButton->geometry(), QRect(464, qRound(c.closeTop / 15.0), 113, 49));
    EXPECT_EQ(board->closeButton->text(), QStringLiteral("Close"));
}

INSTANTIATE_TEST_SUITE_P(BothBoards, EachBoard,
    ::testing::Values(RowCase { true, 8160, 840, 10440, 8520 }, RowCase { false, 7920, 1200, 10320, 8280 }),
    [](const auto &info) { return std::string(info.param.half ? "half_court" : "whole_court"); });

TEST_P(EachBoard, RestoredTheBoardShowsItsDesignSizeAndShowKeepsItRestored)
{
    const RowCase c = GetParam();
    void (MainWindow::*open)() = c.half ? &MainWindow::showHalfCourt : &MainWindow::showWholeCourt;
    click(open);
    Board *board
        = c.half ? static_cast<Board *>(program->halfCourtBoard.existing()) : program->wholeCourtBoard.existing();
    QWidget *frame = board->frame();
    ASSERT_TRUE(frame->isMaximized());
    frame->showNormal();
    EXPECT_EQ(board->size(), c.half ? QSize(1058, 640) : QSize(1168, 608));
    click(open);
    EXPECT_FALSE(frame->isMaximized()) << "brought to the front as the user left it";
    frame->showMinimized();
    click(open);
    EXPECT_TRUE(frame->isMinimized());
}

TEST_P(EachBoard, InASmallMainWindowTheWholeBoardIsInSightMaximizedAndRestored)
{
    const RowCase c = GetParam();
    click(c.half ? &MainWindow::showHalfCourt : &MainWindow::showWholeCourt);
    Board *board
        = c.half ? static_cast<Board *>(program->halfCourtBoard.existing()) : program->wholeCourtBoard.existing();
    QWidget *frame = board->frame();
    QWidget *area = form().mdiArea()->viewport();
    form().resize(700, 420);
    flush();
    for (bool maximized : { true, false }) {
        SCOPED_TRACE(maximized ? "maximized" : "restored");
        if (!maximized) {
            frame->showNormal();
            flush();
        }
        EXPECT_LT(board->scale().factor(), 1.0);
        EXPECT_TRUE(area->rect().contains(frame->geometry())) << "the board's frame in the board area";
        for (QWidget *control : board->findChildren<QWidget *>()) {
            if (control->isVisibleTo(board))
                EXPECT_TRUE(board->rect().contains(control->geometry())) << control->objectName().toStdString();
        }
        EXPECT_EQ(board->closeButton->font().pixelSize(), qRound(26.25 * 96 / 72 * board->scale().factor()));
    }
}

TEST_F(Boards, CaptionsAndTheMaximizedFrameTitle)
{
    click(&MainWindow::showHalfCourt);
    EXPECT_EQ(program->halfCourtBoard.frame()->windowTitle(), QStringLiteral("Half Court"));
    click(&MainWindow::showWholeCourt);
    EXPECT_EQ(program->wholeCourtBoard.frame()->windowTitle(), QStringLiteral("Whole Court"));
}

} // namespace
