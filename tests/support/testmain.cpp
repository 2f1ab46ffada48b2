#include "platform/ticktimer.h"
#include "resources/resources.h"
#include "widgets/accessibility.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
