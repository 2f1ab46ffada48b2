#include "platform/instancelock.h"
#include "platform/lockdecision.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
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

    void age(int seconds)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime));
    }

    qint64 namedPid() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readLine(64).trimmed().toLongLong() : -1;
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

// What a crash, a careless hand or a pid that came round again leave at the lock's place:
// each is replaced, at once and without blocking on it.
TEST_F(Lock, WhatTheUserOwnsAndNoRunningCopyHoldsIsReplaced)
{
    const QByteArray file = QFile::encodeName(path());
    struct Case {
        const char *name;
        std::function<void()> plant;
    };
    const Case cases[] = {
        { "a stale lock its user cannot write (a crash under umask 0277)",
            [&] {
                plant(lockText(goneProcess(), QSysInfo::machineHostName()), 60);
                chmod(file.constData(), 0400);
            } },
        { "mode 0444",
            [&] {
                plant(QByteArray(), 60);
                chmod(file.constData(), 0444);
            } },
        { "an empty folder", [&] { ASSERT_EQ(mkdir(file.constData(), 0700), 0); } },
        { "a FIFO, which would block whoever opens it", [&] { ASSERT_EQ(mkfifo(file.constData(), 0600), 0); } },
        { "2 GiB without a line end, never read whole",
            [&] {
                plant(QByteArray(), 0);
                ASSERT_EQ(truncate(file.constData(), 2LL << 30), 0);
                age(60);
            } },
    };
    for (const Case &c : cases) {
        c.plant();
        platform::InstanceLock lock(path());
        EXPECT_FALSE(lock.heldByAnotherCopy()) << c.name;
        EXPECT_TRUE(lock.held()) << c.name;
        EXPECT_EQ(namedPid(), getpid()) << c.name;
        platform::InstanceLock next(path());
        EXPECT_TRUE(next.heldByAnotherCopy()) << c.name << ": the lock taken over keeps the next copy out";
    }
}

TEST_F(Lock, WhatCannotBeReplacedIsGoneAround)
{
    const QString inside = QDir(path()).filePath(QStringLiteral("kept"));
    ASSERT_TRUE(QDir().mkpath(path()));
    QFile kept(inside);
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    platform::InstanceLock lock(path());
    EXPECT_FALSE(lock.heldByAnotherCopy()) << "a folder with something in it";
    EXPECT_FALSE(lock.held());
    EXPECT_TRUE(QFile::exists(inside)) << "left as it was";
}

TEST_F(Lock, AProcessOfThisProgramRunAsAnotherUserIsNoRunningCopy)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "skipped: a process of another user needs root";
    // The pid in the lock came round again, to this same program run by someone else.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t other = fork();
    if (other == 0) {
        if (setuid(65534) == 0 && write(ready[1], "x", 1) == 1)
            pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    close(ready[1]);
    plant(lockText(other, QSysInfo::machineHostName()), 60);
    platform::InstanceLock lock(path());
    EXPECT_FALSE(lock.heldByAnotherCopy());
    EXPECT_TRUE(lock.held());
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
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

using platform::LockDecision;

struct DecisionCase {
    const char *name;
    platform::LockFacts facts;
    LockDecision decision;
};

platform::LockFacts facts(std::function<void(platform::LockFacts &)> change)
{
    platform::LockFacts f;
    f.present = true;
    f.removable = true;
    change(f);
    return f;
}

void livingCopy(platform::LockFacts &f)
{
    f.readable = f.holderAlive = f.holderIsThisProgram = f.holderIsThisUser = true;
}

class Decision : public ::testing::TestWithParam<DecisionCase> { };

TEST_P(Decision, FollowsTheFacts)
{
    EXPECT_EQ(platform::decideLock(GetParam().facts), GetParam().decision);
}

// Linux finds the facts in the lock file and the process it names; Windows in its mutex,
// which exists only while a process holds it.
INSTANTIATE_TEST_SUITE_P(BothSystems, Decision,
    ::testing::Values(DecisionCase { "Nothing", platform::LockFacts {}, LockDecision::TakeOver },
        DecisionCase { "RunningCopy", facts([](auto &f) { livingCopy(f); }), LockDecision::Refuse },
        DecisionCase { "HeldByALiveProcess", facts([](auto &f) { f.heldByLiveProcess = true; }), LockDecision::Refuse },
        DecisionCase { "JustMade", facts([](auto &f) { f.settled = false; }), LockDecision::Refuse },
        DecisionCase { "NamesThisProcess", facts([](auto &f) {
                          livingCopy(f);
                          f.namesThisProcess = true;
                      }),
            LockDecision::TakeOver },
        DecisionCase { "HolderGone", facts([](auto &f) {
                          livingCopy(f);
                          f.holderAlive = false;
                      }),
            LockDecision::TakeOver },
        DecisionCase { "HolderGoneJustNow", facts([](auto &f) {
                          livingCopy(f);
                          f.holderAlive = false;
                          f.settled = false;
                      }),
            LockDecision::TakeOver },
        DecisionCase { "AnotherProgram", facts([](auto &f) {
                          livingCopy(f);
                          f.holderIsThisProgram = false;
                      }),
            LockDecision::TakeOver },
        DecisionCase { "ThisProgramOfAnotherUser", facts([](auto &f) {
                          livingCopy(f);
                          f.holderIsThisUser = false;
                      }),
            LockDecision::TakeOver },
        DecisionCase { "AnotherHost", facts([](auto &f) {
                          livingCopy(f);
                          f.sameHost = false;
                      }),
            LockDecision::TakeOver },
        DecisionCase { "UnreadableAndOld", facts([](auto &) {}), LockDecision::TakeOver },
        DecisionCase {
            "UnreadableAndNotRemovable", facts([](auto &f) { f.removable = false; }), LockDecision::GoAround },
        DecisionCase { "AFolderOrFifo", facts([](auto &f) {
                          f.ordinaryFile = false;
                          f.settled = false;
                      }),
            LockDecision::TakeOver },
        DecisionCase { "AFullFolder", facts([](auto &f) {
                          f.ordinaryFile = false;
                          f.removable = false;
                      }),
            LockDecision::GoAround },
        DecisionCase { "AnotherUsers", facts([](auto &f) {
                          livingCopy(f);
                          f.ownedByUser = false;
                      }),
            LockDecision::GoAround },
        DecisionCase { "WindowsMutexHeld", facts([](auto &f) {
                          f.heldByLiveProcess = true;
                          f.removable = false;
                      }),
            LockDecision::Refuse },
        DecisionCase { "WindowsMutexOfAnotherUser", facts([](auto &f) {
                          f.ownedByUser = false;
                          f.removable = false;
                      }),
            LockDecision::GoAround },
        DecisionCase { "WindowsMutexUnusable", facts([](auto &f) { f.removable = false; }), LockDecision::GoAround }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
