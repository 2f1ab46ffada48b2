// The pace of the program's timers and the length of its animations, on the real timers
// and the real event loop under Qt's offscreen platform.
#include "mainwindow/mainwindow.h"
#include "platform/ticktimer.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "startup/firstuserecord.h"
#include "startup/loadingscreen.h"
#include "support/fakeservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// Runs the event loop until done() holds; the seconds it took.
double runUntil(const std::function<bool()> &done, int limitMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > limitMs)
            loop.quit();
    });
    poll.start();
    loop.exec();
    return clock.nsecsElapsed() / 1e9;
}

const char *within(double value, double low, double high)
{
    return value >= low && value <= high ? "yes" : "no";
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    resources::registerFonts();

    // The period: 300 ticks of one timer.
    platform::TickTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &platform::TickTimer::ticked, [&] { ++ticks; });
    timer.setEnabled(true);
    const double periodMs = runUntil([&] { return ticks >= 300; }) * 1000 / 300;
    timer.setEnabled(false);
    std::printf("| pace: timer period (mean of 300 ticks) | %.2f ms | 15.6 ms, the system tick | 10 to 16 ms | %s |\n",
        periodMs, within(periodMs, 10, 16));

    // The loading animation: from the screen's start to its hand-off.
    // A later run: the hand-off opens the main window.
    FakeServices services; // nothing blocks or leaves the process
    FirstUseRecord(services).write(QDateTime::currentDateTime().addDays(-1));
    Program program(services);
    program.handle([&] { program.loadingScreen.show(); });
    const double loading = runUntil([&] { return !program.loadingScreen.exists(); });
    std::printf("| pace: loading animation, 560 ticks | %.2f s | 8.75 s at 15.6 ms | 5.6 to 9 s | %s |\n", loading,
        within(loading, 5.6, 9));

    // The main window's fade-in (it was opened by the hand-off) and fade-out.
    MainWindow *form = program.mainWindow.existing();
    const double fadeIn = form ? runUntil([&] { return !form->fadeInTimer->isEnabled(); }) : 0;
    std::printf("| pace: full fade-in, 125 ticks | %.2f s | 1.95 s at 15.6 ms | 1.2 to 2.6 s | %s |\n", fadeIn,
        within(fadeIn, 1.2, 2.6));
    if (form)
        program.handle([&] { form->fadeOutAndExit(); });
    const double fadeOut = runUntil([&] { return services.ends > 0; });
    std::printf("| pace: full fade-out, 115 ticks | %.2f s | 1.79 s at 15.6 ms | 1.1 to 2.4 s | %s |\n", fadeOut,
        within(fadeOut, 1.1, 2.4));
    return 0;
}
