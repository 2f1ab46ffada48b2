#include "widgets/controls.h"

#include "widgets/units.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(caption);
}

LabelButton::LabelButton(const QString &caption, const QFont &font, QWidget *parent)
    : ClickLabel(caption, parent)
{
    setFont(font);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    // Roles left unset follow the parent's, and the toolbar strip paints with others.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The default would treat the second press as a new press, and its release as a
    // second click.
    pressed_ = false;
    event->accept();
}

void place(QWidget *control, const layouts::ControlSpec &row)
{
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(units::toPixels(row.left, row.top, row.width, row.height));
}
