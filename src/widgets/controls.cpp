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

namespace {

// Labels, label-buttons and images have no window of their own: they are drawn on their
// window's surface.
const char *const kOnSurface = "hoopwright_onSurface";

bool drawnOnSurface(layouts::Kind kind)
{
    return kind == layouts::Kind::Label || kind == layouts::Kind::LabelButton || kind == layouts::Kind::Image;
}

} // namespace

void place(QWidget *control, const layouts::ControlSpec &row, units::Scale scale)
{
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(scale.toPixels(row.left, row.top, row.width, row.height));
    if (!drawnOnSurface(row.kind))
        return;
    // What is drawn on the surface lies beneath every control with a window of its own, so
    // a click on such a control always reaches it, whatever the order of the layout; among
    // themselves the surface controls keep the order in which they are placed.
    control->setProperty(kOnSurface, true);
    const QWidget *parent = control->parentWidget();
    if (!parent)
        return;
    for (QObject *sibling : parent->children()) { // bottom to top
        auto *widget = qobject_cast<QWidget *>(sibling);
        if (widget && widget != control && !widget->isWindow() && !widget->property(kOnSurface).toBool()) {
            control->stackUnder(widget);
            return;
        }
    }
}
