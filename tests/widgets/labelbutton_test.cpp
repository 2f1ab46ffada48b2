#include "widgets/controls.h"
#include "widgets/units.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class LabelButtonClicks : public ::testing::Test {
protected:
    LabelButtonClicks()
        : button(QStringLiteral("Help"), units::font("Tahoma", 21.75))
    {
        button.setGeometry(0, 0, 185, 49);
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton which = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(which);
        QMouseEvent event(type, at, button.mapToGlobal(at), which, held, Qt::NoModifier);
        QApplication::sendEvent(&button, &event);
    }

    LabelButton button;
};

TEST_F(LabelButtonClicks, PressAndReleaseOnItIsOneClick)
{
    QSignalSpy clicks(&button, &LabelButton::clicked);
    send(QEvent::MouseButtonPress, { 20, 20 });
    EXPECT_EQ(clicks.count(), 0) << "the press alone is no click";
    send(QEvent::MouseButtonRelease, { 22, 21 });
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(LabelButtonClicks, DoubleClickRunsTheCommandOnce)
{
    QSignalSpy clicks(&button, &LabelButton::clicked);
    send(QEvent::MouseButtonPress, { 20, 20 });
    send(QEvent::MouseButtonRelease, { 20, 20 });
    send(QEvent::MouseButtonDblClick, { 20, 20 });
    send(QEvent::MouseButtonRelease, { 20, 20 });
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(LabelButtonClicks, ReleaseElsewhereOrAnotherButtonIsNoClick)
{
    QSignalSpy clicks(&button, &LabelButton::clicked);
    send(QEvent::MouseButtonPress, { 20, 20 });
    send(QEvent::MouseButtonRelease, { 300, 20 });
    send(QEvent::MouseButtonPress, { 20, 20 }, Qt::RightButton);
    send(QEvent::MouseButtonRelease, { 20, 20 }, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(LabelButtonClicks, NeverTakesTheFocus)
{
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
}

} // namespace
