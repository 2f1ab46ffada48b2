#include "boards/board.h"

#include "app/controls.h"
#include "app/form1.h"
#include "app/program.h"
#include "app/units.h"
#include "boards/marker.h"
#include "platform/ticktimer.h"
#include "resources/resources.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>

Board::Board(Program &program, SlotBase &slot, BoardVariables &variables, const layouts::BoardLayout &layout)
    : program_(program)
    , slot_(slot)
    , variables_(variables)
    , court_(resources::compactPicture(layout.court))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(units::toPixels(layout.designWidth), units::toPixels(layout.designHeight));

    for (const layouts::ControlSpec &row : layout.controls) {
        switch (row.kind) {
        case layouts::Kind::PictureBox:
            Picture1 = new PictureBox(this);
            place(Picture1, row);
            Picture1->hide();
            break;
        case layouts::Kind::Timer:
            Timer1 = new platform::TickTimer(this);
            Timer1->setObjectName(QString::fromLatin1(row.name));
            break;
        case layouts::Kind::LabelButton:
            Label4 = new LabelButton(QString::fromLatin1(row.content), units::font("Palatino Linotype", 26.25), this);
            place(Label4, row);
            break;
        case layouts::Kind::Image: {
            auto *marker = new Marker(program_, variables_, QString::fromLatin1(row.name),
                resources::stretchedPicture(
                    row.content, units::toPixels(row.left, row.top, row.width, row.height).size()),
                this);
            place(marker, row);
            marker->Move(float(row.left), float(row.top));
            markers_.append(marker);
            break;
        }
        default:
            break;
        }
    }

    connect(Label4, &LabelButton::Click, this, [this] { program_.handle([this] { Label4_Click(); }); });
    connect(Timer1, &platform::TickTimer::Timer, this, [this] { program_.handle([this] { Timer1_Timer(); }); });
    Timer1->setEnabled(true);

    frame_ = program_.Form1->mdiArea()->addSubWindow(this);
    frame_->setAttribute(Qt::WA_DeleteOnClose);
    frame_->setWindowTitle(QString::fromLatin1(layout.caption));
    frame_->setWindowIcon(resources::icon("clipboard"));
}

QWidget *Board::frame() const
{
    return frame_;
}

void Board::display()
{
    frame_->showMaximized();
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

Fade Board::fade()
{
    return Fade { this, Picture1, variables_.lngAlpha };
}

void Board::Form_Load()
{
    fade().start();
}

void Board::Timer1_Timer()
{
    fade().stepIn(*Timer1);
}

void Board::Label4_Click()
{
    slot_.Unload();
}

void Board::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.drawImage(QPointF(0, 0), court_);
}
