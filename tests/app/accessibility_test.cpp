#include "about/kwabout.h"
#include "app/controls.h"
#include "app/form1.h"
#include "boards/frmhalf.h"
#include "boards/frmwhole.h"
#include "boards/marker.h"
#include "startup/kwterms.h"
#include "support/programfixture.h"

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
            program->Form1.Show();
            program->Form1->Label1_Click();
            program->Form1->Label4_Click();
        });
    }
};

TEST_F(Accessible, LabelButtonsAreNamedButtonsThatCanBePressed)
{
    Form1 *form = program->Form1.existing();
    const std::pair<LabelButton *, const char *> buttons[] = { { form->Label1, "Half Court" },
        { form->Label2, "Whole Court" }, { form->Label6, "Reset" }, { form->Label3, "Help" }, { form->Label4, "About" },
        { form->Label5, "Exit" }, { program->FrmHalf->Label4, "Close" } };
    for (const auto &[button, name] : buttons) {
        const Described d = describe(button);
        EXPECT_EQ(d.role, QAccessible::Button) << name;
        EXPECT_EQ(d.name, QString::fromLatin1(name));
    }
    QAccessibleInterface *whole = QAccessible::queryAccessibleInterface(form->Label2);
    ASSERT_NE(whole->actionInterface(), nullptr);
    whole->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(program->frmWhole.Visible()) << "pressing it runs the command";
    EXPECT_EQ(form->Label2->focusPolicy(), Qt::NoFocus);
}

TEST_F(Accessible, MarkersAreGraphicsNamedAfterTheirJerseys)
{
    QStringList names;
    for (Marker *m : program->FrmHalf->markers()) {
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
    kwAbout *about = program->kwAbout.existing();
    EXPECT_EQ(describe(about->Label2).role, QAccessible::Link);
    EXPECT_EQ(describe(about->Label2).name, kwAbout::kWebSite);
    EXPECT_EQ(describe(about->Command1).role, QAccessible::Button);
    EXPECT_EQ(describe(about->Command1).name, QStringLiteral("Close"));
    EXPECT_EQ(describe(about->Label1).name, program->Form1->kwIns->text());

    event([this] { program->kwTerms.Show(); }); // a first run: the terms wait
    kwTerms *terms = program->kwTerms.existing();
    ASSERT_NE(terms, nullptr);
    EXPECT_EQ(describe(terms->Command1).role, QAccessible::Button);
    EXPECT_EQ(describe(terms->Command1).name, QStringLiteral("Exit"));
    EXPECT_EQ(describe(terms->Check1).role, QAccessible::CheckBox);
    EXPECT_EQ(describe(terms->Check1).name, QStringLiteral("I Accept the End User License Agreement"));
    EXPECT_EQ(describe(terms->Text1).name, QStringLiteral("End User License Agreement"));
}

} // namespace
