#include "app/controls.h"
#include "app/form1.h"
#include "boards/frmhalf.h"
#include "boards/frmwhole.h"
#include "boards/marker.h"
#include "support/programfixture.h"

#include <QMdiSubWindow>

namespace {

class Boards : public ProgramTest {
protected:
    Boards()
    {
        event([this] { program->Form1.Show(); });
    }

    Form1 &form() { return *program->Form1.existing(); }
    void click(void (Form1::*command)())
    {
        event([&] { (form().*command)(); });
    }
};

TEST_F(Boards, HalfCourtFirstCreatesTheWholeCourtHidden)
{
    click(&Form1::Label1_Click);
    ASSERT_TRUE(program->frmWhole.exists());
    EXPECT_TRUE(program->frmWhole.frame()->isHidden());
    EXPECT_FALSE(program->FrmHalf.frame()->isHidden());
    EXPECT_TRUE(program->FrmHalf.frame()->isMaximized());
    EXPECT_TRUE(program->frmWhole->Timer1->isEnabled()) << "its fade runs while hidden";
}

TEST_F(Boards, AVisibleQueryCreatesTheBoardAndAnswersTrue)
{
    bool visible = false;
    event([&] { visible = program->FrmHalf.Visible(); });
    EXPECT_TRUE(visible);
    EXPECT_FALSE(program->frmWhole.exists());
}

TEST_F(Boards, ResetBeforeAnyBoardGivesAFreshHalfCourt)
{
    click(&Form1::Label6_Click);
    ASSERT_TRUE(program->FrmHalf.exists());
    EXPECT_FALSE(program->FrmHalf.frame()->isHidden());
    EXPECT_FALSE(program->frmWhole.exists()) << "the whole court is asked only when the half court is not displayed";
    EXPECT_EQ(program->FrmHalf->Picture1->Tag, QString()) << "fresh board, fade from 0";
}

TEST_F(Boards, ResetRenewsOnlyTheDisplayedBoard)
{
    click(&Form1::Label1_Click);
    program->FrmHalf->marker("Allies1")->Move(100, 200);
    click(&Form1::Label2_Click);
    program->frmWhole->marker("Enemy3")->Move(300, 400);
    tick(program->frmWhole->Timer1, 200);

    click(&Form1::Label6_Click);
    flush();
    EXPECT_EQ(program->frmWhole->marker("Enemy3")->Left(), 2880.0f);
    EXPECT_EQ(program->frmWhole->marker("Enemy3")->Top(), 7920.0f);
    EXPECT_EQ(program->frmWhole->Picture1->Tag, QString());
    EXPECT_TRUE(program->FrmHalf.frame()->isHidden());
    EXPECT_EQ(program->FrmHalf->marker("Allies1")->Left(), 100.0f) << "the hidden half court keeps its markers";
}

TEST_F(Boards, SwitchingKeepsBothArrangementsAndDoesNotFadeAgain)
{
    click(&Form1::Label1_Click);
    program->FrmHalf->marker("Enemy2")->Move(5000.5f, 1234.25f);
    tick(program->FrmHalf->Timer1, 125);
    tick(program->frmWhole->Timer1, 125);
    for (int i = 0; i < 3; ++i) {
        click(&Form1::Label2_Click);
        click(&Form1::Label1_Click);
    }
    EXPECT_EQ(program->FrmHalf->marker("Enemy2")->Left(), 5000.5f);
    EXPECT_EQ(program->FrmHalf->marker("Enemy2")->Top(), 1234.25f);
    EXPECT_EQ(program->FrmHalf->Picture1->Tag, QStringLiteral("250"));
    EXPECT_EQ(program->frmWhole->Picture1->Tag, QStringLiteral("250")) << "faded in while hidden";
    EXPECT_EQ(program->frmWhole.vars.lngAlpha, 250);
}

TEST_F(Boards, CloseAndTheFramesCloseGiveAFreshBoardNextTime)
{
    click(&Form1::Label1_Click);
    program->FrmHalf->marker("Allies5")->Move(0, 0);
    program->FrmHalf.vars.sngGrabX = 42;
    event([&] { program->FrmHalf->Label4_Click(); });
    flush();
    EXPECT_FALSE(program->FrmHalf.exists());
    click(&Form1::Label1_Click);
    EXPECT_EQ(program->FrmHalf->marker("Allies5")->Left(), 13800.0f);
    EXPECT_EQ(program->FrmHalf.vars.sngGrabX, 42.0f) << "window variables survive the unload";

    program->FrmHalf.frame()->close();
    flush();
    EXPECT_FALSE(program->FrmHalf.exists());
    EXPECT_TRUE(program->Form1.exists());
}

struct RowCase {
    bool half;
    int top;
    int firstEnemy;
    int firstAlly;
    int closeTop;
};

class StartingRow : public Boards, public ::testing::WithParamInterface<RowCase> { };

TEST_P(StartingRow, EnemiesThenCloseThenAlliesAtAPitchOf840)
{
    const RowCase c = GetParam();
    click(c.half ? &Form1::Label1_Click : &Form1::Label2_Click);
    Board *board = c.half ? static_cast<Board *>(program->FrmHalf.existing()) : program->frmWhole.existing();
    for (int i = 0; i < 5; ++i) {
        const Marker *enemy = board->marker(qPrintable(QStringLiteral("Enemy%1").arg(i + 1)));
        const Marker *ally = board->marker(qPrintable(QStringLiteral("Allies%1").arg(i + 1)));
        EXPECT_EQ(enemy->Left(), float(c.firstEnemy + 840 * i));
        EXPECT_EQ(ally->Left(), float(c.firstAlly + 840 * i));
        EXPECT_EQ(enemy->Top(), float(c.top));
        EXPECT_EQ(ally->geometry(), QRect(qRound((c.firstAlly + 840 * i) / 15.0), qRound(c.top / 15.0), 49, 64));
    }
    EXPECT_EQ(board->Label4->geometry(), QRect(464, qRound(c.closeTop / 15.0), 113, 49));
    EXPECT_EQ(board->Label4->text(), QStringLiteral("Close"));
}

INSTANTIATE_TEST_SUITE_P(BothBoards, StartingRow,
    ::testing::Values(RowCase { true, 8160, 840, 10440, 8520 }, RowCase { false, 7920, 1200, 10320, 8280 }));

TEST_F(Boards, CaptionsAndTheMaximizedFrameTitle)
{
    click(&Form1::Label1_Click);
    EXPECT_EQ(program->FrmHalf.frame()->windowTitle(), QStringLiteral("Half Court"));
    click(&Form1::Label2_Click);
    EXPECT_EQ(program->frmWhole.frame()->windowTitle(), QStringLiteral("Whole Court"));
}

} // namespace
