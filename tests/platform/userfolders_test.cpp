#include "platform/systemservices.h"
#include "platform/userfolders.h"
#include "startup/firstuserecord.h"
#include "support/systemfixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>

namespace {

QString passwordHome()
{
    return QFile::decodeName(getpwuid(geteuid())->pw_dir);
}

struct DataCase {
    const char *name;
    std::optional<QByteArray> dataHome; // XDG_DATA_HOME; absent: unset
    std::optional<QByteArray> home; // HOME
    QString expected; // "~" stands for the home folder of the password database
};

class DataFolder : public ::testing::TestWithParam<DataCase> { };

TEST_P(DataFolder, FollowsTheEnvironmentOnlyWhereItGivesAbsolutePaths)
{
    EnvironmentOverride environment;
    environment.set("XDG_DATA_HOME", GetParam().dataHome);
    environment.set("HOME", GetParam().home);
    QString expected = GetParam().expected;
    expected.replace(QLatin1Char('~'), passwordHome());
    EXPECT_EQ(platform::dataFolder(), QDir::cleanPath(expected));
}

INSTANTIATE_TEST_SUITE_P(Environments, DataFolder,
    ::testing::Values(DataCase { "Absolute", "/data/x", "/home/h", QStringLiteral("/data/x") },
        DataCase { "RelativeIsIgnored", "relative/data", "/home/h", QStringLiteral("/home/h/.local/share") },
        DataCase { "Unset", std::nullopt, "/home/h", QStringLiteral("/home/h/.local/share") },
        DataCase { "Empty", "", "/home/h", QStringLiteral("/home/h/.local/share") },
        DataCase { "NoHome", std::nullopt, std::nullopt, QStringLiteral("~/.local/share") },
        DataCase { "RelativeHome", "data", "home", QStringLiteral("~/.local/share") }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SystemServices, TheRecordGoesUnderTheHomeFolderWhenTheDataFolderIsRelative)
{
    EnvironmentOverride environment;
    environment.set("XDG_DATA_HOME", QByteArray("relative"));
    environment.set("HOME", QByteArray("/home/coach"));
    const platform::SystemServices services;
    EXPECT_EQ(
        FirstUseRecord(services).recordPath(), QStringLiteral("/home/coach/.local/share/Torvane/C/SAVE/KW/kw010.txt"));
}

TEST(SystemServices, AHomeWhoseNameIsNotUtf8KeepsTheRecordInsideThatVeryFolder)
{
    QTemporaryDir base;
    const QByteArray home = QFile::encodeName(base.path()) + "/caf\xe9";
    ASSERT_EQ(mkdir(home.constData(), 0700), 0);
    EnvironmentOverride environment;
    environment.set("XDG_DATA_HOME", std::nullopt);
    environment.set("HOME", home);
    const platform::SystemServices services;
    const FirstUseRecord record(services);
    record.write(QDateTime(QDate(2026, 12, 10), QTime(15, 31, 57)));
    EXPECT_TRUE(record.exists());
    struct stat written = {};
    EXPECT_EQ(stat((home + "/.local/share/Torvane/C/SAVE/KW/kw010.txt").constData(), &written), 0);
    const std::filesystem::directory_iterator beside(QFile::encodeName(base.path()).constData());
    EXPECT_EQ(std::distance(beside, std::filesystem::directory_iterator()), 1) << "nothing made beside the home folder";
    std::filesystem::remove_all(home.constData());
}

TEST(LockFilePath, IsTheRuntimeFolderOrElseANameOfTheUsersOwnInTheTemporaryFolder)
{
    QTemporaryDir runtime;
    QTemporaryDir temporary;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EnvironmentOverride environment;
    environment.set("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    environment.set("TMPDIR", temporary.path().toLocal8Bit());
    EXPECT_EQ(
        platform::lockFilePath(QStringLiteral("hoopwright")), runtime.filePath(QStringLiteral("hoopwright.lock")));

    // No runtime folder, and the one Qt would fall back on is not a folder: Qt has none.
    environment.set("XDG_RUNTIME_DIR", std::nullopt);
    QFile planted(temporary.filePath(QStringLiteral("runtime-") + QFile::decodeName(getpwuid(geteuid())->pw_name)));
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.close();
    EXPECT_EQ(platform::lockFilePath(QStringLiteral("hoopwright")),
        temporary.filePath(QStringLiteral("hoopwright-%1.lock").arg(geteuid())));

    // Nothing is made for the fallback, and a runtime folder others may write into is none.
    ASSERT_TRUE(planted.remove());
    QFile::setPermissions(runtime.path(), QFileDevice::Permissions(0x7777));
    for (const std::optional<QByteArray> &folder :
        { std::optional<QByteArray>(), std::optional(runtime.path().toLocal8Bit()) }) {
        environment.set("XDG_RUNTIME_DIR", folder);
        EXPECT_EQ(platform::lockFilePath(QStringLiteral("hoopwright")),
            temporary.filePath(QStringLiteral("hoopwright-%1.lock").arg(geteuid())));
        EXPECT_TRUE(QDir(temporary.path()).isEmpty());
    }
}

} // namespace
