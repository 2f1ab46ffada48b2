// The cross-built hoopwright.exe under Wine with the prefix's display scale at 150 %
// (LogPixels 144) on a 1920 x 1080 screen: Qt takes the scale from Windows, and the terms
// screen and both boards' jerseys lie wholly on the screen.
#include "e2e/driver.h"
#include "e2e/shapes.h"
#include "windows/wine.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <vector>

namespace {

using shapes::blobs;

const QString kExe = QStringLiteral(HOOPWRIGHT_EXECUTABLE);
const QString kDesktopKey = QStringLiteral("HKCU\\Control Panel\\Desktop");
const QSize kScreen(1920, 1080);

bool isButtonGrey(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    return qAbs(r - g) <= 2 && qAbs(g - b) <= 2 && r >= 0x38 && r <= 0x44;
}

bool isTermsButton(QRgb c)
{
    return qAbs(qRed(c) - 0xc0) <= 12 && qAbs(qGreen(c) - 0xc0) <= 12 && qBlue(c) >= 0xf0;
}

bool isWhite(QRgb c)
{
    return c == qRgb(255, 255, 255);
}

// The six label-buttons of the toolbar, left to right: the first row of the window crossed
// by six stretches of the buttons' grey.
std::vector<QRect> toolbarButtons(const QImage &shot, const QRect &window)
{
    for (int y = qMax(window.top(), 0); y < window.top() + 300 && y < shot.height(); ++y) {
        std::vector<QRect> found;
        int start = -1;
        for (int x = qMax(window.left(), 0); x <= window.right() + 1; ++x) {
            const bool grey = x <= window.right() && x < shot.width() && isButtonGrey(shot.pixel(x, y));
            if (grey && start < 0)
                start = x;
            if (!grey && start >= 0) {
                if (x - start >= 20)
                    found.emplace_back(start, y, x - start, 1);
                start = -1;
            }
        }
        if (found.size() != 6)
            continue;
        // Down the left edge of each button, beside its caption, to its bottom.
        for (QRect &button : found) {
            int bottom = y;
            while (bottom + 1 < shot.height() && isButtonGrey(shot.pixel(button.left() + 2, bottom + 1)))
                ++bottom;
            button.setBottom(bottom);
        }
        return found;
    }
    return {};
}

class ScaledWineE2E : public WineTest {
protected:
    ScaledWineE2E()
        : WineTest(kScreen)
    {
    }

    void SetUp() override
    {
        WineTest::SetUp();
        if (HasFatalFailure())
            return;
        QDir(driveC(QStringLiteral("SAVE"))).removeRecursively(); // a first run
        // The user's display scale, as Windows' settings keep it; put back in TearDown.
        const QRegularExpressionMatch m
            = QRegularExpression(QStringLiteral("LogPixels\\s+REG_DWORD\\s+0x([0-9a-fA-F]+)"))
                  .match(
                      reg({ QStringLiteral("query"), kDesktopKey, QStringLiteral("/v"), QStringLiteral("LogPixels") }));
        earlierLogPixels = m.hasMatch() ? m.captured(1).toInt(nullptr, 16) : 0;
        setLogPixels(144);
    }

    void TearDown() override
    {
        if (earlierLogPixels)
            setLogPixels(earlierLogPixels);
        else
            reg({ QStringLiteral("delete"), kDesktopKey, QStringLiteral("/v"), QStringLiteral("LogPixels"),
                QStringLiteral("/f") });
        WineTest::TearDown(); // the wineserver writes the registry out as it ends
    }

    QString reg(const QStringList &arguments)
    {
        // In the session's display: the wineserver it starts serves the program too.
        QProcessEnvironment environment = wineEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), x.display());
        QProcess wine;
        wine.setProcessEnvironment(environment);
        wine.start(QStringLiteral("wine"), QStringList { QStringLiteral("reg") } + arguments);
        wine.waitForFinished(60000);
        return QString::fromLocal8Bit(wine.readAllStandardOutput());
    }

    void setLogPixels(int value)
    {
        reg({ QStringLiteral("add"), kDesktopKey, QStringLiteral("/v"), QStringLiteral("LogPixels"),
            QStringLiteral("/t"), QStringLiteral("REG_DWORD"), QStringLiteral("/d"), QString::number(value),
            QStringLiteral("/f") });
    }

    // Opens a board with its toolbar button and checks that its ten jerseys lie on the screen.
    void checkBoard(const QRect &opener, const char *what)
    {
        SCOPED_TRACE(what);
        x.click(opener.center().x(), opener.center().y());
        XSession::pause(3500); // faded in
        const QImage shot = x.screenshot();
        saveShot(QStringLiteral("scaled-%1").arg(QString::fromLatin1(what)));
        const QRect below(0, opener.bottom() + 1, kScreen.width(), kScreen.height() - opener.bottom() - 1);
        const std::vector<QRect> allies = blobs(shot, below, isAllyRed, 20);
        const std::vector<QRect> enemies = blobs(shot, below, isEnemyBlue, 20);
        ASSERT_EQ(allies.size(), 5u) << "five allies";
        ASSERT_EQ(enemies.size(), 5u) << "five enemies";
        // Device pixels to the design's logical pixel, from the pitch of a starting row
        // (840 twips, 56 pixels, between jerseys).
        for (std::vector<QRect> side : { allies, enemies }) {
            std::sort(side.begin(), side.end(), [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
            const double f = double(side[4].center().x() - side[0].center().x()) / (4 * 56);
            EXPECT_NEAR(f, 1.5, 0.1) << "drawn at 150 %";
            for (const QRect &oval : side) {
                // The jersey, 49 x 64, about its number oval half across and 112/192 down.
                const QPointF c = QRectF(oval).center();
                const QRectF jersey(c.x() - 24.5 * f, c.y() - 64.0 * 112 / 192 * f, 49 * f, 64 * f);
                EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(kScreen)).contains(jersey.adjusted(1, 1, -1, -1)))
                    << "a jersey wholly on the screen, at " << c.x() << ", " << c.y();
                EXPECT_GT(oval.height(), 24 * f) << "its whole oval";
            }
        }
        // Closed with its Close button, the board's largest stretch of the buttons' grey.
        const std::vector<QRect> greys = blobs(shot, below, isButtonGrey, 200);
        ASSERT_FALSE(greys.empty()) << "Close on the screen";
        x.click(greys.front().center().x(), greys.front().center().y());
        XSession::pause(1000);
    }

    int earlierLogPixels = 0;
};

TEST_F(ScaledWineE2E, At150PercentTheTermsScreenAndBothBoardsJerseysAreWhollyOnTheScreen)
{
    QProcess *program = startUnderWine(kExe);
    const QString terms = x.waitForWindow(QStringLiteral("Form1"), 60000);
    ASSERT_FALSE(terms.isEmpty()) << program->readAll().toStdString();
    XSession::pause(800);
    const QRect screen = x.geometry(terms);
    const QImage termsShot = x.screenshot();
    saveShot(QStringLiteral("scaled-terms"));
    EXPECT_TRUE(QRect(QPoint(0, 0), kScreen).contains(screen))
        << "the terms screen at " << screen.x() << ", " << screen.y() << ", " << screen.width() << " x "
        << screen.height();
    EXPECT_GT(screen.height(), 699 * 1.4) << "drawn at 150 %";

    // Accepted by clicks at the check box's and the button's centres, read from the screen.
    const QRect bottom(screen.left(), screen.bottom() - screen.height() / 10, screen.width(), screen.height() / 10);
    const std::vector<QRect> buttons = blobs(termsShot, bottom, isTermsButton, 50);
    ASSERT_FALSE(buttons.empty()) << "the button on the screen";
    const QRect button = buttons.front();
    const std::vector<QRect> checks = blobs(
        termsShot, QRect(bottom.left(), bottom.top(), button.left() - bottom.left(), bottom.height()), isWhite, 50);
    ASSERT_FALSE(checks.empty()) << "the check box on the screen";
    x.click(checks.front().center().x(), checks.front().center().y());
    XSession::pause(500);
    x.click(button.center().x(), button.center().y());
    const QString main = x.waitForWindow(Driver::kMainCaption, 20000);
    ASSERT_FALSE(main.isEmpty()) << "accepted with the mouse";
    XSession::pause(2500);
    saveShot(QStringLiteral("scaled-main"));

    const std::vector<QRect> strip = toolbarButtons(x.screenshot(), x.geometry(main));
    ASSERT_EQ(strip.size(), 6u) << "six label-buttons in a row";
    checkBoard(strip[0], "half");
    checkBoard(strip[1], "whole");
}

} // namespace
