#include "e2e/driver.h"

#include <gtest/gtest.h>

namespace {

// The boards open maximized under the strip: their client area starts 975 twips below it.
class BoardsE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(x.ok()) << "no X session";
        ASSERT_TRUE(app.startToMainWindow());
    }

    QPoint board(int twipsX, int twipsY) const { return app.stripOrigin() + QPoint(twipsX / 15, 65 + twipsY / 15); }
    // The centre of a marker whose corner stands at these twips.
    QPoint markerCentre(int left, int top) const { return board(left, top) + QPoint(24, 32); }

    void open(int button)
    {
        app.press(button);
        XSession::pause(2600); // past the fade-in
    }

    XSession x;
    Driver app { x };
};

TEST_F(BoardsE2E, DraggedJerseysStayOnEachBoardAcrossSwitchesUntilReset)
{
    open(0); // Half Court
    const QPoint allyStart = markerCentre(10440, 8160);
    QImage shot = x.screenshot();
    ASSERT_GT(XSession::countNear(shot, allyStart, 14, isAllyRed), 40) << "Allies1 in the starting row";
    ASSERT_EQ(x.title(app.mainWindow), Driver::kMainCaption + QStringLiteral(" - [Half Court]"));

    const QPoint allyTarget = board(3000, 3000);
    x.drag(allyStart, allyTarget);
    shot = x.screenshot();
    EXPECT_GT(XSession::countNear(shot, allyTarget, 14, isAllyRed), 40) << "where the pointer left it";
    EXPECT_EQ(XSession::countNear(shot, allyStart, 14, isAllyRed), 0);

    open(1); // Whole Court
    const QPoint enemyStart = markerCentre(1200, 7920);
    shot = x.screenshot();
    ASSERT_GT(XSession::countNear(shot, enemyStart, 14, isEnemyBlue), 40) << "Enemy1 in the starting row";
    const QPoint enemyTarget = board(9000, 2500);
    x.drag(enemyStart, enemyTarget, 20);
    EXPECT_GT(XSession::countNear(x.screenshot(), enemyTarget, 14, isEnemyBlue), 40);

    for (int i = 0; i < 2; ++i) {
        app.press(0);
        XSession::pause(400);
        EXPECT_GT(XSession::countNear(x.screenshot(), allyTarget, 14, isAllyRed), 40) << "half court kept";
        app.press(1);
        XSession::pause(400);
        EXPECT_GT(XSession::countNear(x.screenshot(), enemyTarget, 14, isEnemyBlue), 40) << "whole court kept";
    }

    app.press(2); // Reset renews the displayed board, the whole court
    XSession::pause(2600);
    shot = x.screenshot();
    EXPECT_GT(XSession::countNear(shot, enemyStart, 14, isEnemyBlue), 40) << "back in the starting row";
    EXPECT_EQ(XSession::countNear(shot, enemyTarget, 14, isEnemyBlue), 0);
    app.press(0);
    XSession::pause(400);
    EXPECT_GT(XSession::countNear(x.screenshot(), allyTarget, 14, isAllyRed), 40) << "the half court was not reset";
}

TEST_F(BoardsE2E, AJerseyDraggedPastTheEdgeStaysThere)
{
    open(0);
    const QPoint start = markerCentre(13800, 8160); // Allies5
    const QPoint edge(1599, 880);
    x.drag(start, edge, 16);
    XSession::pause(300);
    const QImage shot = x.screenshot();
    EXPECT_GT(XSession::countNear(shot, edge + QPoint(-12, -8), 10, isAllyRed), 10) << "its visible part is there";
    EXPECT_EQ(XSession::countNear(shot, start, 14, isAllyRed), 0);
    EXPECT_EQ(app.process->state(), QProcess::Running);
}

} // namespace
