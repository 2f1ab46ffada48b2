#include "about/kwabout.h"
#include "app/controls.h"
#include "app/form1.h"
#include "support/programfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class About : public ProgramTest {
protected:
    About()
    {
        event([this] {
            program->Form1->kwIns->setText(
                QStringLiteral("You are using this about 1 Year(s) , And 35 Day(s) (Total: 400 Days)"));
            program->Form1.Show();
        });
    }
    void clickAbout()
    {
        event([this] { program->Form1->Label4_Click(); });
    }
};

TEST_F(About, ShowsTheSentenceFromTheMainWindow)
{
    clickAbout();
    ASSERT_TRUE(program->kwAbout.exists());
    EXPECT_EQ(program->kwAbout->Label1->text(), program->Form1->kwIns->text());
    EXPECT_EQ(program->kwAbout->size(), QSize(791, 398));
    EXPECT_EQ(program->kwAbout->Label2->text(), QString(36, QLatin1Char('_')));
    EXPECT_EQ(program->kwAbout->parentWidget(), nullptr) << "no owner window";
}

TEST_F(About, ASecondAboutBringsTheSameBoxForward)
{
    clickAbout();
    kwAbout *first = program->kwAbout.existing();
    program->Form1->kwIns->setText(QStringLiteral("changed"));
    clickAbout();
    EXPECT_EQ(program->kwAbout.existing(), first);
    EXPECT_NE(first->Label1->text(), QStringLiteral("changed")) << "Load does not run again";
}

TEST_F(About, TheLinkOpensTheSiteAndCloseUnloads)
{
    clickAbout();
    event([this] { program->kwAbout->Label2_Click(); });
    ASSERT_EQ(services.opened.size(), 1u);
    EXPECT_EQ(services.opened[0], kwAbout::kWebSite);
    EXPECT_TRUE(program->kwAbout.exists());
    program->kwAbout->Command1->click();
    EXPECT_FALSE(program->kwAbout.exists());
    clickAbout();
    EXPECT_TRUE(program->kwAbout.exists()) << "the next About builds it anew";
}

} // namespace
