#include "about/aboutbox.h"
#include "boards/halfcourtboard.h"
#include "boards/marker.h"
#include "boards/wholecourtboard.h"
#include "mainwindow/mainwindow.h"
#include "startup/termsscreen.h"
#include "support/programfixture.h"
#include "widgets/controls.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

struct Described {
    QAccessible::Role role;
    QString name;
};

Described describe(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        return { QAccessible::NoRole, QString() };
    return { face->role(), face->text(QAccessible::Name) };
}

class Accessible : public ProgramTest {
protected:
    Accessible()
    {
        event([this] {
            program->mainWindow.show();
            program->mainWindow.existing()->showHalfCourt();
            program->mainWindow.existing()->showAbout();
        });
    }
};

TEST_F(Accessible, LabelButtonsAreNamedButtonsThatCanBePressed)
{
    MainWindow *form = program->mainWindow.existing();
    const std::pair<LabelButton *, const char *> buttons[]
        = { { form->halfCourtButton, "Half Court" }, { form->wholeCourtButton, "Whole Court" },
              { form->resetButton, "Reset" }, { form->helpButton, "Help" }, { form->aboutButton, "About" },
              { form->exitButton, "Exit" }, { program->halfCourtBoard.existing()->closeButton, "Close" } };
    for (const auto &[button, name] : buttons) {
        const Described d = describe(button);
        EXPECT_EQ(d.role, QAccessible::Button) << name;
        EXPECT_EQ(d.name, QString::fromLatin1(name));
    }
    QAccessibleInterface *whole = QAccessible::queryAccessibleInterface(form->wholeCourtButton);
    ASSERT_NE(whole->actionInterface(), nullptr);
    whole->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(program->wholeCourtBoard.isVisible()) << "pressing it runs the command";
    EXPECT_EQ(form->wholeCourtButton->focusPolicy(), Qt::NoFocus);
}

TEST_F(Accessible, TheToolbarsButtonsAreReadLeftToRight)
{
    QAccessibleInterface *toolbar = QAccessible::queryAccessibleInterface(program->mainWindow.existing()->toolbar);
    ASSERT_NE(toolbar, nullptr);
    QStringList buttons;
    for (int i = 0; i < toolbar->childCount(); ++i) {
        QAccessibleInterface *child = toolbar->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(toolbar->indexOfChild(child), i);
        if (child->role() == QAccessible::Button)
            buttons << child->text(QAccessible::Name);
    }
    EXPECT_EQ(buttons, QStringList({ "Half Court", "Whole Court", "Reset", "Help", "About", "Exit" }));
}

TEST_F(Accessible, MarkersAreGraphicsNamedAfterTheirJerseys)
{
    QStringList names;
    for (Marker *m : program->halfCourtBoard.existing()->markers()) {
        const Described d = describe(m);
        EXPECT_EQ(d.role, QAccessible::Graphic);
        names << d.name;
    }
    names.sort();
    EXPECT_EQ(names,
        QStringList({ "Ally 1", "Ally 2", "Ally 3", "Ally 4", "Ally 5", "Enemy 1", "Enemy 2", "Enemy 3", "Enemy 4",
            "Enemy 5" }));
}

TEST_F(Accessible, TheAboutBoxAndTheTermsScreenDescribeTheirControls)
{
    AboutBox *about = program->aboutBox.existing();
    EXPECT_EQ(describe(about->webLink).role, QAccessible::Link);
    EXPECT_EQ(describe(about->webLink).name, AboutBox::kWebSite);
    EXPECT_EQ(describe(about->closeButton).role, QAccessible::Button);
    EXPECT_EQ(describe(about->closeButton).name, QStringLiteral("Close"));
    EXPECT_EQ(describe(about->usageLine).name, program->mainWindow.existing()->usageSentence->text());

    event([this] { program->termsScreen.show(); }); // a first run: the terms wait
    TermsScreen *terms = program->termsScreen.existing();
    ASSERT_NE(terms, nullptr);
    EXPECT_EQ(describe(terms->decisionButton).role, QAccessible::Button);
    EXPECT_EQ(describe(terms->decisionButton).name, QStringLiteral("Exit"));
    EXPECT_EQ(describe(terms->acceptCheck).role, QAccessible::CheckBox);
    EXPECT_EQ(describe(terms->acceptCheck).name, QStringLiteral("I Accept the End User License Agreement"));
    EXPECT_EQ(describe(terms->agreementText).name, QStringLiteral("End User License Agreement"));
}

} // namespace
