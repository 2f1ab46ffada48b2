#include "e2e/driver.h"
#include "e2e/shapes.h"
#include "e2e/xsession.h"
#include "play/library.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineF>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const QString kTitleSuffix = QStringLiteral(" - Hoopwright Playbook");

// The number discs of the jerseys as the screen shows them, large enough to be the court's
// and not the thumbnails' (the ball's orange is not this red).
bool isAllyDisc(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 70;
}

bool isOpponentDisc(QRgb c)
{
    return qRed(c) < 40 && qGreen(c) > 140 && qGreen(c) < 190 && qBlue(c) > 200;
}

// The centres of the discs in a rectangle of a screenshot, left to right.
QList<QPoint> discs(const QImage &shot, const QRect &area, bool (*test)(QRgb))
{
    QList<QPoint> centres;
    for (const QRect &disc : shapes::blobs(shot, area, test, 80))
        centres.append(disc.center());
    std::sort(centres.begin(), centres.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    return centres;
}

// How far a point lies from a line through points.
double distanceToLine(QPointF p, const QList<QPointF> &line)
{
    double nearest = 1e9;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], b = line[i];
        const QPointF ab = b - a;
        const double length2 = QPointF::dotProduct(ab, ab);
        const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
        const QPointF d = p - (a + t * ab);
        nearest = std::min(nearest, std::hypot(d.x(), d.y()));
    }
    return nearest;
}

bool near(QPoint a, QPoint b, int tolerance = 3)
{
    return (a - b).manhattanLength() <= tolerance;
}

bool anyNear(const QList<QPoint> &points, QPoint target, int tolerance = 3)
{
    return std::any_of(points.begin(), points.end(), [&](QPoint p) { return near(p, target, tolerance); });
}

// Types a line as a person would, into whatever has the keyboard.
void type(XSession &x, const QString &text)
{
    x.run(QStringLiteral("xdotool"), { QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text });
}

class PlaybookE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "no X session"; }

    QProcess *start(const QStringList &arguments = {})
    {
        QProcessEnvironment overrides;
        overrides.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        overrides.insert(QStringLiteral("HOME"), home.path());
        overrides.insert(QStringLiteral("HOOPWRIGHT_PLAYBOOK_AUTOSAVE_MS"), QStringLiteral("1000"));
        return x.start(QStringLiteral(HOOPWRIGHT_PLAYBOOK_EXECUTABLE), arguments, overrides);
    }

    // The window of a play, waited for by its title.
    QString window(const QString &name, int timeoutMs = 15000)
    {
        const QString id = x.waitForWindow(name + kTitleSuffix, timeoutMs);
        if (!id.isEmpty()) {
            x.activate(id);
            XSession::pause(600);
        }
        return id;
    }

    // The library's search (Ctrl+F) given a text; Enter takes the keyboard to the first play found.
    void findInLibrary(const QString &text)
    {
        x.key(QStringLiteral("ctrl+f"));
        type(x, text);
        x.key(QStringLiteral("Return"));
        XSession::pause(300);
    }

    QList<QPoint> allies(const QString &id) { return discs(x.screenshot(), x.geometry(id), isAllyDisc); }
    QList<QPoint> opponents(const QString &id) { return discs(x.screenshot(), x.geometry(id), isOpponentDisc); }

    XSession x;
    QTemporaryDir config;
    QTemporaryDir home;
    QTemporaryDir plays;
};

TEST_F(PlaybookE2E, DragsAStepUndoRedoSaveAndReopen)
{
    QProcess *first = start();
    QString id = window(QStringLiteral("Untitled"));
    ASSERT_FALSE(id.isEmpty()) << "the window never came";
    const QList<QPoint> startAllies = allies(id);
    const QList<QPoint> startOpponents = opponents(id);
    ASSERT_EQ(startAllies.size(), 5);
    ASSERT_EQ(startOpponents.size(), 5);

    // Two players dragged with the mouse.
    const QPoint allyTarget = startAllies[2] + QPoint(-260, -220);
    const QPoint opponentTarget = startOpponents[1] + QPoint(300, -180);
    x.drag(startAllies[2], allyTarget);
    x.drag(startOpponents[1], opponentTarget);
    XSession::pause(300);
    EXPECT_TRUE(anyNear(allies(id), allyTarget)) << "ally 3 where it was dropped";
    EXPECT_TRUE(anyNear(opponents(id), opponentTarget)) << "opponent 2 where it was dropped";
    EXPECT_FALSE(x.waitForWindow(QStringLiteral("Untitled*") + kTitleSuffix, 3000).isEmpty()) << "marked changed";

    // A new step starts where this one ends; undo takes back the last drag, redo brings it.
    x.key(QStringLiteral("Insert"));
    XSession::pause(300);
    EXPECT_TRUE(anyNear(opponents(id), opponentTarget)) << "the new step starts where the first ends";
    x.key(QStringLiteral("ctrl+z"));
    x.key(QStringLiteral("ctrl+z"));
    XSession::pause(300);
    EXPECT_TRUE(anyNear(opponents(id), startOpponents[1])) << "the drag undone";
    x.key(QStringLiteral("ctrl+shift+z"));
    x.key(QStringLiteral("ctrl+shift+z"));
    XSession::pause(300);
    EXPECT_TRUE(anyNear(opponents(id), opponentTarget)) << "the drag redone";

    // Saved through the Save dialog with a typed path.
    const QString path = plays.filePath(QStringLiteral("horns.hwplay"));
    x.key(QStringLiteral("ctrl+s"));
    const QString dialog = x.waitForWindow(QStringLiteral("Save Play"));
    ASSERT_FALSE(dialog.isEmpty()) << "no Save dialog";
    XSession::pause(500);
    x.key(QStringLiteral("ctrl+a"));
    x.run(QStringLiteral("xdotool"), { QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), path });
    x.key(QStringLiteral("Return"));
    ASSERT_FALSE(window(QStringLiteral("horns")).isEmpty()) << "the title names the file, unchanged";
    EXPECT_TRUE(QFile::exists(path));
    const QList<QPoint> savedAllies = allies(id);
    const QList<QPoint> savedOpponents = opponents(id);

    x.key(QStringLiteral("ctrl+q"));
    ASSERT_TRUE(XSession::waitForExit(first, 10000));
    EXPECT_EQ(first->exitCode(), 0);

    // Started again with the file: the same window, the pieces where they were.
    start({ path });
    id = window(QStringLiteral("horns"));
    ASSERT_FALSE(id.isEmpty());
    const QList<QPoint> reopenedAllies = allies(id);
    const QList<QPoint> reopenedOpponents = opponents(id);
    ASSERT_EQ(reopenedAllies.size(), 5);
    ASSERT_EQ(reopenedOpponents.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(near(reopenedAllies[i], savedAllies[i])) << "ally disc " << i;
        EXPECT_TRUE(near(reopenedOpponents[i], savedOpponents[i])) << "opponent disc " << i;
    }
}

TEST_F(PlaybookE2E, ACutDrawnWithTheMouseCarriesItsPlayerIntoTheNextStep)
{
    start();
    const QString id = window(QStringLiteral("Untitled"));
    ASSERT_FALSE(id.isEmpty()) << "the window never came";
    const QList<QPoint> startAllies = allies(id);
    ASSERT_EQ(startAllies.size(), 5);

    // The court takes the keys with a click on its open floor; C picks the Cut tool.
    const QPoint target = startAllies[2] + QPoint(-120, -240);
    x.click(startAllies[2].x(), startAllies[2].y() - 200);
    x.key(QStringLiteral("c"));
    x.drag(startAllies[2], target);
    XSession::pause(300);
    EXPECT_TRUE(anyNear(allies(id), startAllies[2])) << "drawing a cut leaves the player where the step starts";
    EXPECT_FALSE(x.waitForWindow(QStringLiteral("Untitled*") + kTitleSuffix, 3000).isEmpty()) << "marked changed";

    x.key(QStringLiteral("Insert"));
    XSession::pause(300);
    EXPECT_TRUE(anyNear(allies(id), target, 6)) << "the new step starts where the cut ends";
}

// A curved cut and a pass to where it ends, played at a quarter of the speed: screenshots
// taken while it plays find the cutter on the curve drawn (half way along it, well off the
// straight line between its ends), and the ball ends with the cutter.
TEST_F(PlaybookE2E, ACutAndAPassPlayAlongTheirLines)
{
    start();
    const QString id = window(QStringLiteral("Untitled"));
    ASSERT_FALSE(id.isEmpty()) << "the window never came";
    const QRect area = x.geometry(id);
    const QList<QPoint> startAllies = allies(id);
    ASSERT_EQ(startAllies.size(), 5);
    const std::vector<QRect> balls = shapes::blobs(x.screenshot(), area, isBallOrange, 40);
    ASSERT_FALSE(balls.empty()) << "no ball on the court";
    const auto nearestAlly = [](const QList<QPoint> &discs, QPoint to) {
        return int(std::min_element(discs.begin(), discs.end(), [&](QPoint a, QPoint b) {
            return (a - to).manhattanLength() < (b - to).manhattanLength();
        }) - discs.begin());
    };
    const int holder = nearestAlly(startAllies, balls.front().center());
    const int cutter = holder == 2 ? 1 : 2;

    // The cut bends to one side of the straight line from its start to its end.
    const QPointF from = startAllies[cutter], to = from + QPointF(-80, -280);
    const QPointF bend = (from + to) / 2 + QPointF(130, 0);
    QList<QPointF> curve;
    for (int i = 0; i <= 20; ++i) {
        const double t = i / 20.0;
        curve.append((1 - t) * (1 - t) * from + 2 * t * (1 - t) * bend + t * t * to);
    }
    x.click(startAllies[cutter].x(), startAllies[cutter].y() - 120);
    x.key(QStringLiteral("c"));
    x.moveTo(int(from.x()), int(from.y()));
    x.mouseDown();
    for (const QPointF &p : curve) {
        x.moveTo(qRound(p.x()), qRound(p.y()));
        XSession::pause(15);
    }
    x.mouseUp();
    x.key(QStringLiteral("p"));
    x.drag(startAllies[holder], to.toPoint());
    XSession::pause(300);

    x.key(QStringLiteral("bracketleft"));
    x.key(QStringLiteral("bracketleft"));
    x.key(QStringLiteral("ctrl+space"));
    const auto isCutter = [&](QPoint disc) {
        for (int i = 0; i < startAllies.size(); ++i) {
            if (i != cutter && near(disc, startAllies[i], 6))
                return false;
        }
        return true;
    };
    QList<QPoint> seen;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000) {
        for (const QPoint &disc : allies(id)) {
            if (isCutter(disc))
                seen.append(disc);
        }
        if (!seen.isEmpty() && near(seen.back(), to.toPoint(), 8))
            break;
    }
    ASSERT_FALSE(seen.isEmpty());
    bool halfWayOnTheCurve = false;
    const QLineF chord(from, to);
    for (const QPoint &p : seen) {
        EXPECT_LT(distanceToLine(p, curve), 10) << "the cutter off its line at " << p.x() << "," << p.y();
        const double along = QPointF::dotProduct(p - from, to - from) / (chord.length() * chord.length());
        if (along > 0.3 && along < 0.7 && distanceToLine(p, { from, to }) > 40)
            halfWayOnTheCurve = true;
    }
    EXPECT_TRUE(halfWayOnTheCurve) << seen.size() << " frames, none half way along the curve";

    // The pass follows the cut and ends with the cutter.
    XSession::pause(4000);
    const QList<QPoint> endAllies = allies(id);
    const std::vector<QRect> endBalls = shapes::blobs(x.screenshot(), area, isBallOrange, 40);
    ASSERT_FALSE(endBalls.empty());
    ASSERT_EQ(endAllies.size(), 5);
    const QPoint receiver = endAllies[nearestAlly(endAllies, endBalls.front().center())];
    EXPECT_TRUE(near(receiver, to.toPoint(), 8))
        << "the ball is with the disc at " << receiver.x() << "," << receiver.y();
}

TEST_F(PlaybookE2E, APresentationFillsTheScreenPageDownMovesOnAndEscapeComesBack)
{
    start();
    const QString id = window(QStringLiteral("Untitled"));
    ASSERT_FALSE(id.isEmpty()) << "the window never came";
    const QList<QPoint> startAllies = allies(id);
    ASSERT_EQ(startAllies.size(), 5);

    // A second step with ally 3 moved up the court, then back to the first step.
    x.key(QStringLiteral("Insert"));
    XSession::pause(300);
    const QPoint target = startAllies[2] + QPoint(-150, -250);
    x.drag(startAllies[2], target);
    XSession::pause(300);
    x.key(QStringLiteral("Home"));
    XSession::pause(300);

    x.key(QStringLiteral("F5"));
    const QString presentation = x.waitForWindow(QStringLiteral("Untitled (Presentation)") + kTitleSuffix);
    ASSERT_FALSE(presentation.isEmpty()) << "no presentation";
    const QRect screen = x.screenshot().rect();
    EXPECT_TRUE(waitFor([&] { return x.geometry(presentation) == screen; })) << "it fills the screen";
    XSession::pause(500);
    const QList<QPoint> firstStep = discs(x.screenshot(), screen, isAllyDisc);
    ASSERT_EQ(firstStep.size(), 5);

    // Page Down shows the second step: ally 3 up the court, the others where they were.
    x.key(QStringLiteral("Next"));
    XSession::pause(500);
    const QList<QPoint> secondStep = discs(x.screenshot(), screen, isAllyDisc);
    ASSERT_EQ(secondStep.size(), 5);
    int stayed = 0;
    for (QPoint disc : firstStep)
        stayed += anyNear(secondStep, disc);
    EXPECT_EQ(stayed, 4);
    EXPECT_TRUE(std::any_of(secondStep.begin(), secondStep.end(), [&](QPoint p) {
        return p.y() < firstStep[2].y() - 100 && !anyNear(firstStep, p);
    })) << "ally 3 higher up the court";

    // Escape comes back to the editor, on the second step, unchanged.
    x.key(QStringLiteral("Escape"));
    EXPECT_TRUE(x.waitForNoWindow(QStringLiteral("Untitled (Presentation)") + kTitleSuffix, 5000));
    XSession::pause(500);
    EXPECT_TRUE(anyNear(allies(id), target)) << "the editor shows the step the presentation ended on";
}

TEST_F(PlaybookE2E, UnsavedWorkComesBackAfterAKill)
{
    QProcess *first = start();
    const QString id = window(QStringLiteral("Untitled"));
    ASSERT_FALSE(id.isEmpty());
    const QPoint from = allies(id).value(0);
    const QPoint to = from + QPoint(150, -250);
    x.drag(from, to);
    XSession::pause(2500); // past an autosave
    ::kill(pid_t(first->processId()), SIGKILL);
    ASSERT_TRUE(XSession::waitForExit(first, 5000));

    start();
    const QString question = x.waitForWindow(QStringLiteral("Hoopwright Playbook"));
    ASSERT_FALSE(question.isEmpty()) << "no offer to restore";
    x.activate(question);
    XSession::pause(300);
    x.key(QStringLiteral("Return")); // Yes
    const QString restored = window(QStringLiteral("Untitled*"));
    ASSERT_FALSE(restored.isEmpty()) << "the restored play, unsaved";
    EXPECT_TRUE(anyNear(allies(restored), to));
}

TEST_F(PlaybookE2E, AFullDiskKeepsThePlayOpenAndChanged)
{
    QTemporaryDir mountPoint;
    if (geteuid() != 0
        || ::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "a small tmpfs needs root";
    {
        // Filled to the last byte: unbuffered writes until the file system refuses.
        QFile filler(mountPoint.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x');
        while (filler.write(block) > 0) { }
        while (filler.write("x", 1) > 0) { }
    }
    start();
    const QString id = window(QStringLiteral("Untitled"));
    ASSERT_FALSE(id.isEmpty());
    const QPoint from = allies(id).value(4);
    x.drag(from, from + QPoint(-200, -200));
    x.key(QStringLiteral("ctrl+s"));
    ASSERT_FALSE(x.waitForWindow(QStringLiteral("Save Play")).isEmpty());
    XSession::pause(500);
    x.key(QStringLiteral("ctrl+a"));
    const QString path = mountPoint.filePath(QStringLiteral("full.hwplay"));
    x.run(QStringLiteral("xdotool"), { QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), path });
    x.key(QStringLiteral("Return"));
    const QString message = x.waitForWindow(QStringLiteral("Hoopwright Playbook"));
    EXPECT_FALSE(message.isEmpty()) << "no message about the failed save";
    XSession::pause(300);
    x.key(QStringLiteral("Return"));
    EXPECT_FALSE(window(QStringLiteral("Untitled*")).isEmpty()) << "still open and unsaved";
    EXPECT_FALSE(QFile::exists(path)) << "no partial file";
    EXPECT_EQ(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "nothing left beside";
    ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
}

TEST_F(PlaybookE2E, TheLibraryFollowsTheFolderAndRenamesDuplicatesDeletesAndUndoes)
{
    const QString folder = QDir(home.path()).filePath(QStringLiteral("Documents/Hoopwright Plays"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(play::writePlayFile(play::newPlay(play::Court::Half), play::playPath(folder, QStringLiteral("Horns"))),
        QString());
    start();
    const QString first = window(QStringLiteral("Untitled"));
    ASSERT_FALSE(first.isEmpty()) << "the window never came";

    // A play another program saves into the folder is listed: found by the search, Enter
    // twice opens it in this window, which holds no work.
    ASSERT_EQ(play::writePlayFile(play::newPlay(play::Court::Whole), play::playPath(folder, QStringLiteral("Flex"))),
        QString());
    XSession::pause(1500);
    findInLibrary(QStringLiteral("flex"));
    x.key(QStringLiteral("Return"));
    EXPECT_FALSE(window(QStringLiteral("Flex")).isEmpty()) << "the play added from outside opened from the library";

    // Renamed in place: the file is renamed, and the window that has it open follows.
    findInLibrary(QStringLiteral("flex"));
    x.key(QStringLiteral("F2"));
    XSession::pause(300);
    x.key(QStringLiteral("ctrl+a"));
    type(x, QStringLiteral("Flex Twist"));
    x.key(QStringLiteral("Return"));
    EXPECT_FALSE(window(QStringLiteral("Flex Twist")).isEmpty()) << "the open play's title follows the rename";
    EXPECT_TRUE(QFile::exists(play::playPath(folder, QStringLiteral("Flex Twist"))));
    EXPECT_FALSE(QFile::exists(play::playPath(folder, QStringLiteral("Flex"))));

    // Duplicated: the copy is in the folder, and opens in a window of its own.
    const QString copy = play::playPath(folder, QStringLiteral("Flex Twist copy"));
    x.key(QStringLiteral("ctrl+d"));
    XSession::pause(500);
    EXPECT_TRUE(QFile::exists(copy));
    findInLibrary(QStringLiteral("copy"));
    x.key(QStringLiteral("Return"));
    const QString copyWindow = window(QStringLiteral("Flex Twist copy"));
    ASSERT_FALSE(copyWindow.isEmpty()) << "the copy opened from the library";
    x.key(QStringLiteral("ctrl+w"));
    ASSERT_TRUE(x.waitForNoWindow(QStringLiteral("Flex Twist copy") + kTitleSuffix));
    x.activate(first);
    XSession::pause(500);

    // Deleted: gone from the folder and from the list (the search finds nothing to open).
    findInLibrary(QStringLiteral("copy"));
    x.key(QStringLiteral("Delete"));
    XSession::pause(500);
    EXPECT_FALSE(QFile::exists(copy)) << "the copy deleted";
    findInLibrary(QStringLiteral("copy"));
    x.key(QStringLiteral("Return"));
    EXPECT_TRUE(x.waitForWindow(QStringLiteral("Flex Twist copy") + kTitleSuffix, 2000).isEmpty())
        << "the deleted play is still listed";

    // Undo brings it back into the folder and the list.
    x.key(QStringLiteral("ctrl+z"));
    XSession::pause(500);
    EXPECT_TRUE(QFile::exists(copy)) << "the delete undone";
    findInLibrary(QStringLiteral("copy"));
    x.key(QStringLiteral("Return"));
    EXPECT_FALSE(window(QStringLiteral("Flex Twist copy")).isEmpty()) << "the play back in the list";
}

TEST_F(PlaybookE2E, TheLibraryRefusesChangesInAReadOnlyFolderAndOutlivesAVanishedOne)
{
    // A drive of its own, read-only, then unplugged.
    QTemporaryDir mountPoint;
    const QByteArray point = QFile::encodeName(mountPoint.path());
    if (geteuid() != 0 || ::mount("tmpfs", point.constData(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "a drive of its own needs root";
    const QString folder = mountPoint.filePath(QStringLiteral("plays"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString &name : { QStringLiteral("Horns"), QStringLiteral("Flex") })
        ASSERT_EQ(play::writePlayFile(play::newPlay(play::Court::Half), play::playPath(folder, name)), QString());
    ASSERT_EQ(::mount("tmpfs", point.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m"), 0);
    ASSERT_TRUE(QDir().mkpath(config.filePath(QStringLiteral("Torvane"))));
    QFile settings(config.filePath(QStringLiteral("Torvane/hoopwright-playbook.conf")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[library]\nfolder=" + QFile::encodeName(folder) + "\n");
    settings.close();

    QProcess *program = start();
    ASSERT_FALSE(window(QStringLiteral("Untitled")).isEmpty()) << "the window never came";

    // Deleting and renaming are refused; the play stays in the folder and in the list.
    findInLibrary(QStringLiteral("horns"));
    x.key(QStringLiteral("Delete"));
    x.key(QStringLiteral("F2"));
    XSession::pause(300);
    x.key(QStringLiteral("ctrl+a"));
    type(x, QStringLiteral("Gone"));
    x.key(QStringLiteral("Return"));
    XSession::pause(500);
    EXPECT_TRUE(QFile::exists(play::playPath(folder, QStringLiteral("Horns"))));
    EXPECT_FALSE(QFile::exists(play::playPath(folder, QStringLiteral("Gone"))));
    findInLibrary(QStringLiteral("horns"));
    x.key(QStringLiteral("Return"));
    EXPECT_FALSE(window(QStringLiteral("Horns")).isEmpty()) << "the play still listed, and it opens";

    // Unplugged: the list empties and the program goes on.
    ASSERT_EQ(::umount2(point.constData(), MNT_DETACH), 0);
    XSession::pause(1500);
    findInLibrary(QStringLiteral("flex"));
    x.key(QStringLiteral("Return"));
    EXPECT_TRUE(x.waitForWindow(QStringLiteral("Flex") + kTitleSuffix, 2000).isEmpty()) << "a play of a folder gone";
    EXPECT_EQ(program->state(), QProcess::Running);
    EXPECT_FALSE(window(QStringLiteral("Horns")).isEmpty());
}

} // namespace
