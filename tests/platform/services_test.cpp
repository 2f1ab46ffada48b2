#include "platform/services.h"
#include "platform/ticktimer.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

namespace {

struct Folder {
    const char *path;
    bool system;
};

class ProgramFolder : public ::testing::TestWithParam<Folder> { };

TEST_P(ProgramFolder, IsASystemFolderUnderUsrOrOpt)
{
    EXPECT_EQ(platform::Services::isSystemFolder(QString::fromLatin1(GetParam().path)), GetParam().system);
}

INSTANTIATE_TEST_SUITE_P(Folders, ProgramFolder,
    ::testing::Values(Folder { "/usr/bin", true }, Folder { "/usr/games", true }, Folder { "/usr/local/bin", true },
        Folder { "/opt/hoopwright/bin", true }, Folder { "/usr", true }, Folder { "/usr/bin/", true },
        Folder { "/home/coach/hoopwright/build", false }, Folder { "/media/stick/hoopwright", false },
        Folder { "/usrlocal/bin", false }, Folder { "/optional/bin", false },
        Folder { "/home/coach/../../usr/bin", true }, Folder { "/tmp/x/root/usr/bin", false }));

// A busy machine must not slip a tick into a test that lets the event loop run.
TEST(TickTimer, UnderTheTestsHeldClockAnEnabledTimerTicksOnlyWhenTold)
{
    platform::TickTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &platform::TickTimer::ticked, [&] { ++ticks; });
    timer.setEnabled(true);
    QThread::msleep(3 * platform::TickTimer::kPeriodMs);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(timer.isEnabled());
    emit timer.ticked();
    EXPECT_EQ(ticks, 1);
}

} // namespace
