#include "e2e/driver.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

// What a user meets with the mouse and the window's own buttons: every point of a control
// takes the click, Enter presses the focused button, a restored board shows its court.
namespace {

const QString kTermsTitle = QStringLiteral("Form1");
const QString kAboutTitle = QStringLiteral("Form3");

bool near(QRgb c, int r, int g, int b, int by = 14)
{
    return qAbs(qRed(c) - r) <= by && qAbs(qGreen(c) - g) <= by && qAbs(qBlue(c) - b) <= by;
}

int darkPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            count += qRed(c) + qGreen(c) + qBlue(c) < 200;
        }
    }
    return count;
}

// Points spread over a rectangle, its four edges included.
std::vector<QPoint> sweep(const QRect &r, int columns, int rows)
{
    std::vector<QPoint> points;
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i)
            points.emplace_back(
                r.left() + (r.width() - 1) * i / (columns - 1), r.top() + (r.height() - 1) * j / (rows - 1));
    }
    return points;
}

QString describe(QPoint p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

class MouseE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "no X session"; }

    // A first run up to its terms screen; the window's top-left corner on the screen.
    QPoint openTerms()
    {
        app.process = x.startProgram();
        terms = x.waitForWindow(kTermsTitle, 30000);
        EXPECT_FALSE(terms.isEmpty());
        return x.geometry(terms).topLeft();
    }

    // Presses with the button held at a point, looks, then leaves the window and lets go
    // there, which is no click; true when the control showed itself pressed.
    bool showsPressed(QPoint at, QPoint probe, QRgb pressed, QPoint away)
    {
        x.moveTo(at.x(), at.y());
        x.mouseDown();
        XSession::pause(60);
        const QRgb seen = x.screenshot().pixel(probe);
        x.moveTo(away.x(), away.y());
        x.mouseUp();
        XSession::pause(60);
        return near(seen, qRed(pressed), qGreen(pressed), qBlue(pressed), 10);
    }

    bool titleEndsWith(const QString &end)
    {
        return waitFor([&] { return x.title(app.mainWindow).endsWith(end); });
    }

    XSession x;
    Driver app { x };
    QString terms;
};

TEST_F(MouseE2E, TheTermsScreensCheckBoxAndButtonTakeClicksOnEveryPoint)
{
    const QPoint o = openTerms();
    ASSERT_FALSE(terms.isEmpty());
    const QRect check = QRect(176, 656, 305, 25).translated(o);
    const QRect button = QRect(488, 648, 89, 41).translated(o);
    const QRect indicator = QRect(176, 656, 24, 25).translated(o);

    // The check mark darkens the box: calibrated on the first click, at the box itself.
    const int unchecked = darkPixels(x.screenshot(), indicator);
    x.click(o.x() + 184, o.y() + 668);
    XSession::pause(150);
    const int checked = darkPixels(x.screenshot(), indicator);
    ASSERT_GT(checked, unchecked + 6) << "a click on the box itself checks it";
    const int threshold = (checked + unchecked) / 2;

    bool expected = true;
    for (QPoint p : sweep(check, 5, 9)) {
        x.click(p.x(), p.y());
        expected = !expected;
        XSession::pause(80);
        EXPECT_EQ(darkPixels(x.screenshot(), indicator) > threshold, expected)
            << "check box at " << describe(p - o).toStdString();
    }

    // The button shows itself pressed wherever it is pressed; letting go outside the window
    // is no click.
    const QPoint probe = button.topLeft() + QPoint(6, 6);
    const QPoint away = o + QPoint(-40, 668);
    for (QPoint p : sweep(button, 5, 6))
        EXPECT_TRUE(showsPressed(p, probe, qRgb(0xa8, 0xa8, 0xf0), away))
            << "button at " << describe(p - o).toStdString();

    if (!expected)
        x.click(o.x() + 184, o.y() + 668);
    XSession::pause(150);
    x.click(o.x() + 532, o.y() + 668); // the button's centre: "Accept"
    EXPECT_FALSE(x.waitForWindow(Driver::kMainCaption, 10000).isEmpty()) << "accepted with the mouse";
}

TEST_F(MouseE2E, ReturnOnTheTermsScreensExitRefuses)
{
    openTerms();
    ASSERT_FALSE(terms.isEmpty());
    x.activate(terms);
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(XSession::waitForExit(app.process, 10000));
    EXPECT_EQ(app.process->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(app.recordPath())) << "refused: the record goes";
}

class EnterOnAccept : public MouseE2E, public ::testing::WithParamInterface<const char *> { };

TEST_P(EnterOnAccept, AfterTabSpaceShiftTabAccepts)
{
    openTerms();
    ASSERT_FALSE(terms.isEmpty());
    x.activate(terms);
    for (const char *key : { "Tab", "space", "shift+Tab" }) {
        x.key(QString::fromLatin1(key));
        XSession::pause(150);
    }
    x.key(QString::fromLatin1(GetParam()));
    EXPECT_FALSE(x.waitForWindow(Driver::kMainCaption, 10000).isEmpty());
    EXPECT_TRUE(QFile::exists(app.recordPath()));
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterOnAccept, ::testing::Values("Return", "KP_Enter"),
    [](const auto &info) { return std::string(info.param); });

TEST_F(MouseE2E, TheAboutBoxsLinkAndCloseTakeClicksOnEveryPoint)
{
    // The web pages the program opens land in a file instead of a browser.
    QTemporaryDir bin;
    const QString opened = bin.filePath(QStringLiteral("opened.txt"));
    QFile opener(bin.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\n").arg(opened).toUtf8());
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), bin.path() + QLatin1Char(':') + qEnvironmentVariable("PATH"));

    app.writeRecord(400);
    app.process = x.start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), {}, env);
    app.mainWindow = x.waitForWindow(Driver::kMainCaption, 30000);
    ASSERT_FALSE(app.mainWindow.isEmpty());
    ASSERT_TRUE(app.findStrip());
    app.press(4); // About
    const QString about = x.waitForWindow(kAboutTitle);
    ASSERT_FALSE(about.isEmpty());
    const QPoint o = x.geometry(about).topLeft();

    auto lines = [&] {
        QFile file(opened);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    };
    int clicks = 0;
    for (QPoint p : sweep(QRect(24, 336, 217, 25).translated(o), 5, 5)) {
        x.click(p.x(), p.y());
        ++clicks;
        EXPECT_TRUE(waitFor([&] { return lines() == clicks; })) << "link at " << describe(p - o).toStdString();
        XSession::pause(450); // no double click
    }
    EXPECT_FALSE(x.waitForWindow(kAboutTitle, 100).isEmpty()) << "the link leaves the box open";

    const QRect close = QRect(712, 368, 73, 25).translated(o);
    for (QPoint p : sweep(close, 5, 5)) {
        EXPECT_TRUE(showsPressed(p, close.topLeft() + QPoint(4, 4), qRgb(0x6a, 0x6a, 0x6a), o + QPoint(-40, 380)))
            << "Close at " << describe(p - o).toStdString();
    }
    x.click(close.right(), close.bottom());
    EXPECT_TRUE(x.waitForNoWindow(kAboutTitle, 5000)) << "Close at its corner closes the box";
}

TEST_F(MouseE2E, TheMainWindowsLabelButtonsTakeClicksOnTheirWholeRectangles)
{
    ASSERT_TRUE(app.startToMainWindow(10));
    auto rectangle = [&](int index) { return QRect(app.stripOrigin() + QPoint(8 + index * 192, 8), QSize(185, 49)); };
    auto pointOf = [&](int index, int k) { return sweep(rectangle(index), 3, 3).at(k); };

    for (int k = 0; k < 9; ++k) {
        const QPoint whole = pointOf(1, k);
        x.click(whole.x(), whole.y());
        EXPECT_TRUE(titleEndsWith(QStringLiteral(" - [Whole Court]"))) << "Whole Court at " << k;
        const QPoint half = pointOf(0, k);
        x.click(half.x(), half.y());
        EXPECT_TRUE(titleEndsWith(QStringLiteral(" - [Half Court]"))) << "Half Court at " << k;
    }
    for (int k = 0; k < 9; ++k) {
        const QPoint help = pointOf(3, k);
        x.click(help.x(), help.y());
        const QString box = x.waitForWindow(QStringLiteral("Help"), 5000);
        EXPECT_FALSE(box.isEmpty()) << "Help at " << k;
        if (!box.isEmpty()) {
            x.activate(box);
            x.key(QStringLiteral("Return"));
            EXPECT_TRUE(x.waitForNoWindow(QStringLiteral("Help")));
        }
        const QPoint about = pointOf(4, k);
        x.click(about.x(), about.y());
        const QString aboutBox = x.waitForWindow(kAboutTitle, 5000);
        EXPECT_FALSE(aboutBox.isEmpty()) << "About at " << k;
        if (!aboutBox.isEmpty()) {
            x.activate(aboutBox);
            x.key(QStringLiteral("Return"));
            EXPECT_TRUE(x.waitForNoWindow(kAboutTitle));
        }
    }

    // Reset brings a dragged jersey home, wherever on the button it is pressed.
    XSession::pause(2200); // the half court has faded in
    const QPoint allyHome = app.stripOrigin() + QPoint(10440 / 15 + 24, 65 + 8160 / 15 + 32);
    for (int k : { 0, 2, 4, 6, 8 }) {
        x.drag(allyHome, allyHome + QPoint(-300, -200));
        EXPECT_EQ(XSession::countNear(x.screenshot(), allyHome, 14, isAllyRed), 0);
        const QPoint reset = pointOf(2, k);
        x.click(reset.x(), reset.y());
        EXPECT_TRUE(waitFor([&] { return XSession::countNear(x.screenshot(), allyHome, 14, isAllyRed) > 40; }))
            << "Reset at " << k;
    }

    const QPoint exit = pointOf(5, 8); // the bottom-right corner
    x.click(exit.x(), exit.y());
    ASSERT_TRUE(XSession::waitForExit(app.process, 10000)) << "Exit at its corner";
    EXPECT_EQ(app.process->exitCode(), 0);
}

// The boards' client area at design size, in pixels.
struct DesignBoard {
    int button; // the main window's label-button that opens it
    const char *caption;
    QSize client;
    QPoint ally1; // the corners of the first ally's and enemy's jerseys, pixels from the client area's corner
    QPoint enemy1;
};

class RestoredBoard : public MouseE2E, public ::testing::WithParamInterface<DesignBoard> { };

// The caption buttons of a maximized board sit at the right end of the main window's menu
// bar: minimize, restore, close, each a small framed picture a few pixels apart. Finds the
// middle one from a screenshot.
QPoint restoreButton(const QImage &shot, const QRect &menuBar)
{
    std::vector<std::pair<int, int>> buttons; // right to left, first and last column
    int blank = 0;
    for (int x = menuBar.right(); x > menuBar.right() - 120; --x) {
        bool drawn = false;
        for (int y = menuBar.center().y() - 4; y <= menuBar.center().y() + 4 && !drawn; ++y)
            drawn = qGray(shot.pixel(x, y)) < 160;
        if (drawn) {
            if (buttons.empty() || blank >= 6)
                buttons.push_back({ x, x });
            buttons.back().second = x;
            blank = 0;
        } else {
            ++blank;
        }
    }
    if (buttons.size() < 3)
        return {};
    return QPoint((buttons[1].first + buttons[1].second) / 2, menuBar.center().y());
}

TEST_P(RestoredBoard, ShowsItsCourtAndJerseysAtDesignSize)
{
    const DesignBoard b = GetParam();
    ASSERT_TRUE(app.startToMainWindow(10));
    app.press(b.button);
    XSession::pause(2600);
    const QString suffix = QStringLiteral(" - [%1]").arg(QString::fromLatin1(b.caption));
    ASSERT_TRUE(titleEndsWith(suffix));

    // Move a jersey, then restore the board with the button in the menu bar.
    const QPoint maximizedCorner = app.stripOrigin() + QPoint(0, 65);
    const QPoint ally1 = maximizedCorner + b.ally1 + QPoint(24, 32);
    const QPoint moved = ally1 + QPoint(-200, -150);
    x.drag(ally1, moved);
    const QRect menuBar(app.stripOrigin().x(), x.geometry(app.mainWindow).top(), x.geometry(app.mainWindow).width(),
        app.stripOrigin().y() - x.geometry(app.mainWindow).top());
    const QPoint restore = restoreButton(x.screenshot(), menuBar);
    ASSERT_FALSE(restore.isNull()) << "caption buttons in the menu bar";
    x.click(restore.x(), restore.y());
    ASSERT_TRUE(waitFor([&] { return !x.title(app.mainWindow).endsWith(suffix); })) << "restored";
    XSession::pause(300);

    // The restored board's client area lies a frame's width in: find it by its jerseys.
    const QImage shot = x.screenshot();
    QPoint offset;
    for (int dy = 0; dy <= 40 && offset.isNull(); ++dy) {
        for (int dx = 0; dx <= 12; ++dx) {
            if (XSession::countNear(shot, moved + QPoint(dx, dy), 6, isAllyRed) > 30
                && XSession::countNear(shot, ally1 + QPoint(840 / 15 * 4, 0) + QPoint(dx, dy), 6, isAllyRed) > 30) {
                offset = QPoint(dx, dy);
                break;
            }
        }
    }
    ASSERT_FALSE(offset.isNull()) << "the dragged jersey and the fifth ally, where they were";
    const QPoint enemy1 = maximizedCorner + b.enemy1 + QPoint(24, 32);
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            EXPECT_GT(XSession::countNear(shot, ally1 + offset + QPoint(56 * i, 0), 10, isAllyRed), 30)
                << "ally " << i + 1;
        EXPECT_GT(XSession::countNear(shot, enemy1 + offset + QPoint(56 * i, 0), 10, isEnemyBlue), 30)
            << "enemy " << i + 1;
    }
    // The board ends at its design width: its frame's right edge stands there, on the main
    // window's white background (above the main window's picture).
    const QPoint corner = maximizedCorner + offset;
    const int row = corner.y() + 20;
    int frameRight = 0;
    for (int xx = corner.x() + b.client.width() + 30; xx > corner.x() + b.client.width() - 30; --xx) {
        const QRgb c = shot.pixel(xx, row);
        if (qRed(c) < 235 || qGreen(c) < 235 || qBlue(c) < 235) {
            frameRight = xx;
            break;
        }
    }
    EXPECT_GE(frameRight, corner.x() + b.client.width() - 1) << "the court at its design width";
    EXPECT_LE(frameRight, corner.x() + b.client.width() + 10) << "and no wider";

    // "Half Court" or "Whole Court" again leaves it as the user left it.
    app.press(b.button);
    XSession::pause(500);
    EXPECT_FALSE(x.title(app.mainWindow).endsWith(suffix)) << "still restored";

    // Dragging works on the restored board; maximizing gives the jerseys back where they were.
    const QPoint again = moved + offset + QPoint(100, 50);
    x.drag(moved + offset, again);
    EXPECT_GT(XSession::countNear(x.screenshot(), again, 14, isAllyRed), 40);
    x.moveTo(corner.x() + 200, corner.y() - offset.y() / 2);
    x.run(QStringLiteral("xdotool"),
        { QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
            QStringLiteral("1") }); // a double click on its title bar
    ASSERT_TRUE(titleEndsWith(suffix)) << "maximized again";
    XSession::pause(300);
    EXPECT_GT(XSession::countNear(x.screenshot(), again - offset, 14, isAllyRed), 40);
}

INSTANTIATE_TEST_SUITE_P(BothBoards, RestoredBoard,
    ::testing::Values(
        DesignBoard { 0, "Half Court", QSize(1058, 640), QPoint(10440 / 15, 8160 / 15), QPoint(840 / 15, 8160 / 15) },
        DesignBoard {
            1, "Whole Court", QSize(1168, 608), QPoint(10320 / 15, 7920 / 15), QPoint(1200 / 15, 7920 / 15) }),
    [](const auto &info) { return std::string(info.param.button == 0 ? "half_court" : "whole_court"); });

// Reads the Help box with OCR: its seven lines, two of them empty.
class HelpBox : public ::testing::TestWithParam<QSize> { };

TEST_P(HelpBox, ShowsItsSevenLinesAndFitsTheScreen)
{
    if (QStandardPaths::findExecutable(QStringLiteral("tesseract")).isEmpty())
        GTEST_SKIP() << "tesseract is not installed (scripts/bootstrap --test installs it)";
    XSession x(GetParam());
    ASSERT_TRUE(x.ok());
    Driver app { x };
    ASSERT_TRUE(app.startToMainWindow(10));
    app.press(3);
    const QString box = x.waitForWindow(QStringLiteral("Help"), 5000);
    ASSERT_FALSE(box.isEmpty());
    XSession::pause(300);
    const QRect frame = x.geometry(box);
    EXPECT_LE(frame.width(), GetParam().width());
    EXPECT_TRUE(QRect(QPoint(0, 0), GetParam()).contains(frame)) << "on the screen";

    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("help.png"));
    // Twice the size reads more reliably.
    // The geometry is the client window's; the crop takes in the frame's title bar too.
    const QRect area = frame.adjusted(-8, -48, 8, 8);
    x.screenshot().copy(area).scaled(area.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(image);
    const QString text = x.run(
        QStringLiteral("tesseract"), { image, QStringLiteral("-"), QStringLiteral("--psm"), QStringLiteral("6") });
    const QStringList expected = { QStringLiteral("HELP PANEL"), QStringLiteral("For Touch Windows PC:"),
        QStringLiteral("- Place your finger over the Player number and slide to anywhere you want."),
        QStringLiteral("For Desktop and Laptop"),
        QStringLiteral("- using mouse, click the Player number and Hold it and place it anywhere you want.") };
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    }
    // Each line of the text is one line in the box: none wraps onto a line of its own.
    for (const QString &want : expected) {
        const QString last = want.section(QLatin1Char(' '), -1);
        const auto found = std::find_if(lines.begin(), lines.end(),
            [&](const QString &l) { return l.contains(want.section(QLatin1Char(' '), 0, 1)) && l.endsWith(last); });
        EXPECT_NE(found, lines.end()) << "one line: " << want.toStdString() << "\nread:\n" << text.toStdString();
    }
    x.activate(box);
    x.key(QStringLiteral("Return"));
    EXPECT_TRUE(x.waitForNoWindow(QStringLiteral("Help")));
}

INSTANTIATE_TEST_SUITE_P(Screens, HelpBox, ::testing::Values(QSize(1600, 900), QSize(1024, 768)),
    [](const auto &info) { return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height()); });

} // namespace
