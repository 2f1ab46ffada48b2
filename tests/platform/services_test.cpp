#include "platform/services.h"

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

} // namespace
