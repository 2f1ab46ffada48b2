#include "about/aboutbox.h"
#include "mainwindow/mainwindow.h"
#include "support/programfixture.h"
#include "widgets/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class About : public ProgramTest {
protected:
    About()
    {
        event([this] {
            program->mainWindow.createIfNeeded()->usageSentence->setText(
                QStringLiteral("You are using this about 1 Year(s) , And 35 Day(s) (Total: 400 Days)"));
            program->mainWindow.show();
        });
    }
    void clickAbout()
    {
        event([this] { program->mainWindow.existing()->showAbout(); });
    }
};

TEST_F(About, ShowsTheSentenceFromTheMainWindow)
{
    clickAbout();
    ASSERT_TRUE(program->aboutBox.exists());
    EXPECT_EQ(program->aboutBox.existing()->usageLine->text(), program->mainWindow.existing()->usageSentence->text());
    EXPECT_EQ(program->aboutBox.existing()->size(), QSize(791, 398));
    EXPECT_EQ(program->aboutBox.existing()->webLink->text(), QString(36, QLatin1Char('_')));
    EXPECT_EQ(program->aboutBox.existing()->parentWidget(), nullptr) << "no owner window";
}

TEST_F(About, ASecondAboutBringsTheSameBoxForward)
{
    clickAbout();
    AboutBox *first = program->aboutBox.existing();
    program->mainWindow.existing()->usageSentence->setText(QStringLiteral("changed"));
    clickAbout();
    EXPECT_EQ(program->aboutBox.existing(), first);
    EXPECT_NE(first->usageLine->text(), QStringLiteral("changed")) << "load() does not run again";
}

TEST_F(About, TheLinkOpensTheSiteAndCloseUnloads)
{
    clickAbout();
    event([this] { program->aboutBox.existing()->openWebSite(); });
    ASSERT_EQ(services.opened.size(), 1u);
    EXPECT_EQ(services.opened[0], AboutBox::kWebSite);
    EXPECT_TRUE(program->aboutBox.exists());
    program->aboutBox.existing()->closeButton->click();
    EXPECT_FALSE(program->aboutBox.exists());
    clickAbout();
    EXPECT_TRUE(program->aboutBox.exists()) << "the next About builds it anew";
}

} // namespace
