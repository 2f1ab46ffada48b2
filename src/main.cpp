#include "platform/systemservices.h"
#include "platform/terminationsignals.h"
#include "platform/windowsystem.h"
#include "platform/workerthreads.h"
#include "resources/resources.h"
#include "shell/program.h"
#include "startup/loadingscreen.h"
#include "widgets/accessibility.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Without a display Qt would print a stack of messages and abort; say it in one line.
bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    const bool chosenPlatform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (!chosenPlatform && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
            "hoopwright: no display found; to run it without one, use a virtual display: "
            "xvfb-run -s '-screen 0 1600x900x24' hoopwright\n");
        return false;
    }
#endif
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (!displayAvailable())
        return 1;
    platform::ApplicationArguments arguments(argc, argv);
    std::optional<platform::WindowSystemConnection> connection(std::in_place, arguments.count(), arguments.values());
    QApplication app(arguments.count(), arguments.values());
    connection.reset();
    if (!platform::prepareWorkerThreads()) {
        std::fprintf(stderr, "hoopwright: cannot start a thread (too little address space?)\n");
        return 1;
    }
    QApplication::setApplicationName(QStringLiteral("hoopwright"));
    QGuiApplication::setDesktopFileName(QStringLiteral("hoopwright"));
    // The program decides itself when it has no window left.
    QApplication::setQuitOnLastWindowClosed(false);
    resources::registerFonts();
    accessibility::install();

    platform::SystemServices services;
    Program program(services);
    // Ended from outside, the program ends as it does by itself, its lock released.
    platform::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &platform::TerminationSignals::received, [&] { services.quit(); });
    // The start-up window is created, loaded and displayed.
    program.handle([&] { program.loadingScreen.show(); });
    if (program.ended())
        return 0;
    return app.exec();
}
