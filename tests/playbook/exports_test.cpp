#include "play/playexport.h"
#include "play/playtext.h"
#include "playbook/playbookwindow.h"
#include "playbook/playdocument.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

void trigger(QWidget *window, const QString &text)
{
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == text)
            return action->trigger();
    }
    ADD_FAILURE() << "no action " << text.toStdString();
}

} // namespace

TEST(CopyMenu, CopiesTheStepOnShowAsAPictureAndThePlayAsText)
{
    QStandardPaths::setTestModeEnabled(true);
    play::Play p = play::newPlay(play::Court::Half);
    play::Step second = p.steps[0];
    second.positions[0] = QPointF(3000, 3000);
    second.note = QStringLiteral("1 spots up in the left corner.");
    p.steps.append(second);
    auto *window = new PlaybookWindow(p);
    window->document().setCurrentStep(1);

    trigger(window, QStringLiteral("Copy Step as P&icture"));
    const QImage copied = QApplication::clipboard()->image();
    const QImage expected = play::stepPicture(p, 1, play::kDefaultPictureWidth);
    EXPECT_EQ(copied.size(), expected.size());
    EXPECT_TRUE(copied.convertToFormat(expected.format()) == expected) << "not the step on show";

    trigger(window, QStringLiteral("Copy as &Text"));
    EXPECT_EQ(QApplication::clipboard()->text(), play::playText(p, QStringLiteral("Untitled")));
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("Step 2. 1 spots up in the left corner.")));

    window->close();
    delete window;
}

// Every menu of the window, its submenus included, names each entry once, and no two
// entries share the letter that Alt and the keyboard reach them by.
TEST(WindowMenus, NameEachEntryOnceWithALetterOfItsOwn)
{
    QStandardPaths::setTestModeEnabled(true);
    auto *window = new PlaybookWindow(play::newPlay(play::Court::Half));
    QList<QMenu *> menus;
    for (QAction *action : window->menuBar()->actions())
        menus.append(action->menu());
    for (qsizetype i = 0; i < menus.size(); ++i) {
        QMenu *menu = menus[i];
        ASSERT_NE(menu, nullptr);
        QSet<QString> names;
        QSet<QChar> letters;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            if (action->menu())
                menus.append(action->menu());
            const QString text = action->text();
            EXPECT_FALSE(names.contains(text)) << menu->title().toStdString() << ": " << text.toStdString() << " twice";
            names.insert(text);
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (amp >= 0 && amp + 1 < text.size()) {
                const QChar letter = text.at(amp + 1).toLower();
                EXPECT_FALSE(letters.contains(letter))
                    << menu->title().toStdString() << ": " << text.toStdString() << " shares its letter";
                letters.insert(letter);
            }
        }
    }
    window->close();
    delete window;
}
