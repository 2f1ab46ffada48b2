#include "boards/halfcourtboard.h"
#include "boards/marker.h"
#include "boards/wholecourtboard.h"
#include "mainwindow/mainwindow.h"
#include "support/programfixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QTest>

namespace {

// Drags through the real event path: mouse events in the marker's own pixels, from a
// pointer that moves over the board as a user's would.
class Drag : public ProgramTest {
protected:
    Drag()
    {
        event([this] {
            program->mainWindow.show();
            program->mainWindow.existing()->showHalfCourt();
        });
        board = program->halfCourtBoard.existing();
        board->window()->resize(1600, 900);
    }

    Marker *marker(const char *name) { return board->marker(name); }

    void send(Marker *m, QEvent::Type type, QPointF pointer, Qt::MouseButton button, Qt::MouseButtons held,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF local = pointer - QPointF(m->pos());
        QMouseEvent event(type, local, m->mapToGlobal(local), button, held, modifiers);
        QApplication::sendEvent(m, &event);
    }

    void press(Marker *m, QPointF pointer, Qt::MouseButton button = Qt::LeftButton,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        held |= button;
        send(m, QEvent::MouseButtonPress, pointer, button, held, modifiers);
    }
    void moveTo(Marker *m, QPointF pointer, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        send(m, QEvent::MouseMove, pointer, Qt::NoButton, held, modifiers);
    }
    void release(Marker *m, QPointF pointer, Qt::MouseButton button = Qt::LeftButton)
    {
        held &= ~Qt::MouseButtons(button);
        send(m, QEvent::MouseButtonRelease, pointer, button, held);
    }

    Board *board = nullptr;
    Qt::MouseButtons held;
};

TEST_F(Drag, TheGrabPointStaysUnderThePointerAndTheMarkerNeverJumps)
{
    Marker *m = marker("ally3");
    const QPoint start = m->pos();
    const QPointF grab(17, 40);
    press(m, start + grab);
    EXPECT_EQ(m->pos(), start) << "no jump on press";
    const QPointF path[] = { { -3, 5 }, { 120, -300 }, { -640, -200 }, { 900, 700 }, { -2000, -2000 } };
    QPointF pointer = start + grab;
    for (QPointF step : path) {
        pointer += step;
        moveTo(m, pointer);
        EXPECT_EQ(QPointF(m->pos()) + grab, pointer) << "pointer outside the marker included";
        EXPECT_EQ(m->left(), float((pointer.x() - grab.x()) * 15));
    }
    release(m, pointer);
    EXPECT_EQ(QPointF(m->pos()) + grab, pointer) << "released past the edge, it stays there";
    EXPECT_EQ(m->size(), QSize(49, 64));
}

struct DragWith {
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
};

class DragButtons : public Drag, public ::testing::WithParamInterface<DragWith> { };

TEST_P(DragButtons, AnyButtonAndAnyModifierDragsAlike)
{
    Marker *m = marker("enemy4");
    const QPointF from = QPointF(m->pos()) + QPointF(10, 10);
    press(m, from, GetParam().button, GetParam().modifiers);
    moveTo(m, from + QPointF(100, -50), GetParam().modifiers);
    EXPECT_EQ(m->left(), 3360.0f + 1500);
    EXPECT_EQ(m->top(), 8160.0f - 750);
}

INSTANTIATE_TEST_SUITE_P(Buttons, DragButtons,
    ::testing::Values(DragWith { Qt::LeftButton, Qt::NoModifier }, DragWith { Qt::RightButton, Qt::NoModifier },
        DragWith { Qt::MiddleButton, Qt::NoModifier }, DragWith { Qt::LeftButton, Qt::ShiftModifier },
        DragWith { Qt::LeftButton, Qt::ControlModifier }, DragWith { Qt::LeftButton, Qt::AltModifier }),
    [](const auto &info) {
        const char *button = info.param.button == Qt::LeftButton ? "left"
            : info.param.button == Qt::RightButton               ? "right"
                                                                 : "middle";
        const Qt::KeyboardModifiers held = info.param.modifiers;
        const char *modifier = held & Qt::ShiftModifier ? "_shift"
            : held & Qt::ControlModifier                ? "_ctrl"
            : held & Qt::AltModifier                    ? "_alt"
                                                        : "";
        return std::string(button) + modifier;
    });

TEST_F(Drag, ASecondButtonMidDragTakesANewAnchorWithoutAJump)
{
    Marker *m = marker("enemy1");
    QPointF pointer = QPointF(m->pos()) + QPointF(5, 5);
    press(m, pointer);
    pointer += QPointF(40, 0);
    moveTo(m, pointer);
    const QPoint before = m->pos();
    press(m, pointer, Qt::RightButton);
    EXPECT_EQ(m->pos(), before);
    EXPECT_EQ(program->halfCourtBoard.variables.grabX, 75.0f);
    pointer += QPointF(0, 30);
    moveTo(m, pointer);
    EXPECT_EQ(QPointF(m->pos()) + QPointF(5, 5), pointer);
}

TEST_F(Drag, AMoveWithNoButtonHeldMovesNothing)
{
    Marker *m = marker("ally1");
    const float left = m->left();
    event([&] { m->press(1, 10, 10); });
    event([&] { m->drag(0, 500, 500); });
    EXPECT_EQ(m->left(), left);
}

TEST_F(Drag, ManySmallMovesLandExactlyWhereTheirFloatSumSays)
{
    Marker *m = marker("ally2");
    event([&] { m->press(1, 0, 0); });
    float left = m->left();
    float top = m->top();
    for (int i = 0; i < 10000; ++i) {
        const float dx = (i % 2) ? 0.7f : 0.3f;
        const float dy = -0.1f;
        event([&] { m->drag(1, dx, dy); });
        left = left + dx - 0.0f;
        top = top + dy - 0.0f;
    }
    EXPECT_EQ(m->left(), left);
    EXPECT_EQ(m->top(), top);
    EXPECT_EQ(m->pos(), QPoint(qRound(left / 15), qRound(top / 15))) << "shown at the nearest pixel";
}

TEST_F(Drag, TheLastPressedMarkerIsOnTop)
{
    Marker *a = marker("ally1");
    Marker *b = marker("ally2");
    event([&] { b->moveTo(a->left() + 150, a->top() + 150); }); // overlap by most of a marker
    const QPoint overlap = a->pos() + QPoint(20, 20);

    press(b, overlap);
    release(b, overlap);
    EXPECT_EQ(board->childAt(overlap), b);
    press(a, QPointF(a->pos()) + QPointF(2, 2));
    release(a, QPointF(a->pos()) + QPointF(2, 2));
    EXPECT_EQ(board->childAt(overlap), a) << "pressing the lower one raises it without a move";
    EXPECT_EQ(a->left(), 10440.0f);
}

TEST_F(Drag, EachBoardHasItsOwnAnchorSharedByItsMarkers)
{
    event([&] { marker("ally1")->press(1, 75, 90); });
    EXPECT_EQ(program->halfCourtBoard.variables.grabX, 75.0f);
    EXPECT_EQ(program->halfCourtBoard.variables.grabY, 90.0f);
    event([&] { program->mainWindow.existing()->showWholeCourt(); });
    Board *whole = program->wholeCourtBoard.existing();
    event([&] { whole->marker("enemy5")->press(2, 30, 45); });
    EXPECT_EQ(program->wholeCourtBoard.variables.grabX, 30.0f);
    EXPECT_EQ(program->halfCourtBoard.variables.grabX, 75.0f);
    event([&] { marker("enemy2")->press(1, 1, 2); });
    EXPECT_EQ(program->halfCourtBoard.variables.grabY, 2.0f) << "one pair for the board's ten markers";
}

// A finger on a touch screen: Qt turns the touch the marker does not take into the mouse
// events that drag it, at the design's scale and on a board drawn smaller.
struct TouchCase {
    bool half;
    QSize window; // the main window's size
};

class TouchDrag : public ProgramTest, public ::testing::WithParamInterface<TouchCase> { };

TEST_P(TouchDrag, OneFingerDragsAJerseyAndItKeepsItsSpotOfTheCourtAtEveryScale)
{
    const TouchCase c = GetParam();
    event([&] {
        program->mainWindow.show();
        c.half ? program->mainWindow.existing()->showHalfCourt() : program->mainWindow.existing()->showWholeCourt();
    });
    flush();
    QWidget *window = program->mainWindow.existing();
    window->resize(c.window);
    flush();
    Board *board
        = c.half ? static_cast<Board *>(program->halfCourtBoard.existing()) : program->wholeCourtBoard.existing();
    const double factor = board->scale().factor();
    EXPECT_EQ(factor < 1.0, c.window.height() < 900) << "scale " << factor;

    Marker *m = board->marker("ally2");
    const float left = m->left();
    const float top = m->top();
    const QPoint grab(m->width() / 2, m->height() / 3);
    const QPoint start = m->mapTo(window, grab);
    const QPoint end = start + QPoint(-90, -60);
    static QPointingDevice *finger = QTest::createTouchDevice();
    QTest::touchEvent(window, finger).press(0, start, window);
    QTest::touchEvent(window, finger).move(0, start + QPoint(-30, -20), window);
    QTest::touchEvent(window, finger).move(0, end, window);
    QTest::touchEvent(window, finger).release(0, end, window);

    EXPECT_NEAR(m->left(), left - 90 * 15 / factor, 0.01);
    EXPECT_NEAR(m->top(), top - 60 * 15 / factor, 0.01);
    EXPECT_EQ(m->mapTo(window, grab), end) << "the grab point under the finger";

    // With room again, the jersey stands where it was left on the court, at full size.
    const float movedLeft = m->left();
    const float movedTop = m->top();
    window->resize(1600, 900);
    flush();
    EXPECT_EQ(board->scale().factor(), 1.0);
    EXPECT_EQ(m->left(), movedLeft);
    EXPECT_EQ(m->top(), movedTop);
    EXPECT_EQ(m->geometry(), QRect(qRound(movedLeft / 15), qRound(movedTop / 15), 49, 64));
}

INSTANTIATE_TEST_SUITE_P(BothBoardsTwoScales, TouchDrag,
    ::testing::Values(TouchCase { true, QSize(1600, 900) }, TouchCase { false, QSize(1600, 900) },
        TouchCase { true, QSize(800, 500) }, TouchCase { false, QSize(800, 500) }),
    [](const auto &info) {
        return std::string(info.param.half ? "half_court" : "whole_court")
            + (info.param.window.height() < 900 ? "_smaller" : "_design");
    });

} // namespace
