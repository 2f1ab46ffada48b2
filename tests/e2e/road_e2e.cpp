#include "e2e/driver.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

bool isWhite(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200;
}

// The rightmost column of white lettering on the about box's black strip, from its left.
int usageLineWidth(XSession &x, const QRect &box)
{
    const QImage shot = x.screenshot();
    int right = -1;
    for (int px = box.left() + 8; px < box.left() + 665; ++px) {
        for (int py = box.top() + 370; py < box.top() + 392; ++py) {
            if (isWhite(shot.pixel(px, py)))
                right = px - box.left();
        }
    }
    return right;
}

// A user's first week: the first start with the terms, a session on both boards, and a
// later start that goes straight to the main window.
TEST(RoadE2E, FirstStartASessionAndALaterStart)
{
    XSession x;
    ASSERT_TRUE(x.ok());
    Driver app { x };

    app.process = x.startProgram();
    ASSERT_FALSE(x.waitForClass(QStringLiteral("hoopwright"), 20000).isEmpty()) << "the loading screen";
    const QString terms = x.waitForWindow(QStringLiteral("Form1"), 30000);
    ASSERT_FALSE(terms.isEmpty());
    x.activate(terms);
    x.key(QStringLiteral("Tab"));
    x.key(QStringLiteral("space"));
    XSession::pause(200);
    x.key(QStringLiteral("alt+c"));
    app.mainWindow = x.waitForWindow(Driver::kMainCaption, 10000);
    ASSERT_FALSE(app.mainWindow.isEmpty());
    ASSERT_TRUE(app.findStrip());

    const QPoint board = app.stripOrigin() + QPoint(0, 65);
    app.press(0);
    XSession::pause(2600);
    x.drag(board + QPoint(696 + 24, 544 + 32), board + QPoint(300, 250));
    app.press(1);
    XSession::pause(2600);
    x.drag(board + QPoint(688 + 24, 528 + 32), board + QPoint(700, 200));
    EXPECT_GT(XSession::countNear(x.screenshot(), board + QPoint(700, 200), 14, isAllyRed), 40);
    app.press(2); // Reset: the whole court is displayed
    XSession::pause(2600);
    EXPECT_EQ(XSession::countNear(x.screenshot(), board + QPoint(700, 200), 14, isAllyRed), 0);

    app.press(4);
    const QString about = x.waitForWindow(QStringLiteral("Form3"));
    ASSERT_FALSE(about.isEmpty());
    const QRect box = x.geometry(about);
    EXPECT_GT(usageLineWidth(x, box), 300) << "the first day's usage sentence";
    x.click(box.left() + 748, box.top() + 380);
    ASSERT_TRUE(x.waitForNoWindow(QStringLiteral("Form3")));

    app.press(5); // Exit
    ASSERT_TRUE(XSession::waitForExit(app.process, 10000));
    EXPECT_EQ(app.process->exitCode(), 0);

    // A week later, as far as the record knows.
    ASSERT_TRUE(QFile::exists(app.recordPath()));
    app.writeRecord(7);
    app.process = x.startProgram();
    app.mainWindow = x.waitForWindow(Driver::kMainCaption, 30000);
    ASSERT_FALSE(app.mainWindow.isEmpty());
    ASSERT_TRUE(app.findStrip());
    app.press(4);
    const QString later = x.waitForWindow(QStringLiteral("Form3"));
    ASSERT_FALSE(later.isEmpty());
    EXPECT_GT(usageLineWidth(x, x.geometry(later)), 300) << "the week's usage sentence";
    app.process->kill();
}

} // namespace
