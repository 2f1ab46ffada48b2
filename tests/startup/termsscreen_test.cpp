#include "mainwindow/mainwindow.h"
#include "startup/firstuserecord.h"
#include "startup/termsscreen.h"
#include "support/programfixture.h"
#include "widgets/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class Terms : public ProgramTest {
protected:
    FirstUseRecord record() const { return FirstUseRecord(services); }

    // What the loading screen's last tick does.
    void handOff()
    {
        event([this] { program->termsScreen.show(); });
    }

    TermsScreen *terms() { return program->termsScreen.existing(); }
};

TEST_F(Terms, FirstRunWritesTheRecordAndWaitsForTheUser)
{
    handOff();
    ASSERT_TRUE(program->termsScreen.exists());
    EXPECT_FALSE(terms()->isHidden());
    EXPECT_TRUE(record().exists());
    EXPECT_FALSE(program->mainWindow.exists());
    EXPECT_EQ(terms()->decisionButton->text(), QStringLiteral("E&xit"));
    EXPECT_FALSE(terms()->acceptCheck->isChecked());
    EXPECT_EQ(terms()->agreementText->toPlainText().count(QLatin1Char('\n')), 37);
    EXPECT_TRUE(terms()->agreementText->toPlainText().startsWith(QStringLiteral("END USER LICENSE AGREEMENT\n")));
}

TEST_F(Terms, AcceptingOpensThePhotoPageAndTheMainWindowWithTheFirstDaysSentence)
{
    handOff();
    terms()->acceptCheck->setChecked(true);
    EXPECT_EQ(terms()->decisionButton->text(), QStringLiteral("Ac&cept"));
    terms()->decisionButton->click();
    EXPECT_FALSE(program->termsScreen.exists());
    ASSERT_TRUE(program->mainWindow.exists());
    EXPECT_FALSE(program->mainWindow.frame()->isHidden());
    ASSERT_EQ(services.opened.size(), 1u);
    EXPECT_EQ(services.opened[0], TermsScreen::kPhotoPage);
    EXPECT_EQ(program->mainWindow.existing()->usageSentence->text(),
        QStringLiteral("You are using this about 0 Year(s) , And 0 Day(s) (Total: 0 Days)"));
    EXPECT_TRUE(record().exists());
}

TEST_F(Terms, RefusingDeletesTheRecordAndEnds)
{
    handOff();
    terms()->acceptCheck->setChecked(true);
    terms()->acceptCheck->setChecked(false);
    EXPECT_EQ(terms()->decisionButton->text(), QStringLiteral("E&xit"));
    terms()->decisionButton->click();
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(services.ends, 1);
    EXPECT_FALSE(program->mainWindow.exists());
    EXPECT_TRUE(services.opened.empty());
    EXPECT_FALSE(record().exists()) << "the next start asks again";
}

TEST_F(Terms, ALaterRunIsNeverShownAndHandsTheSentenceOn)
{
    const FirstUseRecord r = record();
    r.write(services.clock.addDays(-400));
    handOff();
    EXPECT_FALSE(program->termsScreen.exists());
    ASSERT_TRUE(program->mainWindow.exists());
    EXPECT_FALSE(program->mainWindow.frame()->isHidden());
    EXPECT_EQ(program->mainWindow.existing()->usageSentence->text(),
        QStringLiteral("You are using this about 1 Year(s) , And 35 Day(s) (Total: 400 Days)"));
    EXPECT_TRUE(services.opened.empty());
}

TEST_F(Terms, AnUnreadableDateGivesTheSentenceWithAnEmptyTotal)
{
    const QString path = services.hostPath(FirstUseRecord::kRecord);
    record().write(services.clock);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("a\r\nb\r\nc\r\nHoopwright\r\n");
    file.close();
    handOff();
    EXPECT_EQ(program->mainWindow.existing()->usageSentence->text(),
        QStringLiteral("You are using this about 0 Year(s) , And 0 Day(s) (Total:  Days)"));
}

TEST_F(Terms, TheNoticeLiesBeneathTheCheckBoxAndTheButtonItOverlaps)
{
    handOff();
    TermsScreen *w = terms();
    ASSERT_TRUE(w->notice->geometry().intersects(w->acceptCheck->geometry()));
    ASSERT_TRUE(w->notice->geometry().intersects(w->decisionButton->geometry()));
    for (QWidget *control : std::initializer_list<QWidget *> { w->acceptCheck, w->decisionButton }) {
        const QRect r = control->geometry();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x)
                ASSERT_EQ(w->childAt(x, y), control) << control->objectName().toStdString() << " at " << x << ", " << y;
        }
    }
}

TEST_F(Terms, TheCheckBoxTakesAClickAnywhereOnIt)
{
    handOff();
    CheckBox *check = terms()->acceptCheck;
    for (QPoint at : { QPoint(1, 1), QPoint(check->width() - 2, check->height() - 2), QPoint(check->width() / 2, 1) }) {
        const bool before = check->isChecked();
        QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_NE(check->isChecked(), before) << at.x() << ", " << at.y();
    }
}

TEST_F(Terms, EnterPressesTheFocusedButton)
{
    handOff();
    terms()->acceptCheck->setChecked(true);
    terms()->decisionButton->setFocus();
    QTest::keyClick(terms()->decisionButton, Qt::Key_Return);
    EXPECT_FALSE(program->termsScreen.exists());
    EXPECT_TRUE(program->mainWindow.exists()) << "accepted";
}

TEST_F(Terms, TheAgreementNeitherKeepsTheFocusNorTakesTypedText)
{
    handOff();
    TermsScreen *w = terms();
    QApplication::setActiveWindow(w);
    const QString before = w->agreementText->toPlainText();
    w->agreementText->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(w->decisionButton->hasFocus());
    for (const char *typed : { "a", "Z", " " }) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromLatin1(typed));
        QApplication::sendEvent(w->agreementText, &press);
    }
    EXPECT_EQ(w->agreementText->toPlainText(), before);

    w->acceptCheck->setFocus(Qt::TabFocusReason);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(w->acceptCheck, &tab);
    EXPECT_TRUE(w->decisionButton->hasFocus()) << "Tab moves between the button and the check box only";
    QApplication::sendEvent(w->decisionButton, &tab);
    EXPECT_TRUE(w->acceptCheck->hasFocus());
}

} // namespace
