#include "about/aboutbox.h"
#include "mainwindow/mainwindow.h"
#include "support/programfixture.h"
#include "widgets/controls.h"

#include <QLineEdit>
#include <stdexcept>

namespace {

using WindowModel = ProgramTest;

TEST_F(WindowModel, AReferenceCreatesTheWindowAndRunsItsLoadInsideIt)
{
    program->mainWindow.variables.opacity = 77;
    bool loadedBeforeTheWrite = false;
    event([&] {
        QLineEdit *box = program->mainWindow.createIfNeeded()->usageSentence;
        loadedBeforeTheWrite
            = program->mainWindow.variables.opacity == 0 && program->mainWindow.existing()->fadeInTimer->isEnabled();
        box->setText(QStringLiteral("sentence"));
    });
    ASSERT_TRUE(program->mainWindow.exists());
    EXPECT_TRUE(loadedBeforeTheWrite);
    EXPECT_TRUE(program->mainWindow.frame()->isHidden()) << "a top-level window waits for show()";
    EXPECT_EQ(program->mainWindow.existing()->usageSentence->text(), QStringLiteral("sentence"));
    EXPECT_TRUE(program->mainWindow.existing()->usageSentence->isHidden());
}

TEST_F(WindowModel, AHandlerThatThrowsEndsThereAndTheNextOneRuns)
{
    static_assert(noexcept(program->handle([] {})));
    platform::TickTimer timer;
    int ran = 0;
    program->attach(&timer, &platform::TickTimer::ticked, &timer, [&] {
        ++ran;
        throw std::out_of_range("no such control");
    });
    EXPECT_NO_THROW(emit timer.ticked());
    EXPECT_NO_THROW(emit timer.ticked());
    EXPECT_EQ(ran, 2);
    EXPECT_FALSE(program->ended());
}

TEST_F(WindowModel, ShowOfADisplayedWindowDoesNotLoadItAgain)
{
    event([&] { program->mainWindow.show(); });
    tick(program->mainWindow.existing()->fadeInTimer, 10);
    event([&] { program->mainWindow.show(); });
    EXPECT_EQ(program->mainWindow.existing()->fadeCounter(), 20);
    EXPECT_TRUE(program->mainWindow.isVisible());
}

TEST_F(WindowModel, DuplicateInTheMainWindowsLoadEndsTheWholeHandlerChain)
{
    services.anotherCopy = true;
    bool chainWentOn = false;
    event([&] {
        program->mainWindow.createIfNeeded()->usageSentence->setText(QStringLiteral("x"));
        chainWentOn = true;
        program->mainWindow.show();
    });
    EXPECT_FALSE(chainWentOn);
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(services.ends, 1);
    EXPECT_FALSE(program->mainWindow.exists());
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
    event([&] { program->mainWindow.show(); });
    event([&] { program->mainWindow.existing()->showHelp(); });
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
    event([&] { program->mainWindow.show(); });
    MainWindow *form = program->mainWindow.existing();
    event([&] { form->fadeOutAndExit(); });
    bool afterTheBox = false;
    services.whileBoxOpen = [&] { event([&] { program->mainWindow.existing()->fadeOutStep(); }); };
    event([&] {
        program->mainWindow.existing()->showHelp();
        afterTheBox = true;
    });
    EXPECT_TRUE(program->ended());
    EXPECT_FALSE(afterTheBox);
}

TEST_F(WindowModel, TheAboutBoxKeepsTheProgramRunningAfterTheMainWindowCloses)
{
    event([&] { program->mainWindow.show(); });
    event([&] { program->mainWindow.existing()->showAbout(); });
    event([&] { program->mainWindow.existing()->showAbout(); });
    ASSERT_TRUE(program->aboutBox.exists());
    EXPECT_EQ(program->aboutBox.existing()->usageLine->text(), program->mainWindow.existing()->usageSentence->text());

    program->mainWindow.frame()->close(); // through the window system
    flush();
    EXPECT_FALSE(program->mainWindow.exists());
    EXPECT_TRUE(program->aboutBox.exists());
    EXPECT_EQ(services.quits, 0);

    event([&] { program->aboutBox.existing()->closeBox(); });
    flush();
    EXPECT_EQ(services.quits, 1);
    EXPECT_FALSE(program->ended() && services.ends > 0) << "a normal end, not the immediate one";
}

} // namespace
