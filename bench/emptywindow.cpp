// The floor of the benchmarks: an empty Qt Widgets window of the loading screen's size,
// borderless and centred, filled with one colour, built and started like the program; with
// --maximized a maximized window with a frame, as the program's main window.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
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
