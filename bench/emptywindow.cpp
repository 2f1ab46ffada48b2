// The floor of the benchmarks: an empty Qt Widgets window of the loading screen's size,
// borderless and centred, filled with one colour, built and started like the program; with
// --maximized a maximized window with a frame, as the program's main window; with
// --main-window an empty QMainWindow of the play designer's first size and place.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Sized and placed as the play designer's window on its first start.
int showEmptyMainWindow(QApplication &app)
{
    QMainWindow window;
    const QRect available = window.screen()->availableGeometry();
    window.resize(std::min(1200, available.width() * 9 / 10), std::min(820, available.height() * 9 / 10));
    window.move(available.center() - window.rect().center());
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--main-window")))
        return showEmptyMainWindow(app);
    const bool maximized = app.arguments().contains(QStringLiteral("--maximized"));
    QWidget window(nullptr, maximized ? Qt::Window : Qt::Window | Qt::FramelessWindowHint);
    if (maximized)
        window.setWindowState(Qt::WindowMaximized);
    else
        window.setFixedSize(379, 244);
    window.setAutoFillBackground(true);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, QColor(0x20, 0x60, 0xa0));
    window.setPalette(colours);
    QRect frame = window.frameGeometry();
    frame.moveCenter(QGuiApplication::primaryScreen()->geometry().center());
    window.move(frame.topLeft());
    window.show();
    return app.exec();
}
