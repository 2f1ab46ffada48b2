#include "boards/marker.h"

#include "app/program.h"
#include "app/units.h"
#include "app/windowvariables.h"

#include <QMouseEvent>
#include <QPainter>

Marker::Marker(Program &program, BoardVariables &board, const QString &name, const QPixmap &picture, QWidget *parent)
    : QWidget(parent)
    , program_(program)
    , board_(board)
    , picture_(picture)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent); // the jersey's white ground covers the whole rectangle
    // "Allies3" reads "Ally 3", "Enemy3" "Enemy 3".
    setAccessibleName((name.startsWith(QLatin1String("Allies")) ? QStringLiteral("Ally ") : QStringLiteral("Enemy "))
        + name.right(1));
}

void Marker::Move(float left, float top)
{
    left_ = left;
    top_ = top;
    move(units::toPixels(left_), units::toPixels(top_));
}

void Marker::MouseDown(Buttons, int, float X, float Y)
{
    ZOrder();
    board_.sngGrabX = X;
    board_.sngGrabY = Y;
}

void Marker::MouseMove(Buttons Button, int, float X, float Y)
{
    if (Button == 0)
        return;
    // X and Y are measured from this marker's corner, so the marker shifts by exactly the
    // distance the pointer has left the grab point, and that point comes back under it.
    const float newTop = Top() + Y - board_.sngGrabY;
    const float newLeft = Left() + X - board_.sngGrabX;
    Move(newLeft, newTop);
}

void Marker::MouseUp(Buttons, int, float, float)
{
}

void Marker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

// Qt keeps sending a pressed control its moves and its release while the pointer is
// outside it, and a one-finger touch drag arrives as these same mouse events.
void Marker::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    program_.handle([&] {
        MouseDown(int(event->button()), int(event->modifiers()), units::toTwips(at.x()), units::toTwips(at.y()));
    });
}

void Marker::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    program_.handle([&] {
        MouseMove(int(event->buttons()), int(event->modifiers()), units::toTwips(at.x()), units::toTwips(at.y()));
    });
}

void Marker::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    program_.handle([&] {
        MouseUp(int(event->button()), int(event->modifiers()), units::toTwips(at.x()), units::toTwips(at.y()));
    });
}
