#include "startup/loadingscreen.h"

#include "platform/caption.h"
#include "platform/ticktimer.h"
#include "platform/windowstyle.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "startup/termsscreen.h"
#include "widgets/controls.h"
#include "widgets/units.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTransform>

// Pixels from the window's top-left corner: the lowest corner, then the top edge.
const QPolygon LoadingScreen::kTriangle({ QPoint(300, 200), QPoint(0, 0), QPoint(500, 0) });

LoadingScreen::LoadingScreen(Program &program)
    : PictureWindow("load_background", Qt::black, layouts::kLoadingWidth, layouts::kLoadingHeight)
    , program_(program)
{
    using layouts::find;
    const auto &layout = layouts::loadingScreen;
    setWindowTitle(QString());
    setWindowIcon(resources::icon("load_icon"));

    focusButton = new QPushButton(QString::fromLatin1(find(layout, "focusButton").content), this);
    place(focusButton, find(layout, "focusButton"), scale());

    progressTrack = new QWidget(this);
    place(progressTrack, find(layout, "progressTrack"), scale());
    progressTrack->setStyleSheet(QStringLiteral("background-color: #404040;"));
    progressTrack->setAttribute(Qt::WA_StyledBackground);

    progressFill = new QWidget(progressTrack);
    place(progressFill, find(layout, "progressFill"), scale());
    progressFill->setStyleSheet(QStringLiteral("background-color: #000000;"));
    progressFill->setAttribute(Qt::WA_StyledBackground);
    fillLeft_ = float(find(layout, "progressFill").left);

    statusText = new QLabel(QString::fromLatin1(find(layout, "statusText").content), this);
    place(statusText, find(layout, "statusText"), scale());
    statusText->setFont(scale().font("Tahoma", 9.75));
    statusText->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    statusText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    animationTimer = new platform::TickTimer(this);
    program_.attach(animationTimer, &platform::TickTimer::ticked, this, [this] { advance(); });
    animationTimer->setEnabled(true);
    focusButton->setFocus();
}

void LoadingScreen::display()
{
    PictureWindow::display();
    platform::showEmptyCaption(this);
}

void LoadingScreen::load()
{
    program_.refuseSecondCopy(QStringLiteral("Torvane"), QStringLiteral("This application is already running!"));
    // The triangle is given in pixels of the design; a smaller window has a smaller one.
    platform::setShape(this, QTransform::fromScale(scale().factor(), scale().factor()).map(kTriangle));
    // Made when missing, beside a program that runs from a folder of its own; when it
    // exists or cannot be made, nothing happens. An installed copy writes nothing there.
    if (!program_.services().runsFromSystemFolders())
        QDir(program_.services().programFolder()).mkdir(QStringLiteral("Logs"));
}

void LoadingScreen::advance()
{
    fillLeft_ += 5;
    progressFill->move(scale().toPixels(fillLeft_), progressFill->y());
    if (fillLeft_ == -600) {
        statusText->setText(QStringLiteral("Verifying License.."));
    } else if (fillLeft_ == -500) {
        statusText->setText(QStringLiteral("Freeware..."));
    } else if (fillLeft_ == -400) {
        statusText->setText(QStringLiteral("Loading Resources..."));
    } else if (fillLeft_ == -300) {
        statusText->setText(QStringLiteral("Starting Program..."));
    } else if (fillLeft_ == 0) {
        statusText->setText(QStringLiteral("System Ready.."));
        // On a later run the terms screen hands over and unloads itself within this show(),
        // which is then skipped; this window goes either way.
        program_.termsScreen.show();
        program_.loadingScreen.unload();
    }
}
