#include "app/form1.h"
#include "startup/firstuserecord.h"
#include "startup/kwterms.h"
#include "support/programfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class Terms : public ProgramTest {
protected:
    FirstUseRecord record() const { return FirstUseRecord(services); }

    // What the loading screen's last tick does.
    void handOff()
    {
        event([this] { program->kwTerms.Show(); });
    }

    kwTerms *terms() { return program->kwTerms.existing(); }
};

TEST_F(Terms, FirstRunWritesTheRecordAndWaitsForTheUser)
{
    handOff();
    ASSERT_TRUE(program->kwTerms.exists());
    EXPECT_FALSE(terms()->isHidden());
    EXPECT_TRUE(record().RecordExists());
    EXPECT_FALSE(program->Form1.exists());
    EXPECT_EQ(terms()->Command1->text(), QStringLiteral("E&xit"));
    EXPECT_FALSE(terms()->Check1->isChecked());
    EXPECT_EQ(terms()->Text1->toPlainText().count(QLatin1Char('\n')), 37);
    EXPECT_TRUE(terms()->Text1->toPlainText().startsWith(QStringLiteral("END USER LICENSE AGREEMENT\n")));
}

TEST_F(Terms, AcceptingOpensThePhotoPageAndTheMainWindowWithTheFirstDaysSentence)
{
    handOff();
    terms()->Check1->setChecked(true);
    EXPECT_EQ(terms()->Command1->text(), QStringLiteral("Ac&cept"));
    terms()->Command1->click();
    EXPECT_FALSE(program->kwTerms.exists());
    ASSERT_TRUE(program->Form1.exists());
    EXPECT_FALSE(program->Form1.frame()->isHidden());
    ASSERT_EQ(services.opened.size(), 1u);
    EXPECT_EQ(services.opened[0], kwTerms::kPhotoPage);
    EXPECT_EQ(program->Form1->kwIns->text(),
        QStringLiteral("You are using this about 0 Year(s) , And 0 Day(s) (Total: 0 Days)"));
    EXPECT_TRUE(record().RecordExists());
}

TEST_F(Terms, RefusingDeletesTheRecordAndEnds)
{
    handOff();
    terms()->Check1->setChecked(true);
    terms()->Check1->setChecked(false);
    EXPECT_EQ(terms()->Command1->text(), QStringLiteral("E&xit"));
    terms()->Command1->click();
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(services.ends, 1);
    EXPECT_FALSE(program->Form1.exists());
    EXPECT_TRUE(services.opened.empty());
    EXPECT_FALSE(record().RecordExists()) << "the next start asks again";
}

TEST_F(Terms, ALaterRunIsNeverShownAndHandsTheSentenceOn)
{
    const FirstUseRecord r = record();
    r.WriteRecord(services.clock.addDays(-400));
    handOff();
    EXPECT_FALSE(program->kwTerms.exists());
    ASSERT_TRUE(program->Form1.exists());
    EXPECT_FALSE(program->Form1.frame()->isHidden());
    EXPECT_EQ(program->Form1->kwIns->text(),
        QStringLiteral("You are using this about 1 Year(s) , And 35 Day(s) (Total: 400 Days)"));
    EXPECT_TRUE(services.opened.empty());
}

TEST_F(Terms, AnUnreadableDateGivesTheSentenceWithAnEmptyTotal)
{
    const QString path = services.hostPath(FirstUseRecord::kRecord);
    record().WriteRecord(services.clock);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("a\r\nb\r\nc\r\nHoopwright\r\n");
    file.close();
    handOff();
    EXPECT_EQ(program->Form1->kwIns->text(),
        QStringLiteral("You are using this about 0 Year(s) , And 0 Day(s) (Total:  Days)"));
}

TEST_F(Terms, TheAgreementNeitherKeepsTheFocusNorTakesTypedText)
{
    handOff();
    kwTerms *w = terms();
    QApplication::setActiveWindow(w);
    const QString before = w->Text1->toPlainText();
    w->Text1->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(w->Command1->hasFocus());
    for (const char *typed : { "a", "Z", " " }) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromLatin1(typed));
        QApplication::sendEvent(w->Text1, &press);
    }
    EXPECT_EQ(w->Text1->toPlainText(), before);

    w->Check1->setFocus(Qt::TabFocusReason);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(w->Check1, &tab);
    EXPECT_TRUE(w->Command1->hasFocus()) << "Tab moves between the button and the check box only";
    QApplication::sendEvent(w->Command1, &tab);
    EXPECT_TRUE(w->Check1->hasFocus());
}

} // namespace
