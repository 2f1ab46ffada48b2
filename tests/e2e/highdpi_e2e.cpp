#include "e2e/driver.h"

#include <gtest/gtest.h>

namespace {

// Along rows of the court, the edges of its lines: drawn from artwork rendered at twice the
// size, an edge has at most one grey pixel; a picture merely enlarged shows grey pairs.
struct EdgeCount {
    int single = 0;
    int wider = 0;
};

EdgeCount edges(const QImage &image, const QRect &area)
{
    EdgeCount count;
    for (int y = area.top(); y <= area.bottom(); y += 7) {
        int run = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            if (grey > 0x30 && grey < 0xe0) {
                ++run;
                continue;
            }
            if (run == 1)
                ++count.single;
            else if (run > 1)
                ++count.wider;
            run = 0;
        }
    }
    return count;
}

TEST(HighDpiE2E, CourtLinesStaySharpAtScaleTwo)
{
    XSession x(QSize(3200, 1800));
    ASSERT_TRUE(x.ok());
    Driver app { x };
    app.writeRecord(0);
    QProcessEnvironment scale;
    scale.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    app.process = x.start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), {}, scale);
    app.mainWindow = x.waitForWindow(Driver::kMainCaption, 30000);
    ASSERT_FALSE(app.mainWindow.isEmpty());
    XSession::pause(2500);

    // The strip's buttons, twice their size: the first grey row under the menu bar.
    const QRect client = x.geometry(app.mainWindow);
    const QImage before = x.screenshot();
    int stripTop = -1;
    for (int y = client.top(); y < client.top() + 240 && stripTop < 0; ++y) {
        if (qAbs(qGray(before.pixel(client.left() + 200, y)) - 0x40) <= 8)
            stripTop = y - 16;
    }
    ASSERT_GE(stripTop, 0);
    EXPECT_EQ(x.geometry(app.mainWindow).width(), 3200);
    x.click(client.left() + 2 * 100, stripTop + 2 * 32); // Half Court
    XSession::pause(2800);

    const QImage shot = x.screenshot();
    const QRect court(client.left() + 20, stripTop + 130 + 20, 2 * 1057 - 40, 2 * 500);
    const EdgeCount count = edges(shot, court);
    EXPECT_GT(count.single, 100) << "the court is there";
    EXPECT_LT(count.wider * 2, count.single)
        << "sharp edges: " << count.single << " single, " << count.wider << " wider";
    app.process->kill();
}

// At 1366 x 768 with a scale of 1.5 the screen is 911 x 512 logical pixels and the terms
// screen (599 x 699) does not fit: it is drawn smaller as a whole, as tall as the screen,
// and centred.
TEST(HighDpiE2E, ATermsScreenTallerThanTheScreenIsDrawnSmallerToFitIt)
{
    XSession x(QSize(1366, 768));
    ASSERT_TRUE(x.ok());
    QProcessEnvironment scale;
    scale.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1.5"));
    QProcess *program = x.start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), {}, scale);
    const QString terms = x.waitForWindow(QStringLiteral("Form1"), 30000);
    ASSERT_FALSE(terms.isEmpty());
    const QRect r = x.geometry(terms);
    EXPECT_EQ(r.top(), 0);
    EXPECT_NEAR(r.left(), (1366 - r.width()) / 2, 2);
    EXPECT_NEAR(r.height(), 768, 2);
    EXPECT_NEAR(r.width(), 599.0 * 768 / 699, 3) << "smaller as a whole";
    program->kill();
}

} // namespace
