#include "mainwindow/mainwindow.h"
#include "platform/windowstyle.h"
#include "support/programfixture.h"
#include "widgets/controls.h"
#include "widgets/fade.h"

#include <QLineEdit>

namespace {

class MainWindowFade : public ProgramTest {
protected:
    MainWindowFade()
    {
        event([this] { program->mainWindow.show(); });
        form = program->mainWindow.existing();
    }

    int alpha() const { return program->mainWindow.variables.opacity; }
    int counter() const { return form->fadeCounter(); }

    // "Exit", then ticks of the fade-out until the program ends; the number of steps.
    int exitAndCount()
    {
        event([this] { form->fadeOutAndExit(); });
        EXPECT_FALSE(form->fadeInTimer->isEnabled());
        int steps = 0;
        while (!program->ended() && steps < 1000) {
            ++steps;
            emit form->fadeOutTimer->ticked();
        }
        return steps;
    }

    MainWindow *form = nullptr;
};

TEST_F(MainWindowFade, FadesInFromTransparentToTwoHundredFifty)
{
    EXPECT_EQ(alpha(), 0);
    EXPECT_EQ(counter(), 0);
    tick(form->fadeInTimer);
    EXPECT_EQ(counter(), 2);
    EXPECT_EQ(alpha(), 2);
    tick(form->fadeInTimer, 123);
    EXPECT_TRUE(form->fadeInTimer->isEnabled());
    tick(form->fadeInTimer);
    EXPECT_EQ(counter(), 250);
    EXPECT_EQ(alpha(), 250);
    EXPECT_FALSE(form->fadeInTimer->isEnabled()) << "the 125th step is the last";
}

// Qt's offscreen platform, like Wayland, cannot set a window's opacity: the fade runs its
// course all the same, and says nothing about it.
TEST_F(MainWindowFade, WhereOpacityCannotBeSetTheFadeRunsSilently)
{
    static QStringList messages;
    messages.clear();
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { messages << text; });
    tick(form->fadeInTimer, 125);
    const int steps = exitAndCount();
    qInstallMessageHandler(previous);
    EXPECT_FALSE(platform::opacitySupported());
    EXPECT_EQ(steps, 115);
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(messages, QStringList());
}

struct ExitCase {
    int ticksBefore; // fade-in ticks before "Exit"
    int steps; // fade-out steps until the program ends
    int lastAlpha; // the last opacity shown
};

class ExitFade : public MainWindowFade, public ::testing::WithParamInterface<ExitCase> { };

TEST_P(ExitFade, EndsTheProgramWhenTheCounterFallsToTwentyOrBelow)
{
    const ExitCase c = GetParam();
    tick(form->fadeInTimer, c.ticksBefore);
    EXPECT_EQ(exitAndCount(), c.steps);
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(services.ends, 1);
    EXPECT_EQ(alpha(), c.lastAlpha);
    EXPECT_FALSE(program->mainWindow.exists());
}

INSTANTIATE_TEST_SUITE_P(FromWhereTheFadeStood, ExitFade,
    ::testing::Values(ExitCase { 125, 115, 22 }, // after a full fade-in
        ExitCase { 50, 40, 22 }, // counter at 100 during the fade-in
        ExitCase { 11, 1, 22 }, // counter at 22
        ExitCase { 0, 1, 0 }), // counter still empty
    [](const auto &info) { return "after_" + std::to_string(info.param.ticksBefore) + "_ticks"; });

TEST_F(MainWindowFade, ExitTwiceFadesOutOnce)
{
    tick(form->fadeInTimer, 125);
    event([this] { form->fadeOutAndExit(); });
    tick(form->fadeOutTimer, 10);
    event([this] { form->fadeOutAndExit(); });
    EXPECT_EQ(counter(), 230);
    EXPECT_FALSE(form->fadeInTimer->isEnabled());
}

} // namespace
