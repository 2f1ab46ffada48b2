// The cross-built hoopwright-playbook.exe under Wine (windows/wine.h): it opens the play file
// named on its command line and shows it, a jersey dragged with the mouse moves in the play,
// and Ctrl+S writes the file. The files are written and read with the play library.
#include "e2e/driver.h"
#include "play/play.h"
#include "play/playanimation.h"
#include "play/playfile.h"
#include "play/playpainter.h"
#include "support/gifdecoder.h"
#include "support/sampleplays.h"
#include "windows/wine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString kPlaybookExe = QStringLiteral(HOOPWRIGHT_PLAYBOOK_EXECUTABLE);

// The court view's background around the court.
bool isViewBackground(QRgb c)
{
    return qAbs(qRed(c) - 0x5a) <= 3 && qAbs(qGreen(c) - 0x5f) <= 3 && qAbs(qBlue(c) - 0x66) <= 3;
}

// The court view on the screen: the bounding box of its background within the window, which
// borders the court on two opposite sides at least.
QRect courtViewOnScreen(const QImage &shot, const QRect &window)
{
    QRect found;
    const QRect area = window.intersected(shot.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (isViewBackground(shot.pixel(x, y)))
                found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

class PlaybookWineE2E : public WineTest {
protected:
    void SetUp() override
    {
        WineTest::SetUp();
        if (HasFatalFailure())
            return;
        QDir(driveC(QStringLiteral("plays"))).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(driveC(QStringLiteral("plays"))));
    }

    void TearDown() override
    {
        WineTest::TearDown();
        QDir(driveC(QStringLiteral("plays"))).removeRecursively();
    }
};

// A play whose third ally stands alone in the middle of the court, away from the starting
// rows, opened from the command line (a path with a space, as Windows gives it); the jersey
// is dragged to the left and Ctrl+S saves the move into the same file.
TEST_F(PlaybookWineE2E, OpensThePlayGivenOnItsCommandLineAndSavesADragWithCtrlS)
{
    const int ally3 = 2;
    play::Play fixture = play::newPlay(play::Court::Half);
    const QPointF startingRow = fixture.steps[0].positions[ally3];
    const QSizeF court = play::courtSize(fixture.court);
    fixture.steps[0].positions[ally3] = QPointF(court.width() / 2, court.height() * 0.55);
    fixture.roster[ally3].name = QStringLiteral("Wing");
    const QString path = driveC(QStringLiteral("plays/Wine Play.hwplay"));
    ASSERT_EQ(play::writePlayFile(fixture, path).toStdString(), "");

    QProcess *program = startUnderWine(kPlaybookExe, { QStringLiteral("C:\\plays\\Wine Play.hwplay") });
    const QString window = x.waitForWindow(QStringLiteral("Wine Play - Hoopwright Playbook"), 90000);
    ASSERT_FALSE(window.isEmpty()) << "the title names the file; " << program->readAll().toStdString();
    XSession::pause(1500);
    const QImage opened = x.screenshot();
    saveShot(QStringLiteral("playbook-opened"));

    const QRect view = courtViewOnScreen(opened, x.geometry(window));
    ASSERT_GT(view.width(), 300) << "the court view on the screen";
    const QTransform toScreen = play::fitCourt(fixture.court, QRectF(view));
    const double scale = toScreen.m11();
    const int numberRadius = qMax(4, int(play::kJerseyWidth * scale / 6));
    const QPoint shown = toScreen.map(fixture.steps[0].positions[ally3]).toPoint();
    EXPECT_GT(XSession::countNear(opened, shown, numberRadius, isAllyRed), numberRadius)
        << "ally 3 where the file puts it, at " << shown.x() << "," << shown.y();
    EXPECT_EQ(XSession::countNear(opened, toScreen.map(startingRow).toPoint(), numberRadius, isAllyRed), 0)
        << "not in a new play's starting row";

    const QPoint target = toScreen.map(QPointF(court.width() * 0.25, court.height() * 0.4)).toPoint();
    x.drag(shown, target, 16);
    XSession::pause(500);
    const QImage dragged = x.screenshot();
    saveShot(QStringLiteral("playbook-dragged"));
    EXPECT_GT(XSession::countNear(dragged, target, numberRadius, isAllyRed), numberRadius) << "where it was let go";
    EXPECT_FALSE(x.waitForWindow(QStringLiteral("Wine Play* - Hoopwright Playbook"), 10000).isEmpty())
        << "the title marks the change";

    x.activate(window);
    x.key(QStringLiteral("ctrl+s"));
    ASSERT_FALSE(x.waitForWindow(QStringLiteral("Wine Play - Hoopwright Playbook"), 20000).isEmpty())
        << "saved: the title's mark goes";
    const play::ReadResult saved = play::readPlayFile(path);
    ASSERT_TRUE(saved.ok()) << saved.error.toStdString();
    // The jersey moved as far as the pointer, in the court's own units.
    const QPointF moved = fixture.steps[0].positions[ally3] + QPointF(target - shown) / scale;
    const QPointF written = saved.play.steps[0].positions[ally3];
    EXPECT_NEAR(written.x(), moved.x(), 2 / scale);
    EXPECT_NEAR(written.y(), moved.y(), 2 / scale);
    play::Play expected = fixture;
    expected.steps[0].positions[ally3] = written;
    EXPECT_TRUE(saved.play == expected) << "nothing else changed";
    EXPECT_EQ(program->state(), QProcess::Running);
}

// A play with a cut and a pass to the cutter opens and plays: at a quarter of the speed the
// cutter is seen between the cut's ends, and the play ends with the cutter at the cut's end
// holding the ball.
TEST_F(PlaybookWineE2E, APlayWithActionsOpensAndPlays)
{
    const int ally3 = 2;
    play::Play fixture = play::newPlay(play::Court::Half);
    const QSizeF court = play::courtSize(fixture.court);
    const QPointF from(court.width() * 0.6, court.height() * 0.6), to(court.width() * 0.3, court.height() * 0.3);
    fixture.steps[0].positions[ally3] = from;
    fixture.steps[0].actions = { play::Action { play::ActionKind::Cut, ally3, play::kNoPlayer, { from, to } },
        play::Action { play::ActionKind::Pass, 0, ally3 } };
    const QString path = driveC(QStringLiteral("plays/Actions.hwplay"));
    ASSERT_EQ(play::writePlayFile(fixture, path).toStdString(), "");

    QProcess *program = startUnderWine(kPlaybookExe, { QStringLiteral("C:\\plays\\Actions.hwplay") });
    const QString window = x.waitForWindow(QStringLiteral("Actions - Hoopwright Playbook"), 90000);
    ASSERT_FALSE(window.isEmpty()) << "the title names the file; " << program->readAll().toStdString();
    XSession::pause(1500);
    const QImage opened = x.screenshot();
    const QRect view = courtViewOnScreen(opened, x.geometry(window));
    ASSERT_GT(view.width(), 300) << "the court view on the screen";
    const QTransform toScreen = play::fitCourt(fixture.court, QRectF(view));
    const int radius = qMax(4, int(play::kJerseyWidth * toScreen.m11() / 6));
    const auto cutterAt = [&](const QImage &shot, QPointF twips) {
        return XSession::countNear(shot, toScreen.map(twips).toPoint(), radius, isAllyRed) > radius;
    };
    ASSERT_TRUE(cutterAt(opened, from)) << "the cutter where the step starts";

    // The court takes the keys once clicked on its open floor, away from the pieces.
    const QPoint floor = toScreen.map(QPointF(court.width() * 0.85, court.height() * 0.15)).toPoint();
    x.click(floor.x(), floor.y());
    x.key(QStringLiteral("bracketleft"));
    x.key(QStringLiteral("bracketleft"));
    x.key(QStringLiteral("ctrl+space"));
    bool between = false;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        const QImage shot = x.screenshot();
        if (cutterAt(shot, to))
            break;
        for (const double t : { 0.25, 0.5, 0.75 })
            between = between || cutterAt(shot, from + t * (to - from));
    }
    EXPECT_TRUE(between) << "the cutter seen on the way";
    XSession::pause(3000);
    const QImage ended = x.screenshot();
    saveShot(QStringLiteral("playbook-played"));
    EXPECT_TRUE(cutterAt(ended, to)) << "the cutter at the cut's end";
    EXPECT_GT(
        XSession::countNear(ended, toScreen.map(play::heldBallPosition(to)).toPoint(), radius, isBallOrange), radius)
        << "the ball with the cutter";
    EXPECT_EQ(program->state(), QProcess::Running);
}

// --export-gif runs without a window and writes the playback as the Linux program does: the
// GIF decodes with the frames, their delays and the size that the play library plans for the
// play (the pixels differ a little: Windows draws the jerseys' numbers with its own font engine).
TEST_F(PlaybookWineE2E, ExportsAGifFromTheCommandLine)
{
    const play::Play moving = movingPlay(3);
    ASSERT_EQ(play::writePlayFile(moving, driveC(QStringLiteral("plays/Moving.hwplay"))).toStdString(), "");

    QProcess *program = startUnderWine(kPlaybookExe,
        { QStringLiteral("--export-gif"), QStringLiteral("C:\\plays\\Moving.gif"),
            QStringLiteral("C:\\plays\\Moving.hwplay"), QStringLiteral("--width"), QStringLiteral("480") });
    ASSERT_TRUE(program->waitForFinished(120000)) << "still running";
    EXPECT_EQ(program->exitCode(), 0) << program->readAll().toStdString();

    const DecodedGif gif(driveC(QStringLiteral("plays/Moving.gif")));
    ASSERT_EQ(gif.error().toStdString(), "");
    EXPECT_EQ(gif.size(), play::animationSize(moving.court, 480));
    const QList<play::GifFrame> frames = play::gifFrames(moving, 1);
    ASSERT_EQ(gif.frameCount(), frames.size());
    for (int i = 0; i < frames.size(); ++i)
        EXPECT_EQ(gif.delays().at(i), frames[i].delay) << "frame " << i;
    EXPECT_TRUE(gif.loopsForever());
    EXPECT_EQ(QDir(driveC(QStringLiteral("plays"))).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "the play and its GIF, nothing beside";
}

} // namespace
