#include "boards/marker.h"

#include "resources/resources.h"
#include "shell/program.h"
#include "shell/windowvariables.h"

#include <QMouseEvent>
#include <QPainter>

Marker::Marker(Program &program, BoardVariables &board, const QString &name, const char *picture, int width, int height,
    QWidget *parent)
    : QWidget(parent)
    , program_(program)
    , board_(board)
    , pictureName_(picture)
    , width_(width)
    , height_(height)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent); // the jersey's white ground covers the whole rectangle
    // "ally3" reads "Ally 3", "enemy3" "Enemy 3".
    setAccessibleName(name.at(0).toUpper() + name.mid(1, name.size() - 2) + QLatin1Char(' ') + name.right(1));
    resize(scale_.toPixels(width_), scale_.toPixels(height_));
    picture_ = resources::stretchedPicture(pictureName_, size());
}

void Marker::setScale(units::Scale scale)
{
    if (scale == scale_)
        return;
    scale_ = scale;
    resize(scale_.toPixels(width_), scale_.toPixels(height_));
    picture_ = QPixmap(); // stretched again at the next paint
    moveTo(left_, top_);
}

void Marker::moveTo(float left, float top)
{
    left_ = left;
    top_ = top;
    move(scale_.toPixels(left_), scale_.toPixels(top_));
}

void Marker::press(Buttons, float x, float y)
{
    raise();
    board_.grabX = x;
    board_.grabY = y;
}

void Marker::drag(Buttons buttons, float x, float y)
{
    if (buttons == 0)
        return;
    // x and y are measured from this marker's corner, so the marker shifts by exactly the
    // distance the pointer has left the grab point, and that point comes back under it.
    const float newTop = top_ + y - board_.grabY;
    const float newLeft = left_ + x - board_.grabX;
    moveTo(newLeft, newTop);
}

void Marker::paintEvent(QPaintEvent *)
{
    if (picture_.isNull())
        picture_ = resources::stretchedPicture(pictureName_, size());
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

// Qt keeps sending a pressed control its moves and its release while the pointer is
// outside it, and a one-finger touch drag arrives as these same mouse events.
void Marker::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    program_.handle([&] { press(int(event->button()), scale_.toTwips(at.x()), scale_.toTwips(at.y())); });
}

void Marker::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    program_.handle([&] { drag(int(event->buttons()), scale_.toTwips(at.x()), scale_.toTwips(at.y())); });
}

void Marker::mouseReleaseEvent(QMouseEvent *event)
{
    // The marker stays where the last move put it.
    event->accept();
}
