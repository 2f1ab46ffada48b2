#include "e2e/driver.h"
#include "e2e/westonsession.h"
#include "e2e/xsession.h"

#include <QRect>
#include <gtest/gtest.h>

namespace {

const QSize kScreen(1600, 900);
const QSize kLoadingScreen(379, 244);

bool showsSomething(const QImage &shot)
{
    return !shot.isNull()
        && WestonSession::count(shot, shot.rect(), WestonSession::isDesktop) < shot.width() * shot.height();
}

bool showsNoDesktop(const QImage &shot)
{
    return !shot.isNull() && WestonSession::count(shot, shot.rect(), WestonSession::isDesktop) == 0;
}

bool notDesktop(QRgb c)
{
    return !WestonSession::isDesktop(c);
}

// The loading screen's pixels, its window's top-left corner at origin: the triangle is drawn,
// and everywhere else in the window (left of the diagonal, past the right side, below the
// lowest corner, the focus button) the desktop shows.
void expectOnlyTheTriangle(const QImage &shot, QPoint origin)
{
    const QRect window(origin, kLoadingScreen);
    EXPECT_EQ(WestonSession::count(shot, QRect(origin + QPoint(150, 10), QSize(100, 30)), notDesktop), 3000)
        << "the triangle is drawn";
    for (const QRect &outside :
        { QRect(0, 210, 379, 34), QRect(0, 60, 40, 40), QRect(365, 190, 14, 20), QRect(0, 88, 17, 13) }) {
        const QRect area = outside.translated(origin);
        EXPECT_EQ(WestonSession::count(shot, area, WestonSession::isDesktop), area.width() * area.height())
            << "outside the triangle at " << outside.x() << "," << outside.y();
    }
    EXPECT_TRUE(shot.rect().contains(window));
}

// The bounding rectangle of everything that is not desktop.
QRect drawnArea(const QImage &shot)
{
    QRect drawn;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (!WestonSession::isDesktop(shot.pixel(x, y)))
                drawn |= QRect(x, y, 1, 1);
    return drawn;
}

// A Wayland session that also offers X: the program runs on X through XWayland, where it
// centres its loading screen; Weston ignores the window's X shape, and the translucent
// window shows the desktop outside the triangle all the same.
TEST(WaylandE2E, WithXWaylandTheLoadingScreenIsCentredOnXAndShowsOnlyItsTriangle)
{
    WestonSession session(WestonSession::X::WithXWayland, kScreen);
    ASSERT_TRUE(session.ok()) << "no Weston session";
    QProcess *program = session.startProgram();
    const QImage shot = session.waitForScreen(showsSomething, 20000);
    ASSERT_TRUE(showsSomething(shot));
    WestonSession::pause(500);
    const QImage settled = session.screenshot();
    // Centred: only an X window can place itself.
    const QPoint centred(
        (kScreen.width() - kLoadingScreen.width()) / 2, (kScreen.height() - kLoadingScreen.height()) / 2);
    expectOnlyTheTriangle(settled, centred);
    EXPECT_EQ(program->state(), QProcess::Running);
    program->kill();
    program->waitForFinished(3000);
    EXPECT_FALSE(program->readAll().contains("opacity"));
}

// A Wayland session without X: Qt's Wayland plugin, windows placed by the compositor, no
// fades and no message about them; the loading screen shows only its triangle and the main
// window comes up maximized.
TEST(WaylandE2E, WithoutXTheLoadingScreenShowsOnlyItsTriangleAndTheMainWindowComesUpMaximized)
{
    WestonSession session(WestonSession::X::Without, kScreen);
    ASSERT_TRUE(session.ok()) << "no Weston session";
    writeRecord(session.dataHome(), 1);
    QProcess *program = session.startProgram();
    ASSERT_TRUE(showsSomething(session.waitForScreen(showsSomething, 20000)));
    WestonSession::pause(500);
    const QImage loading = session.screenshot();
    // Nothing but the triangle is drawn: its top edge is the window's width, its lowest
    // corner 200 pixels down, well above the window's bottom.
    const QRect drawn = drawnArea(loading);
    EXPECT_EQ(drawn.width(), kLoadingScreen.width());
    EXPECT_LE(drawn.height(), 202);
    expectOnlyTheTriangle(loading, drawn.topLeft());

    const QImage main = session.waitForScreen(showsNoDesktop, 20000);
    EXPECT_TRUE(showsNoDesktop(main)) << "the main window covers the screen";
    EXPECT_EQ(program->state(), QProcess::Running);
    program->kill();
    program->waitForFinished(3000);
    const QByteArray output = program->readAll();
    EXPECT_FALSE(output.contains("opacity")) << output.toStdString();
}

// A Wayland session whose DISPLAY names no X server (left over from an X session): the
// program asks for X first and runs on Wayland.
TEST(WaylandE2E, AStaleDisplayBesideWaylandFallsBackToWayland)
{
    WestonSession session(WestonSession::X::Without, kScreen);
    ASSERT_TRUE(session.ok()) << "no Weston session";
    QProcessEnvironment stale;
    stale.insert(QStringLiteral("DISPLAY"), absentDisplay());
    QProcess *program = session.startProgram({}, stale);
    EXPECT_TRUE(showsSomething(session.waitForScreen(showsSomething, 20000)));
    EXPECT_EQ(program->state(), QProcess::Running);
    program->kill();
    program->waitForFinished(3000);
}

} // namespace
