#include "about/kwabout.h"
#include "app/controls.h"
#include "app/form1.h"
#include "support/programfixture.h"

#include <QLineEdit>

namespace {

using WindowModel = ProgramTest;

TEST_F(WindowModel, AReferenceCreatesTheWindowAndRunsItsLoadInsideIt)
{
    program->Form1.vars.lngAlpha = 77;
    bool loadedBeforeTheWrite = false;
    event([&] {
        QLineEdit *box = program->Form1->kwIns;
        loadedBeforeTheWrite = program->Form1.vars.lngAlpha == 0 && program->Form1->Timer1->isEnabled();
        box->setText(QStringLiteral("sentence"));
    });
    ASSERT_TRUE(program->Form1.exists());
    EXPECT_TRUE(loadedBeforeTheWrite);
    EXPECT_TRUE(program->Form1.frame()->isHidden()) << "a top-level window waits for Show";
    EXPECT_EQ(program->Form1->kwIns->text(), QStringLiteral("sentence"));
    EXPECT_TRUE(program->Form1->kwIns->isHidden());
}

TEST_F(WindowModel, ShowOfADisplayedWindowDoesNotLoadItAgain)
{
    event([&] { program->Form1.Show(); });
    tick(program->Form1->Timer1, 10);
    event([&] { program->Form1.Show(); });
    EXPECT_EQ(program->Form1->Picture1->Tag, QStringLiteral("20"));
    EXPECT_TRUE(program->Form1.Visible());
}

TEST_F(WindowModel, DuplicateInTheMainWindowsLoadEndsTheWholeHandlerChain)
{
    services.anotherCopy = true;
    bool chainWentOn = false;
    event([&] {
        program->Form1->kwIns->setText(QStringLiteral("x"));
        chainWentOn = true;
        program->Form1.Show();
    });
    EXPECT_FALSE(chainWentOn);
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(services.ends, 1);
    EXPECT_FALSE(program->Form1.exists());
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("Duplicate"));
    EXPECT_EQ(services.boxes[0].text, QStringLiteral("Application is already running!"));

    bool ranAfterTheEnd = false;
    event([&] { ranAfterTheEnd = true; });
    EXPECT_FALSE(ranAfterTheEnd) << "no handler runs after the immediate end";
}

TEST_F(WindowModel, HelpShowsTheSevenLinesWithTheInformationIcon)
{
    event([&] { program->Form1.Show(); });
    event([&] { program->Form1->Label3_Click(); });
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("Help"));
    EXPECT_EQ(services.boxes[0].text,
        QStringLiteral("HELP PANEL\r\n\r\nFor Touch Windows PC:\r\n"
                       "- Place your finger over the Player number and slide to anywhere you want.\r\n\r\n"
                       "For Desktop and Laptop\r\n"
                       "- using mouse, click the Player number and Hold it and place it anywhere you want."));
}

TEST_F(WindowModel, FadeOutEndingWhileAMessageBoxIsOpenRunsNothingAfterTheBox)
{
    event([&] { program->Form1.Show(); });
    Form1 *form = program->Form1.existing();
    event([&] { form->Label5_Click(); });
    bool afterTheBox = false;
    services.whileBoxOpen = [&] { event([&] { program->Form1->Timer2_Timer(); }); };
    event([&] {
        program->Form1->Label3_Click();
        afterTheBox = true;
    });
    EXPECT_TRUE(program->ended());
    EXPECT_FALSE(afterTheBox);
}

TEST_F(WindowModel, TheAboutBoxKeepsTheProgramRunningAfterTheMainWindowCloses)
{
    event([&] { program->Form1.Show(); });
    event([&] { program->Form1->Label4_Click(); });
    event([&] { program->Form1->Label4_Click(); });
    ASSERT_TRUE(program->kwAbout.exists());
    EXPECT_EQ(program->kwAbout->Label1->text(), program->Form1->kwIns->text());

    program->Form1.frame()->close(); // through the window system
    flush();
    EXPECT_FALSE(program->Form1.exists());
    EXPECT_TRUE(program->kwAbout.exists());
    EXPECT_EQ(services.quits, 0);

    event([&] { program->kwAbout->Command1_Click(); });
    flush();
    EXPECT_EQ(services.quits, 1);
    EXPECT_FALSE(program->ended() && services.ends > 0) << "a normal end, not the immediate one";
}

} // namespace
