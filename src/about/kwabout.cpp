#include "about/kwabout.h"

#include "app/controls.h"
#include "app/form1.h"
#include "app/program.h"
#include "app/units.h"
#include "resources/maker.h"
#include "resources/resources.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

const QString kwAbout::kWebSite = maker::kWebSite;

kwAbout::kwAbout(Program &program)
    : PictureWindow("about_picture", Qt::black, layouts::kAboutWidth, layouts::kAboutHeight)
    , program_(program)
{
    using layouts::find;
    const auto &layout = layouts::about;
    setWindowTitle(QStringLiteral("Form3"));

    Command1 = new QPushButton(QString::fromLatin1(find(layout, "Command1").content), this);
    place(Command1, find(layout, "Command1"));
    Command1->setFont(units::font("Tahoma", 9.75));
    Command1->setAutoDefault(true); // Enter presses it while it has the focus, as Space does
    Command1->setStyleSheet(QStringLiteral("QPushButton { background-color: #808080; color: black;"
                                           " border: 1px solid #202020; }"
                                           "QPushButton:focus { border: 1px dotted black; }"
                                           "QPushButton:pressed { background-color: #6a6a6a; }"));

    Label1 = new QLabel(this);
    place(Label1, find(layout, "Label1"));
    Label1->setFont(units::font("Tahoma", 9.75, true));
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label2 = new ClickLabel(QString::fromLatin1(find(layout, "Label2").content), this);
    place(Label2, find(layout, "Label2"));
    Label2->setFont(units::font("MS Sans Serif", 13.5));
    Label2->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    // The underscores sit on the label's baseline, just under the address in the picture.
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setAccessibleName(kWebSite);

    connect(Label2, &ClickLabel::Click, this, [this] { program_.handle([this] { Label2_Click(); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { program_.handle([this] { Command1_Click(); }); });
    Command1->setFocus();
}

void kwAbout::display()
{
    PictureWindow::display();
    Command1->setFocus();
}

void kwAbout::Form_Load()
{
    Label1->setText(program_.Form1->kwIns->text());
}

void kwAbout::Label2_Click()
{
    program_.services().openWebAddress(this, kWebSite);
}

void kwAbout::Command1_Click()
{
    program_.kwAbout.Unload();
}
