#include "mainwindow/mainwindow.h"

#include "about/aboutbox.h"
#include "boards/halfcourtboard.h"
#include "boards/wholecourtboard.h"
#include "mainwindow/boardarea.h"
#include "mainwindow/toolbarstrip.h"
#include "platform/ticktimer.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "widgets/accessibility.h"
#include "widgets/controls.h"
#include "widgets/units.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

const QString MainWindow::kCaption = QStringLiteral("Torvane Hoopwright (Touch Panel Compatible) Version 2.0");

const QString MainWindow::kHelpText
    = QStringLiteral("HELP PANEL\r\n"
                     "\r\n"
                     "For Touch Windows PC:\r\n"
                     "- Place your finger over the Player number and slide to anywhere you want.\r\n"
                     "\r\n"
                     "For Desktop and Laptop\r\n"
                     "- using mouse, click the Player number and Hold it and place it anywhere you want.");

MainWindow::MainWindow(Program &program)
    : program_(program)
    , fade_(this, program.mainWindow.variables.opacity)
{
    using layouts::find;
    const auto &layout = layouts::mainWindow;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);
    setWindowIcon(resources::icon("clipboard"));

    blankMenu = menuBar()->addAction(QStringLiteral(" "));
    blankMenu->setObjectName(QStringLiteral("blankMenu"));

    auto *client = new QWidget(this);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);

    fadeOutTimer = new platform::TickTimer(this);
    fadeOutTimer->setObjectName(QStringLiteral("fadeOutTimer"));

    // The buttons need the strip from its left edge to the last button's right edge, with
    // the first button's margin again on the right.
    const layouts::ControlSpec &first = find(layout, "halfCourtButton");
    const layouts::ControlSpec &last = find(layout, "exitButton");
    toolbar = new ToolbarStrip(last.left + last.width + first.left, find(layout, "toolbar").height, client);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setBackgroundRole(QPalette::Base);
    toolbar->setForegroundRole(QPalette::Text);
    toolbar->setAutoFillBackground(true);
    accessibility::readLeftToRight(toolbar);
    column->addWidget(toolbar);

    boardArea_ = new BoardArea(client);
    column->addWidget(boardArea_, 1);
    program_.setBoardArea(boardArea_); // where the boards open

    usageSentence = new QLineEdit(toolbar);
    toolbar->controls().place(usageSentence, find(layout, "usageSentence"));
    usageSentence->hide();

    fadeInTimer = new platform::TickTimer(toolbar);
    fadeInTimer->setObjectName(QStringLiteral("fadeInTimer"));

    auto button = [&](const char *name, void (MainWindow::*handler)()) {
        const layouts::ControlSpec &row = find(layout, name);
        auto *label = new LabelButton(QString::fromLatin1(row.content), QFont(), toolbar);
        toolbar->controls().place(label, row, { "Tahoma", 21.75, false });
        program_.attach(label, &LabelButton::clicked, this, [this, handler] { (this->*handler)(); });
        return label;
    };
    resetButton = button("resetButton", &MainWindow::resetBoard);
    exitButton = button("exitButton", &MainWindow::fadeOutAndExit);
    aboutButton = button("aboutButton", &MainWindow::showAbout);
    helpButton = button("helpButton", &MainWindow::showHelp);
    wholeCourtButton = button("wholeCourtButton", &MainWindow::showWholeCourt);
    halfCourtButton = button("halfCourtButton", &MainWindow::showHalfCourt);

    program_.attach(fadeInTimer, &platform::TickTimer::ticked, this, [this] { fadeInStep(); });
    program_.attach(fadeOutTimer, &platform::TickTimer::ticked, this, [this] { fadeOutStep(); });
    fadeInTimer->setEnabled(true);

    // The restored size holds a client area of 19425 by 8520 twips under the menu bar, as far
    // as the usable area of the screen has room for it.
    const QSize design(units::toPixels(layouts::kMainWindowClientWidth),
        units::toPixels(layouts::kMainWindowClientHeight) + menuBar()->sizeHint().height());
    resize(screen() ? design.boundedTo(screen()->availableGeometry().size()) : design);
    setWindowState(Qt::WindowMaximized);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Restored, the window comes back at its size before it was maximized; only now its
    // frame is known, so only now can the whole window be fitted in the usable area.
    if (event->type() == QEvent::WindowStateChange && windowState() == Qt::WindowNoState)
        QTimer::singleShot(0, this, [this] { keepOnUsableArea(); });
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // The window manager may give the restored window its old size back after the state
    // change was handled; a restored window is fitted again whenever its size changes.
    if (windowState() == Qt::WindowNoState && isVisible())
        QTimer::singleShot(0, this, [this] { keepOnUsableArea(); });
}

void MainWindow::keepOnUsableArea()
{
    if (windowState() != Qt::WindowNoState || !screen() || !windowHandle())
        return;
    const QRect usable = screen()->availableGeometry();
    const QMargins frame = windowHandle()->frameMargins();
    const QSize room = usable.size().shrunkBy(frame);
    if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room));
    const QSize outer = size().grownBy(frame);
    const QPoint corner(qBound(usable.left(), x(), usable.right() + 1 - outer.width()),
        qBound(usable.top(), y(), usable.bottom() + 1 - outer.height()));
    if (corner != pos())
        move(corner);
}

QMdiArea *MainWindow::mdiArea() const
{
    return boardArea_;
}

void MainWindow::display()
{
    show();
    raise();
    activateWindow();
}

void MainWindow::load()
{
    program_.refuseSecondCopy(QStringLiteral("Duplicate"), QStringLiteral("Application is already running!"));
    fade_.start();
}

void MainWindow::fadeInStep()
{
    fade_.stepIn(*fadeInTimer);
}

void MainWindow::fadeOutStep()
{
    if (!fade_.stepOut())
        program_.endAtOnce();
}

void MainWindow::showHalfCourt()
{
    program_.wholeCourtBoard.hide();
    program_.halfCourtBoard.show();
}

void MainWindow::showWholeCourt()
{
    program_.halfCourtBoard.hide();
    program_.wholeCourtBoard.show();
}

void MainWindow::resetBoard()
{
    if (program_.halfCourtBoard.isVisible()) {
        program_.halfCourtBoard.unload();
        program_.halfCourtBoard.show();
    } else if (program_.wholeCourtBoard.isVisible()) {
        program_.wholeCourtBoard.unload();
        program_.wholeCourtBoard.show();
    }
}

void MainWindow::showHelp()
{
    program_.messageBox(platform::MessageIcon::Information, QStringLiteral("Help"), kHelpText);
}

void MainWindow::showAbout()
{
    program_.aboutBox.show();
}

void MainWindow::fadeOutAndExit()
{
    fadeInTimer->setEnabled(false);
    fadeOutTimer->setEnabled(true);
}
