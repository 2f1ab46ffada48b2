#include "e2e/driver.h"
#include "support/systemfixtures.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// The program's state on a real file system: the first-use record, the single-instance
// lock, and the end by a signal.

namespace {

const QString kTermsTitle = QStringLiteral("Form1");
const QString kRefusalTitle = QStringLiteral("Torvane");

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        if (condition())
            return true;
        XSession::pause(50);
    } while (!deadline.hasExpired());
    return false;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content, int ageSeconds = 0)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    file.flush();
    file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
}

void stop(QProcess *process)
{
    process->kill();
    process->waitForFinished(5000);
}

class StateE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "no X session"; }

    QString lockPath() const { return QDir(x.runtimeDir()).filePath(QStringLiteral("hoopwright.lock")); }
    // The process the lock file names; 0 while something else (a FIFO) is in its place.
    qint64 lockOwner() const
    {
        if (!QFileInfo(lockPath()).isFile())
            return 0;
        QFile file(lockPath());
        return file.open(QIODevice::ReadOnly) ? file.readLine(64).trimmed().toLongLong() : 0;
    }
    bool holdsLock(QProcess *process)
    {
        return waitUntil([&] { return lockOwner() == process->processId(); }, 20000);
    }

    XSession x;
    Driver app { x };
};

TEST_F(StateE2E, OnAFullDiskTheFirstRunLeavesNoRecordAndTheNextStartAsksAgain)
{
    QTemporaryDir data;
    const TmpfsMount disk(data.path(), "4k");
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason();
    disk.fill();
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    const QString folder = data.filePath(QStringLiteral("Torvane/C/SAVE/KW"));
    for (const char *run : { "first run", "next start" }) {
        QProcess *program = x.start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), {}, environment);
        EXPECT_FALSE(x.waitForWindow(kTermsTitle, 30000).isEmpty()) << run << ": the terms";
        EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << run << ": no record, not even an empty one";
        stop(program);
    }
}

TEST_F(StateE2E, ALockNamingNoRunningCopyDoesNotKeepTheProgramOut)
{
    app.writeRecord(1);
    const QByteArray contents[] = { QByteArray(), QByteArray("\x01\xff garbage\n\n"),
        QByteArray::number(getpid()) + "\nhoopwright\nfar.example\n" };
    for (const QByteArray &content : contents) {
        writeFile(lockPath(), content, 60);
        QProcess *program = x.startProgram();
        EXPECT_TRUE(holdsLock(program)) << content.toStdString();
        EXPECT_TRUE(x.waitForWindow(kRefusalTitle, 1).isEmpty());
        stop(program);
    }
}

// What a crash or a careless hand leaves at the lock's place never keeps the program out nor
// stops it: a FIFO would block whoever opens it, 2 GiB would be read whole, a read-only lock
// or a folder could not be written.
TEST_F(StateE2E, AnOddLockFileIsReplacedWithoutHangingTheStart)
{
    app.writeRecord(1);
    const QByteArray path = QFile::encodeName(lockPath());
    struct Case {
        const char *name;
        std::function<void()> plant;
    };
    const Case cases[] = {
        { "a FIFO", [&] { mkfifo(path.constData(), 0600); } },
        { "2 GiB",
            [&] {
                writeFile(lockPath(), QByteArray());
                truncate(path.constData(), 2LL << 30);
                QFile file(lockPath());
                file.open(QIODevice::ReadOnly);
                file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
            } },
        { "a lock left read-only by a crash under umask 0277",
            [&] {
                writeFile(lockPath(), QByteArray::number(getpid()) + "\nhoopwright\nfar.example\n", 60);
                chmod(path.constData(), 0400);
            } },
        { "an empty folder", [&] { mkdir(path.constData(), 0700); } },
    };
    for (const Case &c : cases) {
        std::filesystem::remove_all(path.constData());
        c.plant();
        QProcess *program = x.startProgram();
        EXPECT_TRUE(holdsLock(program)) << c.name;
        EXPECT_TRUE(x.waitForWindow(kRefusalTitle, 1).isEmpty()) << c.name;
        ::kill(pid_t(program->processId()), SIGTERM);
        EXPECT_TRUE(XSession::waitForExit(program, 5000)) << c.name << ": ends on SIGTERM";
        stop(program);
    }
}

// The user leaves the second copy's warning open past the end of the loading animation: no
// other window of that copy ever comes.
TEST_F(StateE2E, ASecondCopysWarningStaysAloneWhileItIsOpen)
{
    ASSERT_TRUE(app.startToMainWindow(1));
    QProcess *second = x.startProgram();
    const QString refusal = x.waitForWindow(kRefusalTitle, 20000);
    ASSERT_FALSE(refusal.isEmpty());
    XSession::pause(12000);
    EXPECT_TRUE(x.waitForWindow(QStringLiteral("Duplicate"), 1).isEmpty());
    EXPECT_EQ(x.run(QStringLiteral("xdotool"),
                   { QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                       QStringLiteral("--pid"), QString::number(second->processId()), QStringLiteral("--name"),
                       QStringLiteral(".") })
                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                  .size(),
        1)
        << "the warning is the second copy's only window";
    x.activate(refusal);
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(XSession::waitForExit(second, 10000));
    EXPECT_EQ(app.process->state(), QProcess::Running) << "the first copy is not affected";
    stop(app.process);
}

// Under an address-space limit that leaves no room for another thread's usual stack, Qt's
// painting would wait for good on a pool thread that never started.
TEST_F(StateE2E, AnAddressSpaceLimitDoesNotHangTheStart)
{
    app.writeRecord(1);
    QProcess *program = x.start(QStringLiteral("sh"),
        { QStringLiteral("-c"), QStringLiteral("ulimit -v 120000 && exec \"$1\""), QStringLiteral("sh"),
            QStringLiteral(HOOPWRIGHT_EXECUTABLE) });
    EXPECT_FALSE(x.waitForWindow(Driver::kMainCaption, 30000).isEmpty());
    ::kill(pid_t(program->processId()), SIGTERM);
    EXPECT_TRUE(XSession::waitForExit(program, 5000)) << "ends on SIGTERM";
    stop(program);
}

// A home folder whose name is not UTF-8 (a system in Latin-1 once): the record goes inside
// that very folder, and nothing is made beside it.
TEST_F(StateE2E, AHomeWhoseNameIsNotUtf8KeepsTheRecordInside)
{
    QTemporaryDir base;
    const QByteArray home = QFile::encodeName(base.path()) + "/caf\xe9";
    ASSERT_EQ(mkdir(home.constData(), 0700), 0);
    QProcess *program = x.start(QStringLiteral("sh"),
        { QStringLiteral("-c"), QStringLiteral("unset XDG_DATA_HOME; HOME=\"$1/$(printf 'caf\\351')\" exec \"$2\""),
            QStringLiteral("sh"), base.path(), QStringLiteral(HOOPWRIGHT_EXECUTABLE) });
    EXPECT_FALSE(x.waitForWindow(kTermsTitle, 30000).isEmpty());
    struct stat record = {};
    EXPECT_EQ(::stat((home + "/.local/share/Torvane/C/SAVE/KW/kw010.txt").constData(), &record), 0);
    const std::filesystem::directory_iterator beside(QFile::encodeName(base.path()).constData());
    EXPECT_EQ(std::distance(beside, std::filesystem::directory_iterator()), 1) << "nothing beside the home folder";
    stop(program);
    std::filesystem::remove_all(home.constData());
}

TEST_F(StateE2E, TwoCopiesStartedAtTheSameInstantLeaveExactlyOne)
{
    app.writeRecord(1);
    for (int round = 0; round < 10; ++round) {
        QProcess *copies[] = { x.startProgram(), x.startProgram() };
        const QString refusal = x.waitForWindow(kRefusalTitle, 20000);
        ASSERT_FALSE(refusal.isEmpty()) << "round " << round;
        x.activate(refusal);
        x.key(QStringLiteral("Return"));
        QProcess *refused = nullptr;
        waitUntil(
            [&] {
                for (QProcess *copy : copies) {
                    if (copy->state() == QProcess::NotRunning || copy->waitForFinished(100))
                        refused = copy;
                }
                return refused != nullptr;
            },
            10000);
        ASSERT_NE(refused, nullptr) << "round " << round;
        QProcess *survivor = refused == copies[0] ? copies[1] : copies[0];
        EXPECT_EQ(survivor->state(), QProcess::Running) << "round " << round;
        EXPECT_EQ(lockOwner(), survivor->processId()) << "round " << round;
        EXPECT_TRUE(x.waitForNoWindow(kRefusalTitle, 2000)) << "round " << round << ": one refusal only";
        stop(survivor);
    }
}

TEST_F(StateE2E, AnotherUsersLockDoesNotKeepTheProgramOutWithoutARuntimeFolder)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "skipped: planting another user's files needs root";
    app.writeRecord(1);
    // Qt turns down a runtime folder that belongs to someone else, and the lock goes to the
    // temporary folder; another user got there first under every name.
    QTemporaryDir temporary;
    QFile::setPermissions(temporary.path(), QFileDevice::Permissions(0x7777)); // world-writable, shared
    const QString runtime
        = temporary.filePath(QStringLiteral("runtime-") + QString::fromLocal8Bit(getpwuid(geteuid())->pw_name));
    QDir().mkpath(runtime);
    const QStringList planted = { runtime, temporary.filePath(QStringLiteral("hoopwright.lock")),
        temporary.filePath(QStringLiteral("hoopwright-%1.lock").arg(geteuid())) };
    writeFile(planted[1], QByteArray());
    writeFile(planted[2], QByteArray());
    for (const QString &path : planted)
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString());
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());
    QProcess *program = x.start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), {}, environment);
    const QString first = x.waitForClass(QStringLiteral("hoopwright"), 20000);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_NE(x.title(first), kRefusalTitle);
    EXPECT_TRUE(x.waitForWindow(kRefusalTitle, 1).isEmpty());
    EXPECT_EQ(program->state(), QProcess::Running);
    for (const QString &path : planted) {
        const QFileInfo file(path);
        EXPECT_EQ(file.ownerId(), 65534u) << path.toStdString() << ": left alone";
        EXPECT_TRUE(file.isDir() || file.size() == 0) << path.toStdString();
    }
    stop(program);
}

TEST_F(StateE2E, ARelativeDataFolderIsIgnoredAndALinkAtTheRecordsPathIsReplaced)
{
    QTemporaryDir home;
    QTemporaryDir startFolder;
    const QString record = home.filePath(QStringLiteral(".local/share/Torvane/C/SAVE/KW/kw010.txt"));
    const QString outside = home.filePath(QStringLiteral("outside.txt"));
    QDir().mkpath(QFileInfo(record).path());
    ASSERT_TRUE(QFile::link(outside, record));

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("relative"));
    QProcess *program = x.start(QStringLiteral("sh"),
        { QStringLiteral("-c"), QStringLiteral("cd \"$1\" && exec \"$2\""), QStringLiteral("sh"), startFolder.path(),
            QStringLiteral(HOOPWRIGHT_EXECUTABLE) },
        environment);
    const QString terms = x.waitForWindow(kTermsTitle, 30000);
    ASSERT_FALSE(terms.isEmpty());
    EXPECT_TRUE(QDir(startFolder.path()).isEmpty()) << "nothing under the folder it was started from";
    const QFileInfo written(record);
    EXPECT_FALSE(written.isSymLink());
    EXPECT_EQ(contentOf(record).count("\r\n"), 5);
    EXPECT_FALSE(QFileInfo::exists(outside)) << "nothing written through the link";

    x.activate(terms);
    x.key(QStringLiteral("alt+x")); // refused: the record goes
    ASSERT_TRUE(XSession::waitForExit(program, 10000));
    EXPECT_FALSE(QFileInfo::exists(record));
    EXPECT_FALSE(QFileInfo::exists(outside));
}

TEST_F(StateE2E, EndingSignalsEndTheProgramCleanlyAtEveryStage)
{
    struct Case {
        int number;
        const char *stage;
    };
    for (const Case c : { Case { SIGINT, "loading" }, Case { SIGHUP, "terms" }, Case { SIGTERM, "main" } }) {
        const std::string stage = c.stage;
        QFile::remove(app.recordPath());
        if (stage != "terms")
            app.writeRecord(1);
        QProcess *program = x.startProgram();
        const QString window = stage == "loading" ? x.waitForClass(QStringLiteral("hoopwright"), 20000)
            : stage == "terms"                    ? x.waitForWindow(kTermsTitle, 30000)
                                                  : x.waitForWindow(Driver::kMainCaption, 30000);
        ASSERT_FALSE(window.isEmpty()) << stage;
        ASSERT_TRUE(holdsLock(program)) << stage;
        const QByteArray record = contentOf(app.recordPath());
        ASSERT_FALSE(record.isEmpty()) << stage;

        ::kill(pid_t(program->processId()), c.number);
        ASSERT_TRUE(XSession::waitForExit(program, 5000)) << stage;
        EXPECT_EQ(program->exitStatus(), QProcess::NormalExit) << stage;
        EXPECT_EQ(program->exitCode(), 0) << stage;
        EXPECT_FALSE(QFileInfo::exists(lockPath())) << stage << ": lock released";
        EXPECT_EQ(contentOf(app.recordPath()), record) << stage << ": record untouched";
    }
}

} // namespace
