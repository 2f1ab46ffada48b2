#include "app/form1.h"

#include "about/kwabout.h"
#include "app/controls.h"
#include "app/mdiclient.h"
#include "app/program.h"
#include "app/units.h"
#include "boards/frmhalf.h"
#include "boards/frmwhole.h"
#include "platform/ticktimer.h"
#include "resources/resources.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

const QString Form1::kCaption = QStringLiteral("Torvane Hoopwright (Touch Panel Compatible) Version 2.0");

const QString Form1::kHelpText
    = QStringLiteral("HELP PANEL\r\n"
                     "\r\n"
                     "For Touch Windows PC:\r\n"
                     "- Place your finger over the Player number and slide to anywhere you want.\r\n"
                     "\r\n"
                     "For Desktop and Laptop\r\n"
                     "- using mouse, click the Player number and Hold it and place it anywhere you want.");

Form1::Form1(Program &program)
    : program_(program)
{
    using layouts::find;
    const auto &layout = layouts::form1;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);
    setWindowIcon(resources::icon("clipboard"));

    aaa = menuBar()->addAction(QStringLiteral(" "));
    aaa->setObjectName(QStringLiteral("aaa"));

    auto *client = new QWidget(this);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);

    Timer2 = new platform::TickTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));

    Picture1 = new PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(units::toPixels(find(layout, "Picture1").height));
    Picture1->setBackgroundRole(QPalette::Base);
    Picture1->setForegroundRole(QPalette::Text);
    Picture1->setAutoFillBackground(true);
    column->addWidget(Picture1);

    client_ = new MdiClient(client);
    column->addWidget(client_, 1);

    kwIns = new QLineEdit(Picture1);
    place(kwIns, find(layout, "kwIns"));
    kwIns->hide();

    Timer1 = new platform::TickTimer(Picture1);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    const QFont buttonFont = units::font("Tahoma", 21.75);
    auto button = [&](const char *name, void (Form1::*handler)()) {
        const layouts::ControlSpec &row = find(layout, name);
        auto *label = new LabelButton(QString::fromLatin1(row.content), buttonFont, Picture1);
        place(label, row);
        connect(label, &LabelButton::Click, this, [this, handler] { program_.handle([&] { (this->*handler)(); }); });
        return label;
    };
    Label6 = button("Label6", &Form1::Label6_Click);
    Label5 = button("Label5", &Form1::Label5_Click);
    Label4 = button("Label4", &Form1::Label4_Click);
    Label3 = button("Label3", &Form1::Label3_Click);
    Label2 = button("Label2", &Form1::Label2_Click);
    Label1 = button("Label1", &Form1::Label1_Click);

    connect(Timer1, &platform::TickTimer::Timer, this, [this] { program_.handle([this] { Timer1_Timer(); }); });
    connect(Timer2, &platform::TickTimer::Timer, this, [this] { program_.handle([this] { Timer2_Timer(); }); });
    Timer1->setEnabled(true);

    // The restored size holds a client area of 19425 by 8520 twips under the menu bar.
    resize(units::toPixels(layouts::kForm1ClientWidth),
        units::toPixels(layouts::kForm1ClientHeight) + menuBar()->sizeHint().height());
    setWindowState(Qt::WindowMaximized);
}

QMdiArea *Form1::mdiArea() const
{
    return client_;
}

void Form1::display()
{
    show();
    raise();
    activateWindow();
}

Fade Form1::fade()
{
    return Fade { this, Picture1, program_.Form1.vars.lngAlpha };
}

void Form1::Form_Load()
{
    program_.refuseSecondCopy(QStringLiteral("Duplicate"), QStringLiteral("Application is already running!"));
    fade().start();
}

void Form1::Timer1_Timer()
{
    fade().stepIn(*Timer1);
}

void Form1::Timer2_Timer()
{
    if (!fade().stepOut())
        program_.End();
}

void Form1::Label1_Click()
{
    program_.frmWhole.Hide();
    program_.FrmHalf.Show();
}

void Form1::Label2_Click()
{
    program_.FrmHalf.Hide();
    program_.frmWhole.Show();
}

void Form1::Label6_Click()
{
    if (program_.FrmHalf.Visible()) {
        program_.FrmHalf.Unload();
        program_.FrmHalf.Show();
    } else if (program_.frmWhole.Visible()) {
        program_.frmWhole.Unload();
        program_.frmWhole.Show();
    }
}

void Form1::Label3_Click()
{
    program_.messageBox(platform::MessageIcon::Information, QStringLiteral("Help"), kHelpText);
}

void Form1::Label4_Click()
{
    program_.kwAbout.Show();
}

void Form1::Label5_Click()
{
    Timer1->setEnabled(false);
    Timer2->setEnabled(true);
}
