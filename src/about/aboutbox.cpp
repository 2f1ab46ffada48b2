#include "about/aboutbox.h"

#include "mainwindow/mainwindow.h"
#include "resources/maker.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "widgets/controls.h"
#include "widgets/units.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

const QString AboutBox::kWebSite = maker::kWebSite;

AboutBox::AboutBox(Program &program)
    : PictureWindow("about_picture", Qt::black, layouts::kAboutWidth, layouts::kAboutHeight)
    , program_(program)
{
    using layouts::find;
    const auto &layout = layouts::aboutBox;
    setWindowTitle(QStringLiteral("Form3"));

    closeButton = new QPushButton(QString::fromLatin1(find(layout, "closeButton").content), this);
    place(closeButton, find(layout, "closeButton"), scale());
    closeButton->setFont(scale().font("Tahoma", 9.75));
    closeButton->setAutoDefault(true); // Enter presses it while it has the focus, as Space does
    closeButton->setStyleSheet(QStringLiteral("QPushButton { background-color: #808080; color: black;"
                                              " border: 1px solid #202020; }"
                                              "QPushButton:focus { border: 1px dotted black; }"
                                              "QPushButton:pressed { background-color: #6a6a6a; }"));

    usageLine = new QLabel(this);
    place(usageLine, find(layout, "usageLine"), scale());
    usageLine->setFont(scale().font("Tahoma", 9.75, true));
    usageLine->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    usageLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    webLink = new ClickLabel(QString::fromLatin1(find(layout, "webLink").content), this);
    place(webLink, find(layout, "webLink"), scale());
    webLink->setFont(scale().font("MS Sans Serif", 13.5));
    webLink->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    // The underscores sit on the label's baseline, just under the address in the picture.
    webLink->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    webLink->setCursor(Qt::PointingHandCursor);
    webLink->setAccessibleName(kWebSite);

    program_.attach(webLink, &ClickLabel::clicked, this, [this] { openWebSite(); });
    program_.attach(closeButton, &QPushButton::clicked, this, [this] { closeBox(); });
    closeButton->setFocus();
}

void AboutBox::display()
{
    PictureWindow::display();
    closeButton->setFocus();
}

void AboutBox::load()
{
    // Only the main window opens the about box, so it exists.
    if (const MainWindow *main = program_.mainWindow.existing())
        usageLine->setText(main->usageSentence->text());
}

void AboutBox::openWebSite()
{
    program_.services().openWebAddress(this, kWebSite);
}

void AboutBox::closeBox()
{
    program_.aboutBox.unload();
}
