#include "playbook/sessionbus.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A session's environment and files, each present or not.
struct BusCase {
    const char *name;
    bool address; // DBUS_SESSION_BUS_ADDRESS set
    bool runtimeBus; // something at $XDG_RUNTIME_DIR/bus
    bool launcherOnPath; // an executable dbus-launch in a folder of the PATH
    bool launcherInPlace; // an executable dbus-launch where D-Bus runs it from
    bool plainLauncher; // a dbus-launch on the PATH that cannot be run
    bool reachable;
};

class SessionBus : public ::testing::TestWithParam<BusCase> { };

void writeFile(const QString &path, QFileDevice::Permissions permissions)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    ASSERT_TRUE(file.setPermissions(permissions));
}

TEST_P(SessionBus, IsReachedWhereDBusWouldFindOrStartOne)
{
    const BusCase &c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    for (const char *folder : { "run", "bin", "other", "libexec" })
        ASSERT_TRUE(QDir(root.path()).mkdir(QLatin1String(folder)));
    const auto at = [&](const char *path) { return root.filePath(QLatin1String(path)); };
    const QFileDevice::Permissions runnable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), at("run"));
    environment.insert(QStringLiteral("PATH"), at("other") + QDir::listSeparator() + at("bin"));
    if (c.address)
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nowhere"));
    if (c.runtimeBus)
        writeFile(at("run/bus"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (c.launcherOnPath)
        writeFile(at("bin/dbus-launch"), runnable);
    if (c.plainLauncher)
        writeFile(at("bin/dbus-launch"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (c.launcherInPlace)
        writeFile(at("libexec/dbus-launch"), runnable);

    EXPECT_EQ(sessionbus::reachable(environment, { at("libexec/dbus-launch") }), c.reachable);
}

INSTANTIATE_TEST_SUITE_P(Sessions, SessionBus,
    ::testing::Values(BusCase { "AddressGiven", true, false, false, false, false, true },
        BusCase { "BusInRuntimeFolder", false, true, false, false, false, true },
        BusCase { "LauncherOnPath", false, false, true, false, false, true },
        BusCase { "LauncherWhereDBusRunsIt", false, false, false, true, false, true },
        BusCase { "NothingAtAll", false, false, false, false, false, false },
        BusCase { "LauncherThatCannotRun", false, false, false, false, true, false }),
    [](const ::testing::TestParamInfo<BusCase> &info) { return std::string(info.param.name); });

} // namespace
