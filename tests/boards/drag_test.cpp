#include "app/form1.h"
#include "boards/frmhalf.h"
#include "boards/frmwhole.h"
#include "boards/marker.h"
#include "support/programfixture.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// Drags through the real event path: mouse events in the marker's own pixels, from a
// pointer that moves over the board as a user's would.
class Drag : public ProgramTest {
protected:
    Drag()
    {
        event([this] {
            program->Form1.Show();
            program->Form1->Label1_Click();
        });
        board = program->FrmHalf.existing();
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
    Marker *m = marker("Allies3");
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
        EXPECT_EQ(m->Left(), float((pointer.x() - grab.x()) * 15));
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
    Marker *m = marker("Enemy4");
    const QPointF from = QPointF(m->pos()) + QPointF(10, 10);
    press(m, from, GetParam().button, GetParam().modifiers);
    moveTo(m, from + QPointF(100, -50), GetParam().modifiers);
    EXPECT_EQ(m->Left(), 3360.0f + 1500);
    EXPECT_EQ(m->Top(), 8160.0f - 750);
}

INSTANTIATE_TEST_SUITE_P(Buttons, DragButtons,
    ::testing::Values(DragWith { Qt::LeftButton, Qt::NoModifier }, DragWith { Qt::RightButton, Qt::NoModifier },
        DragWith { Qt::MiddleButton, Qt::NoModifier }, DragWith { Qt::LeftButton, Qt::ShiftModifier },
        DragWith { Qt::LeftButton, Qt::ControlModifier }, DragWith { Qt::LeftButton, Qt::AltModifier }));

TEST_F(Drag, ASecondButtonMidDragTakesANewAnchorWithoutAJump)
{
    Marker *m = marker("Enemy1");
    QPointF pointer = QPointF(m->pos()) + QPointF(5, 5);
    press(m, pointer);
    pointer += QPointF(40, 0);
    moveTo(m, pointer);
    const QPoint before = m->pos();
    press(m, pointer, Qt::RightButton);
    EXPECT_EQ(m->pos(), before);
    EXPECT_EQ(program->FrmHalf.vars.sngGrabX, 75.0f);
    pointer += QPointF(0, 30);
    moveTo(m, pointer);
    EXPECT_EQ(QPointF(m->pos()) + QPointF(5, 5), pointer);
}

TEST_F(Drag, AMoveWithNoButtonHeldMovesNothing)
{
    Marker *m = marker("Allies1");
    const float left = m->Left();
    event([&] { m->MouseDown(1, 0, 10, 10); });
    event([&] { m->MouseMove(0, 0, 500, 500); });
    EXPECT_EQ(m->Left(), left);
}

TEST_F(Drag, ManySmallMovesLandExactlyWhereTheirFloatSumSays)
{
    Marker *m = marker("Allies2");
    event([&] { m->MouseDown(1, 0, 0, 0); });
    float left = m->Left();
    float top = m->Top();
    for (int i = 0; i < 10000; ++i) {
        const float dx = (i % 2) ? 0.7f : 0.3f;
        const float dy = -0.1f;
        event([&] { m->MouseMove(1, 0, dx, dy); });
        left = left + dx - 0.0f;
        top = top + dy - 0.0f;
    }
    EXPECT_EQ(m->Left(), left);
    EXPECT_EQ(m->Top(), top);
    EXPECT_EQ(m->pos(), QPoint(qRound(left / 15), qRound(top / 15))) << "shown at the nearest pixel";
}

TEST_F(Drag, TheLastPressedMarkerIsOnTop)
{
    Marker *a = marker("Allies1");
    Marker *b = marker("Allies2");
    event([&] { b->Move(a->Left() + 150, a->Top() + 150); }); // overlap by most of a marker
    const QPoint overlap = a->pos() + QPoint(20, 20);

    press(b, overlap);
    release(b, overlap);
    EXPECT_EQ(board->childAt(overlap), b);
    press(a, QPointF(a->pos()) + QPointF(2, 2));
    release(a, QPointF(a->pos()) + QPointF(2, 2));
    EXPECT_EQ(board->childAt(overlap), a) << "pressing the lower one raises it without a move";
    EXPECT_EQ(a->Left(), 10440.0f);
}

TEST_F(Drag, EachBoardHasItsOwnAnchorSharedByItsMarkers)
{
    event([&] { marker("Allies1")->MouseDown(1, 0, 75, 90); });
    EXPECT_EQ(program->FrmHalf.vars.sngGrabX, 75.0f);
    EXPECT_EQ(program->FrmHalf.vars.sngGrabY, 90.0f);
    event([&] { program->Form1->Label2_Click(); });
    Board *whole = program->frmWhole.existing();
    event([&] { whole->marker("Enemy5")->MouseDown(2, 0, 30, 45); });
    EXPECT_EQ(program->frmWhole.vars.sngGrabX, 30.0f);
    EXPECT_EQ(program->FrmHalf.vars.sngGrabX, 75.0f);
    event([&] { marker("Enemy2")->MouseDown(1, 0, 1, 2); });
    EXPECT_EQ(program->FrmHalf.vars.sngGrabY, 2.0f) << "one pair for the board's ten markers";
}

} // namespace
