#include "e2e/driver.h"
#include "e2e/shapes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// The program on the screens coaches have, each a row: a laptop at 150 % with a taskbar, a
// small laptop at 125 %, and two small screens. Everything is read from the screen: where
// the terms screen's controls are, the toolbar's buttons, the jerseys and Close.
namespace {

using shapes::blobs;

struct SmallScreen {
    const char *name;
    QSize screen; // device pixels
    const char *scaleFactor; // QT_SCALE_FACTOR, or none
    int dpi; // Xft.dpi, or 0
    int dock; // device pixels a taskbar reserves along the bottom, or 0
};

// The jersey's number oval: its centre lies half across and 112/192 down a jersey of
// 49 x 64 logical pixels at the design's scale.
constexpr double kOvalX = 24.5;
constexpr double kOvalY = 64.0 * 112 / 192;
constexpr double kPitch = 56; // 840 twips between jerseys

bool isButtonGrey(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    return qAbs(r - g) <= 2 && qAbs(g - b) <= 2 && r >= 0x38 && r <= 0x44;
}

bool isTermsButton(QRgb c)
{
    return qAbs(qRed(c) - 0xc0) <= 12 && qAbs(qGreen(c) - 0xc0) <= 12 && qBlue(c) >= 0xf0;
}

class SmallScreens : public ::testing::TestWithParam<SmallScreen> {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("tesseract")).isEmpty())
            GTEST_SKIP() << "tesseract is not installed (scripts/bootstrap --test installs it)";
        const SmallScreen row = GetParam();
        x = std::make_unique<XSession>(row.screen);
        ASSERT_TRUE(x->ok());
        x->run(QStringLiteral("xset"), { QStringLiteral("r"), QStringLiteral("off") });
        if (row.dpi) {
            QFile resources(dir.filePath(QStringLiteral("resources")));
            ASSERT_TRUE(resources.open(QIODevice::WriteOnly));
            resources.write(QStringLiteral("Xft.dpi: %1\n").arg(row.dpi).toLatin1());
            resources.close();
            x->run(QStringLiteral("xrdb"), { QStringLiteral("-merge"), resources.fileName() });
        }
        if (row.dock) {
            x->start(QStringLiteral(HOOPWRIGHT_DOCK), { QString::number(row.dock) });
            ASSERT_TRUE(waitFor([&] { return usableArea().height() == row.screen.height() - row.dock; }, 5000))
                << "the window manager reserves the dock's strip";
        }
        usable = usableArea();
        ASSERT_FALSE(usable.isEmpty());
        QDir().mkpath(shots());
    }

    // The usable area as the window manager announces it, in device pixels.
    QRect usableArea()
    {
        const QString out
            = x->run(QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA") });
        const QRegularExpressionMatch m
            = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(out);
        return m.hasMatch()
            ? QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt())
            : QRect();
    }

    // Where a window's client area lies on the screen, as X has it.
    QRect clientArea(const QString &window)
    {
        const QString info = x->run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), window });
        auto value = [&](const char *name) {
            const QRegularExpressionMatch m
                = QRegularExpression(QString::fromLatin1(name) + QStringLiteral(":\\s+(-?\\d+)")).match(info);
            return m.hasMatch() ? m.captured(1).toInt() : 0;
        };
        return QRect(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"));
    }

    static QString shots() { return QStringLiteral(HOOPWRIGHT_BUILD_DIR "/tests/e2e/shots"); }

    QImage look(const char *what)
    {
        const QImage shot = x->screenshot();
        shot.save(QStringLiteral("%1/%2_%3.png")
                      .arg(shots(), QString::fromLatin1(GetParam().name), QString::fromLatin1(what)));
        return shot;
    }

    QString read(const QImage &shot, const QRect &area)
    {
        // Dark lettering on a light ground, three times the size, reads best.
        QImage crop = shot.copy(area).convertToFormat(QImage::Format_Grayscale8);
        crop.invertPixels();
        const QString file = dir.filePath(QStringLiteral("caption.png"));
        crop.scaled(area.size() * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(file);
        return x
            ->run(QStringLiteral("tesseract"),
                { file, QStringLiteral("-"), QStringLiteral("--psm"), QStringLiteral("7") })
            .simplified();
    }

    // The six label-buttons of the toolbar, left to right: the first row of the strip under
    // the menu bar crossed by six stretches of the buttons' grey.
    std::vector<QRect> toolbarButtons(const QImage &shot, const QRect &window)
    {
        for (int y = window.top(); y < window.top() + 200 && y < shot.height(); ++y) {
            std::vector<QRect> found;
            int start = -1;
            for (int xx = window.left(); xx <= window.right() + 1; ++xx) {
                const bool grey = xx <= window.right() && xx < shot.width() && isButtonGrey(shot.pixel(xx, y));
                if (grey && start < 0)
                    start = xx;
                if (!grey && start >= 0) {
                    if (xx - start >= 20)
                        found.emplace_back(start, y, xx - start, 1);
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

    // Opens a board, checks its ten jerseys and drags each, then closes it with Close.
    void tryBoard(const QRect &opener, const char *caption, const char *what, int stripBottom)
    {
        SCOPED_TRACE(caption);
        x->click(opener.center().x(), opener.center().y());
        const QString suffix = QStringLiteral(" - [%1]").arg(QString::fromLatin1(caption));
        ASSERT_TRUE(waitFor([&] { return x->title(mainWindow).endsWith(suffix); }, 5000));
        XSession::pause(2600); // faded in
        const QImage shot = look(what);
        const QRect board(usable.left(), stripBottom + 1, usable.width(), usable.bottom() - stripBottom);

        const std::vector<QRect> allies = blobs(shot, board, isAllyRed, 20);
        const std::vector<QRect> enemies = blobs(shot, board, isEnemyBlue, 20);
        ASSERT_EQ(allies.size(), 5u) << "five allies";
        ASSERT_EQ(enemies.size(), 5u) << "five enemies";
        std::vector<QRect> ovals = enemies;
        std::sort(ovals.begin(), ovals.end(), [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
        const auto firstAlly = ovals.insert(ovals.end(), allies.begin(), allies.end());
        std::sort(firstAlly, ovals.end(), [](const QRect &a, const QRect &b) { return a.left() < b.left(); });
        // Device pixels to the design's logical pixel, from the pitch of the starting row.
        const double f = double(ovals[4].center().x() - ovals[0].center().x()) / (4 * kPitch);
        ASSERT_GT(f, 0.3);
        for (const QRect &oval : ovals) {
            const QPointF c = QRectF(oval).center();
            const QRectF jersey(c.x() - kOvalX * f, c.y() - kOvalY * f, 49 * f, 64 * f);
            EXPECT_TRUE(QRectF(board).contains(jersey.adjusted(1, 1, -1, -1)))
                << "a jersey wholly in sight, at " << c.x() << ", " << c.y();
            EXPECT_GT(oval.height(), 24 * f) << "its whole oval";
        }

        // Close: the board's dark grey label-button, between the enemies and the allies.
        const std::vector<QRect> greys = blobs(shot, board, isButtonGrey, 200);
        ASSERT_FALSE(greys.empty()) << "Close on the screen";
        const QRect close = greys.front();
        EXPECT_GT(close.left(), ovals[4].right());
        EXPECT_LT(close.right(), ovals[5].left());
        EXPECT_TRUE(board.contains(close));

        for (int i = 0; i < 10; ++i) {
            const QPoint from = ovals[i].center();
            const QPoint to = from - QPoint(0, int(90 * f));
            x->drag(from, to);
            const int r = int(8 * f); // within the oval, around its number
            EXPECT_GT(XSession::countNear(x->screenshot(), to, r, i < 5 ? isEnemyBlue : isAllyRed), r * r)
                << "a jersey dragged from " << from.x() << ", " << from.y();
        }
        look((std::string(what) + "_dragged").c_str());

        x->click(close.center().x(), close.center().y());
        EXPECT_TRUE(waitFor([&] { return x->title(mainWindow) == Driver::kMainCaption; }, 5000)) << "Close closes it";
    }

    QTemporaryDir dir;
    std::unique_ptr<XSession> x;
    QRect usable;
    QString mainWindow;
};

TEST_P(SmallScreens, TermsBoardsAndToolbarAreWhollyInSightAndWork)
{
    const SmallScreen row = GetParam();
    QProcessEnvironment environment;
    if (row.scaleFactor)
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(row.scaleFactor));
    QProcess *program = x->start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), {}, environment);

    // The terms screen, a first run's: wholly in the usable area, accepted by the mouse.
    const QString terms = x->waitForWindow(QStringLiteral("Form1"), 30000);
    ASSERT_FALSE(terms.isEmpty());
    XSession::pause(500);
    const QRect screen = x->geometry(terms);
    EXPECT_TRUE(usable.contains(screen)) << "the terms screen in the usable area";
    const QImage termsShot = look("terms");
    // Its bottom tenth holds only the button and the check box.
    const QRect bottom(screen.left(), screen.bottom() - screen.height() / 10, screen.width(), screen.height() / 10);
    const std::vector<QRect> buttons = blobs(termsShot, bottom, isTermsButton, 50);
    ASSERT_FALSE(buttons.empty()) << "the button on the screen";
    const QRect button = buttons.front();
    const std::vector<QRect> checks = blobs(
        termsShot, QRect(bottom.left(), bottom.top(), button.left() - bottom.left(), bottom.height()),
        [](QRgb c) { return c == qRgb(255, 255, 255); }, 50);
    ASSERT_FALSE(checks.empty()) << "the check box on the screen";
    const QRect check = checks.front();
    EXPECT_GT(check.height(), 8) << "the whole check box";
    x->click(check.center().x(), check.center().y());
    XSession::pause(300);
    look("terms_checked");
    x->click(button.center().x(), button.center().y());
    mainWindow = x->waitForWindow(Driver::kMainCaption, 10000);
    ASSERT_FALSE(mainWindow.isEmpty()) << "accepted with the mouse";
    XSession::pause(2500);

    // The toolbar: six buttons of one size, each wholly in sight with its caption readable.
    const QImage shot = look("main");
    const QRect window = x->geometry(mainWindow);
    const std::vector<QRect> strip = toolbarButtons(shot, window);
    ASSERT_EQ(strip.size(), 6u) << "six label-buttons in a row";
    const char *captions[] = { "Half Court", "Whole Court", "Reset", "Help", "About", "Exit" };
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(strip[i].width(), strip[0].width(), 2) << captions[i] << " whole";
        EXPECT_TRUE(usable.contains(strip[i])) << captions[i] << " in sight";
        const QString seen = read(shot, strip[i]);
        EXPECT_EQ(seen, QString::fromLatin1(captions[i])) << "read " << seen.toStdString();
    }

    tryBoard(strip[0], "Half Court", "half", strip[0].bottom());
    tryBoard(strip[1], "Whole Court", "whole", strip[0].bottom());

    // The Help box and the about box, wholly in the usable area and about its centre.
    for (int i : { 3, 4 }) {
        const QString title = QString::fromLatin1(i == 3 ? "Help" : "Form3");
        x->click(strip[i].center().x(), strip[i].center().y());
        const QString box = x->waitForWindow(title, 5000);
        ASSERT_FALSE(box.isEmpty()) << title.toStdString();
        XSession::pause(300);
        const QRect r = clientArea(box);
        look(i == 3 ? "help" : "about");
        EXPECT_TRUE(usable.contains(r)) << title.toStdString() << " in the usable area";
        // Qt centres a message box on the main window, allowing for a frame it estimates.
        EXPECT_NEAR(r.center().x(), usable.center().x(), 40) << title.toStdString() << " centred on it";
        EXPECT_NEAR(r.center().y(), usable.center().y(), usable.height() / 10) << title.toStdString();
        x->activate(box);
        x->key(QStringLiteral("Return"));
        ASSERT_TRUE(x->waitForNoWindow(title));
    }

    // Restored (a double click on its title bar), the main window with its frame is no larger
    // than the usable area and lies wholly on it.
    const QRegularExpressionMatch extents
        = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"))
              .match(x->run(QStringLiteral("xprop"),
                  { QStringLiteral("-id"), mainWindow, QStringLiteral("_NET_FRAME_EXTENTS") }));
    ASSERT_TRUE(extents.hasMatch());
    const QMargins frame(extents.captured(1).toInt(), extents.captured(3).toInt(), extents.captured(2).toInt(),
        extents.captured(4).toInt());
    // Maximized, its frame starts at the top of the usable area.
    x->moveTo(usable.center().x(), usable.top() + frame.top() / 2);
    x->run(QStringLiteral("xdotool"),
        { QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1") });
    ASSERT_TRUE(waitFor([&] { return x->geometry(mainWindow) != window; }, 5000)) << "restored";
    XSession::pause(1000);
    const QRect restored = clientArea(mainWindow).marginsAdded(frame);
    look("restored");
    EXPECT_TRUE(usable.contains(restored)) << "restored at " << restored.x() << ", " << restored.y() << ", "
                                           << restored.width() << " x " << restored.height();

    const std::vector<QRect> restoredStrip = toolbarButtons(x->screenshot(), x->geometry(mainWindow));
    ASSERT_EQ(restoredStrip.size(), 6u);
    x->click(restoredStrip[5].center().x(), restoredStrip[5].center().y());
    ASSERT_TRUE(XSession::waitForExit(program, 10000)) << "Exit ends the program";
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, SmallScreens,
    ::testing::Values(SmallScreen { "laptop_150_taskbar", QSize(1920, 1080), "1.5", 0, 72 },
        SmallScreen { "laptop_1366x768_125", QSize(1366, 768), nullptr, 120, 0 },
        SmallScreen { "screen_1024x768", QSize(1024, 768), nullptr, 0, 0 },
        SmallScreen { "screen_640x480", QSize(640, 480), nullptr, 0, 0 }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
