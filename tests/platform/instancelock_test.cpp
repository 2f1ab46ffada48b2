#include "platform/instancelock.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A process of this very program (a fork of the test) that runs until the object goes.
struct LiveCopy {
    LiveCopy()
        : pid(fork())
    {
        if (pid == 0) {
            pause();
            _exit(0);
        }
    }
    ~LiveCopy()
    {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    pid_t pid;
};

pid_t goneProcess()
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

QByteArray lockText(qint64 pid, const QString &host)
{
    return QByteArray::number(pid) + "\nunit_tests\n" + host.toUtf8() + "\n";
}

class Lock : public ::testing::Test {
protected:
    QString path() const { return folder.filePath(QStringLiteral("hoopwright.lock")); }

    void plant(const QByteArray &content, int ageSeconds)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.flush();
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    }

    qint64 namedPid() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed().toLongLong() : -1;
    }

    QTemporaryDir folder;
};

TEST_F(Lock, ALockLeftByNoRunningCopyIsTakenOverOnceItIsAFewSecondsOld)
{
    const LiveCopy copy;
    const QString here = QSysInfo::machineHostName();
    struct Case {
        const char *name;
        std::function<QByteArray()> content;
    };
    const Case cases[] = {
        { "empty, as a kill while it is written leaves it", [] { return QByteArray(); } },
        { "garbage", [] { return QByteArray("\x01\xff\xfe not a lock\n\n\n"); } },
        { "a running copy on another host", [&] { return lockText(copy.pid, QStringLiteral("far.example")); } },
        { "a process that is gone", [&] { return lockText(goneProcess(), here); } },
        { "another program", [&] { return lockText(1, here); } },
    };
    for (const Case &c : cases) {
        plant(c.content(), 60);
        platform::InstanceLock lock(path());
        EXPECT_FALSE(lock.heldByAnotherCopy()) << c.name;
        EXPECT_TRUE(lock.held()) << c.name;
        EXPECT_EQ(namedPid(), getpid()) << c.name;
    }
}

TEST_F(Lock, ARunningCopyOrALockStillBeingWrittenKeepsTheProgramOut)
{
    const LiveCopy copy;
    struct Case {
        const char *name;
        QByteArray content;
        int age;
    };
    const Case cases[] = {
        { "a running copy on this host", lockText(copy.pid, QSysInfo::machineHostName()), 3600 },
        { "a running copy that names no host", lockText(copy.pid, QString()), 3600 },
        { "empty and just made: a copy starting now", QByteArray(), 0 },
    };
    for (const Case &c : cases) {
        plant(c.content, c.age);
        platform::InstanceLock lock(path());
        EXPECT_TRUE(lock.heldByAnotherCopy()) << c.name;
        EXPECT_FALSE(lock.held()) << c.name;
        EXPECT_EQ(QFile(path()).size(), c.content.size()) << c.name << ": left as it was";
    }
}

TEST_F(Lock, ALockHeldOpenByALiveProcessIsNeverRemovedHoweverOld)
{
    platform::InstanceLock first(path());
    ASSERT_FALSE(first.heldByAnotherCopy());
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    platform::InstanceLock second(path());
    EXPECT_TRUE(second.heldByAnotherCopy());
    EXPECT_TRUE(first.held());
    EXPECT_EQ(namedPid(), getpid());
}

TEST_F(Lock, AnotherUsersLockFileIsNeitherTakenNorObeyed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "skipped: planting another user's file needs root";
    plant(QByteArray(), 0);
    ASSERT_EQ(chown(QFile::encodeName(path()).constData(), 65534, 65534), 0);
    platform::InstanceLock lock(path());
    EXPECT_FALSE(lock.heldByAnotherCopy());
    EXPECT_FALSE(lock.held());
    const QFileInfo file(path());
    EXPECT_EQ(file.ownerId(), 65534u);
    EXPECT_EQ(file.size(), 0);
}

} // namespace
