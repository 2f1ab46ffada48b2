#include "play/playexport.h"
#include "play/playtext.h"
#include "playbook/playbookwindow.h"
#include "playbook/playdocument.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
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

    trigger(window, QStringLiteral("Copy Step as &Picture"));
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
