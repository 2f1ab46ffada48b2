#include "boards/board.h"

#include "boards/marker.h"
#include "platform/ticktimer.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "widgets/controls.h"
#include "widgets/units.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>

Board::Board(
    Program &program, SlotBase &slot, BoardVariables &variables, const layouts::BoardLayout &layout, QMdiArea &area)
    : program_(program)
    , slot_(slot)
    , variables_(variables)
    , fade_(this, variables.opacity)
    , court_(resources::compactPicture(layout.court))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    designTwips_ = QSizeF(layout.designWidth, layout.designHeight);
    designSize_ = QSize(units::toPixels(layout.designWidth), units::toPixels(layout.designHeight));
    resize(designSize_);

    for (const layouts::ControlSpec &row : layout.controls) {
        switch (row.kind) {
        case layouts::Kind::Timer:
            fadeInTimer = new platform::TickTimer(this);
            fadeInTimer->setObjectName(QString::fromLatin1(row.name));
            break;
        case layouts::Kind::LabelButton:
            closeButton = new LabelButton(QString::fromLatin1(row.content), QFont(), this);
            controls_.place(closeButton, row, { "Palatino Linotype", 26.25, false });
            break;
        case layouts::Kind::Image: {
            auto *marker = new Marker(
                program_, variables_, QString::fromLatin1(row.name), row.content, row.width, row.height, this);
            place(marker, row);
            marker->moveTo(float(row.left), float(row.top));
            markers_.append(marker);
            break;
        }
        default:
            break;
        }
    }

    program_.attach(closeButton, &LabelButton::clicked, this, [this] { closeBoard(); });
    program_.attach(fadeInTimer, &platform::TickTimer::ticked, this, [this] { fadeInStep(); });
    fadeInTimer->setEnabled(true);

    frame_ = area.addSubWindow(this);
    frame_->setAttribute(Qt::WA_DeleteOnClose);
    frame_->setWindowTitle(QString::fromLatin1(layout.caption));
    frame_->setWindowIcon(resources::icon("clipboard"));
    // Restored, the board shows its court at design size.
    frame_->resize(frame_->sizeHint());
}

QSize Board::sizeHint() const
{
    return designSize_;
}

QWidget *Board::frame() const
{
    return frame_;
}

void Board::display()
{
    // A new board opens maximized; one that is up already comes to the front as the user
    // left it, maximized, restored or minimized.
    if (!displayedBefore_) {
        displayedBefore_ = true;
        frame_->showMaximized();
    } else {
        frame_->show();
    }
    frame_->mdiArea()->setActiveSubWindow(frame_);
    frame_->raise();
}

Marker *Board::marker(const char *name) const
{
    for (Marker *m : markers_) {
        if (m->objectName() == QLatin1String(name))
            return m;
    }
    return nullptr;
}

void Board::load()
{
    fade_.start();
}

void Board::fadeInStep()
{
    fade_.stepIn(*fadeInTimer);
}

void Board::closeBoard()
{
    slot_.unload();
}

void Board::resizeEvent(QResizeEvent *)
{
    const units::Scale scale = units::Scale::toFit(designTwips_, size());
    if (!controls_.setScale(scale))
        return;
    for (Marker *m : markers_)
        m->setScale(scale);
    shownCourt_ = QImage(); // made again at the next paint
    update();
}

void Board::paintEvent(QPaintEvent *event)
{
    const double factor = scale().factor();
    if (factor < 1.0 && shownCourt_.isNull()) {
        const qreal ratio = court_.devicePixelRatio();
        shownCourt_ = court_.scaled((court_.deviceIndependentSize() * factor * ratio).toSize(), Qt::IgnoreAspectRatio,
            Qt::SmoothTransformation);
        shownCourt_.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.drawImage(QPointF(0, 0), factor < 1.0 ? shownCourt_ : court_);
}
