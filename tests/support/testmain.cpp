#include "platform/ticktimer.h"
#include "resources/resources.h"
#include "widgets/accessibility.h"

#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // A screen of 1280 x 800 at 96 dots per inch, with room for every window as designed.
    QTemporaryFile screens;
    screens.open();
    screens.write(R"({ "screens": [ { "name": "test", "x": 0, "y": 0, "width": 1280, "height": 800,
        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] })");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    resources::registerFonts();
    accessibility::install();
    // No timer of the program ticks by itself: each test ticks them by hand, so that a busy
    // machine cannot slip a tick in while a test lets the event loop run.
    platform::TickTimer::holdClock(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
