#include "e2e/driver.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

class MainWindowE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "no X session"; }

    XSession x;
    Driver app { x };
};

TEST_F(MainWindowE2E, ComesUpMaximizedAndFadesInToTwoHundredFifty)
{
    app.writeRecord(0);
    QProcess *process = x.startProgram();
    const QString window = x.waitForWindow(Driver::kMainCaption, 30000);
    ASSERT_FALSE(window.isEmpty());
    QElapsedTimer clock;
    clock.start();
    const int first = x.opacity(window);
    EXPECT_LT(first, 200) << "the fade starts transparent";
    int last = first;
    while (last != 250 && clock.elapsed() < 6000) {
        XSession::pause(20);
        last = x.opacity(window);
    }
    const qint64 took = clock.elapsed();
    EXPECT_EQ(last, 250);
    EXPECT_GE(took, 1000);
    EXPECT_LE(took, 2600);

    const QRect frame = x.geometry(window);
    EXPECT_GE(frame.width(), 1590) << "maximized";
    EXPECT_GE(frame.height(), 820);
    EXPECT_EQ(x.title(window), Driver::kMainCaption);
    process->kill();
}

TEST_F(MainWindowE2E, HelpOpensItsBoxAndOkClosesIt)
{
    ASSERT_TRUE(app.startToMainWindow());
    app.press(3);
    const QString box = x.waitForWindow(QStringLiteral("Help"));
    ASSERT_FALSE(box.isEmpty());
    x.key(QStringLiteral("Return"));
    EXPECT_TRUE(x.waitForNoWindow(QStringLiteral("Help")));
    EXPECT_EQ(app.process->state(), QProcess::Running);
}

TEST_F(MainWindowE2E, ASecondCopyWarnsAndEndsWhileTheFirstRunsOn)
{
    ASSERT_TRUE(app.startToMainWindow());
    QProcess *second = x.startProgram();
    const QString warning = x.waitForWindow(QStringLiteral("Torvane"), 20000);
    ASSERT_FALSE(warning.isEmpty());
    x.activate(warning);
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(XSession::waitForExit(second, 10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(app.process->state(), QProcess::Running);
    EXPECT_FALSE(x.waitForWindow(Driver::kMainCaption, 1000).isEmpty());
}

TEST_F(MainWindowE2E, ExitFadesOutAndEndsWithStatusZero)
{
    ASSERT_TRUE(app.startToMainWindow());
    XSession::pause(2500); // the fade-in is over
    EXPECT_EQ(x.opacity(app.mainWindow), 250);
    QElapsedTimer clock;
    clock.start();
    app.press(5);
    XSession::pause(700);
    const int midway = x.opacity(app.mainWindow);
    EXPECT_GT(midway, 20);
    EXPECT_LT(midway, 250) << "fading out";
    ASSERT_TRUE(XSession::waitForExit(app.process, 10000));
    EXPECT_LE(clock.elapsed(), 4000);
    EXPECT_EQ(app.process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.process->exitCode(), 0);
}

} // namespace
