#include "startup/kwload.h"

#include "app/controls.h"
#include "app/program.h"
#include "app/units.h"
#include "platform/ticktimer.h"
#include "platform/windowstyle.h"
#include "resources/resources.h"
#include "startup/kwterms.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

// Pixels from the window's top-left corner: the lowest corner, then the top edge.
const QPolygon kwLoad::kShape({ QPoint(300, 200), QPoint(0, 0), QPoint(500, 0) });

kwLoad::kwLoad(Program &program)
    : PictureWindow("load_background", Qt::black, layouts::kLoadWidth, layouts::kLoadHeight)
    , program_(program)
{
    using layouts::find;
    const auto &layout = layouts::load;
    setWindowTitle(QString());
    setWindowIcon(resources::icon("load_icon"));

    Command1 = new QPushButton(QString::fromLatin1(find(layout, "Command1").content), this);
    place(Command1, find(layout, "Command1"));

    Picture1 = new PictureBox(this);
    place(Picture1, find(layout, "Picture1"));
    Picture1->setStyleSheet(QStringLiteral("background-color: #404040;"));
    Picture1->setAttribute(Qt::WA_StyledBackground);

    Picture2 = new PictureBox(Picture1);
    place(Picture2, find(layout, "Picture2"));
    Picture2->setStyleSheet(QStringLiteral("background-color: #000000;"));
    Picture2->setAttribute(Qt::WA_StyledBackground);
    fillLeft_ = float(find(layout, "Picture2").left);

    Label3 = new QLabel(QString::fromLatin1(find(layout, "Label3").content), this);
    place(Label3, find(layout, "Label3"));
    Label3->setFont(units::font("Tahoma", 9.75));
    Label3->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Timer1 = new platform::TickTimer(this);
    connect(Timer1, &platform::TickTimer::Timer, this, [this] { program_.handle([this] { Timer1_Timer(); }); });
    Timer1->setEnabled(true);
    Command1->setFocus();
}

void kwLoad::Form_Load()
{
    program_.refuseSecondCopy(QStringLiteral("Torvane"), QStringLiteral("This application is already running!"));
    platform::setShape(this, kShape);
    // Made when missing; when it exists or cannot be made, nothing happens.
    QDir(program_.services().programFolder()).mkdir(QStringLiteral("Logs"));
}

void kwLoad::Timer1_Timer()
{
    fillLeft_ += 5;
    Picture2->move(units::toPixels(fillLeft_), Picture2->y());
    if (fillLeft_ == -600) {
        Label3->setText(QStringLiteral("Verifying License.."));
    } else if (fillLeft_ == -500) {
        Label3->setText(QStringLiteral("Freeware..."));
    } else if (fillLeft_ == -400) {
        Label3->setText(QStringLiteral("Loading Resources..."));
    } else if (fillLeft_ == -300) {
        Label3->setText(QStringLiteral("Starting Program..."));
    } else if (fillLeft_ == 0) {
        Label3->setText(QStringLiteral("System Ready.."));
        // On a later run the terms screen hands over and unloads itself within this Show,
        // which is then skipped; this window goes either way.
        program_.kwTerms.Show();
        program_.kwLoad.Unload();
    }
}
