#include "app/controls.h"
#include "app/fade.h"
#include "app/form1.h"
#include "support/programfixture.h"

#include <QLineEdit>

namespace {

struct CounterText {
    const char *text;
    double value;
};

class FadeCounterValue : public ::testing::TestWithParam<CounterText> { };

TEST_P(FadeCounterValue, IsTheNumberTheTextBeginsWith)
{
    EXPECT_DOUBLE_EQ(Fade::value(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, FadeCounterValue,
    ::testing::Values(CounterText { "", 0 }, CounterText { "2", 2 }, CounterText { "250", 250 },
        CounterText { "-2", -2 }, CounterText { " 12abc", 12 }, CounterText { "abc", 0 }, CounterText { "7.5", 7.5 }));

class MainWindowFade : public ProgramTest {
protected:
    MainWindowFade()
    {
        event([this] { program->Form1.Show(); });
        form = program->Form1.existing();
    }

    int alpha() const { return program->Form1.vars.lngAlpha; }
    QString counter() const { return form->Picture1->Tag; }

    // "Exit", then ticks of the fade-out until the program ends; the number of steps.
    int exitAndCount()
    {
        event([this] { form->Label5_Click(); });
        EXPECT_FALSE(form->Timer1->isEnabled());
        int steps = 0;
        while (!program->ended() && steps < 1000) {
            ++steps;
            emit form->Timer2->Timer();
        }
        return steps;
    }

    Form1 *form = nullptr;
};

TEST_F(MainWindowFade, FadesInFromTransparentToTwoHundredFifty)
{
    EXPECT_EQ(alpha(), 0);
    EXPECT_EQ(counter(), QString());
    tick(form->Timer1);
    EXPECT_EQ(counter(), QStringLiteral("2"));
    EXPECT_EQ(alpha(), 2);
    tick(form->Timer1, 123);
    EXPECT_TRUE(form->Timer1->isEnabled());
    tick(form->Timer1);
    EXPECT_EQ(counter(), QStringLiteral("250"));
    EXPECT_EQ(alpha(), 250);
    EXPECT_FALSE(form->Timer1->isEnabled()) << "the 125th step is the last";
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
    tick(form->Timer1, c.ticksBefore);
    EXPECT_EQ(exitAndCount(), c.steps);
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(services.ends, 1);
    EXPECT_EQ(alpha(), c.lastAlpha);
    EXPECT_FALSE(program->Form1.exists());
}

INSTANTIATE_TEST_SUITE_P(FromWhereTheFadeStood, ExitFade,
    ::testing::Values(ExitCase { 125, 115, 22 }, // after a full fade-in
        ExitCase { 50, 40, 22 }, // counter at 100 during the fade-in
        ExitCase { 11, 1, 22 }, // counter at 22
        ExitCase { 0, 1, 0 })); // counter still empty

TEST_F(MainWindowFade, ExitTwiceFadesOutOnce)
{
    tick(form->Timer1, 125);
    event([this] { form->Label5_Click(); });
    tick(form->Timer2, 10);
    event([this] { form->Label5_Click(); });
    EXPECT_EQ(counter(), QStringLiteral("230"));
    EXPECT_FALSE(form->Timer1->isEnabled());
}

} // namespace
