// The cross-built hoopwright.exe under Wine (windows/wine.h): every test starts from a prefix
// without the record.
#include "e2e/driver.h"
#include "e2e/recordfile.h"
#include "windows/wine.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QString kExe = QStringLiteral(HOOPWRIGHT_EXECUTABLE);
const QString kTermsTitle = QStringLiteral("Form1");

// The per-user folder of local application data, C:\users\<name>\AppData\Local.
QString localAppData()
{
    const QStringList users
        = QDir(driveC(QStringLiteral("users"))).entryList({ QStringLiteral("*") }, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &user : users) {
        if (user != QLatin1String("Public"))
            return driveC(QStringLiteral("users/%1/AppData/Local").arg(user));
    }
    return {};
}

bool isCentred(const QRect &r, QSize size)
{
    return qAbs(r.left() - (1600 - size.width()) / 2) <= 1 && qAbs(r.top() - (900 - size.height()) / 2) <= 1
        && r.size() == size;
}

class WineE2E : public WineTest {
protected:
    void SetUp() override
    {
        WineTest::SetUp();
        if (HasFatalFailure())
            return;
        QDir(driveC(QStringLiteral("SAVE"))).removeRecursively();
        // A copy killed by an earlier test leaves its lock; a fresh session has no copy.
        QFile::remove(lockPath());
    }

    QProcess *startExe() { return startUnderWine(kExe); }

    static QString recordPath() { return driveC(QStringLiteral("SAVE/KW/kw010.txt")); }
    // Where earlier versions kept their lock file.
    static QString lockPath() { return localAppData() + QStringLiteral("/Torvane/hoopwright.lock"); }

    // A record of an earlier first run, in the ANSI code page as the program keeps it.
    static void writeRecord()
    {
        QDir().mkpath(QFileInfo(recordPath()).path());
        QFile file(recordPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("https://www.torvane.example.com/\r\nDeveloper: Mara Quill\r\n"
                   "https://social.example.com/torvane\r\nHoopwright\r\n1/2/2026\r\n");
    }

    QString waitForProgramWindow() { return WineTest::waitForProgramWindow(QStringLiteral("hoopwright.exe")); }

    // Waits until the window's opacity reaches the value; the last value read.
    int waitForOpacity(const QString &window, int value, int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        int last = x.opacity(window);
        while (last != value && !deadline.hasExpired()) {
            XSession::pause(20);
            last = x.opacity(window);
        }
        return last;
    }

    Driver app { x };
};

TEST_F(WineE2E, FirstRunWritesTheRecordAndAcceptingFadesInTheMaximizedMainWindow)
{
    app.process = startExe();
    const QString terms = x.waitForWindow(kTermsTitle, 90000);
    ASSERT_FALSE(terms.isEmpty()) << app.process->readAll().toStdString();
    EXPECT_TRUE(isCentred(x.geometry(terms), QSize(599, 699))) << "centred";
    XSession::pause(500);
    saveShot(QStringLiteral("terms"));

    ASSERT_TRUE(isFirstRunRecord(recordPath())) << "written to C:\\SAVE\\KW\\kw010.txt";

    x.activate(terms);
    x.key(QStringLiteral("Tab")); // from the button to the check box
    x.key(QStringLiteral("space")); // checked: the button reads "Accept"
    XSession::pause(300);
    x.key(QStringLiteral("alt+c"));
    const QString main = x.waitForWindow(Driver::kMainCaption, 20000);
    ASSERT_FALSE(main.isEmpty());
    EXPECT_TRUE(x.waitForNoWindow(kTermsTitle));
    EXPECT_LT(x.opacity(main), 250) << "the fade starts transparent";
    EXPECT_EQ(waitForOpacity(main, 250, 10000), 250);
    saveShot(QStringLiteral("main"));
    const QRect frame = x.geometry(main);
    EXPECT_GE(frame.width(), 1590) << "maximized";
    EXPECT_GE(frame.height(), 800);
}

TEST_F(WineE2E, ALaterRunShowsTheTriangleThenABoardWhoseJerseysDragAndExitFadesOut)
{
    // A window behind the loading screen, to see what shows outside the triangle.
    QProcess *behind = x.start(QStringLiteral("xmessage"),
        { QStringLiteral("-geometry"), QStringLiteral("1600x900+0+0"), QStringLiteral("behind") });
    ASSERT_FALSE(x.waitForWindow(QStringLiteral("xmessage")).isEmpty());
    writeRecord();
    app.process = startExe();
    const QString load = waitForProgramWindow();
    ASSERT_FALSE(load.isEmpty()) << app.process->readAll().toStdString();
    XSession::pause(1500);
    const QRect r = x.geometry(load);
    EXPECT_TRUE(isCentred(r, QSize(379, 244))) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    const QImage shot = x.screenshot();
    saveShot(QStringLiteral("loading"));
    const QRgb behindColour = shot.pixel(r.left() + 5, r.bottom() - 5);
    EXPECT_EQ(behindColour, shot.pixel(40, 40)) << "below the lowest corner the window behind shows";
    EXPECT_NE(shot.pixel(r.left() + 200, r.top() + 40), behindColour) << "inside the triangle";
    EXPECT_EQ(shot.pixel(r.left() + 20, r.top() + 150), behindColour) << "left of the diagonal";
    EXPECT_EQ(shot.pixel(r.left() + 360, r.top() + 200), behindColour) << "past the right side";
    behind->kill();

    app.mainWindow = x.waitForWindow(Driver::kMainCaption, 30000);
    ASSERT_FALSE(app.mainWindow.isEmpty());
    ASSERT_TRUE(app.findStrip());
    EXPECT_EQ(waitForOpacity(app.mainWindow, 250, 10000), 250);

    app.press(0); // Half Court
    XSession::pause(3000); // past the fade-in
    const auto board = [&](int twipsX, int twipsY) {
        return app.stripOrigin() + QPoint(twipsX / 15, 65 + twipsY / 15) + QPoint(24, 32);
    };
    const QPoint allyStart = board(10440, 8160);
    saveShot(QStringLiteral("board-opened"));
    ASSERT_GT(XSession::countNear(x.screenshot(), allyStart, 14, isAllyRed), 40) << "Allies1 in the starting row";
    const QPoint allyTarget = board(3000, 3000);
    x.drag(allyStart, allyTarget, 16);
    XSession::pause(300);
    const QImage moved = x.screenshot();
    saveShot(QStringLiteral("board"));
    EXPECT_GT(XSession::countNear(moved, allyTarget, 14, isAllyRed), 40) << "where the pointer left it";
    EXPECT_EQ(XSession::countNear(moved, allyStart, 14, isAllyRed), 0);

    app.press(5); // Exit
    XSession::pause(700);
    const int midway = x.opacity(app.mainWindow);
    EXPECT_GT(midway, 0);
    EXPECT_LT(midway, 250) << "fading out";
    ASSERT_TRUE(XSession::waitForExit(app.process, 20000));
    EXPECT_EQ(app.process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.process->exitCode(), 0);
}

TEST_F(WineE2E, ASecondCopyWarnsAndEndsWhileTheFirstHoldsTheLock)
{
    writeRecord();
    app.process = startExe();
    ASSERT_FALSE(waitForProgramWindow().isEmpty()) << app.process->readAll().toStdString();
    EXPECT_FALSE(QFileInfo::exists(lockPath())) << "the lock is a mutex of the session: nothing is written for it";

    QProcess *second = startExe();
    const QString warning = x.waitForWindow(QStringLiteral("Torvane"), 60000);
    ASSERT_FALSE(warning.isEmpty());
    XSession::pause(500);
    saveShot(QStringLiteral("second-copy"));
    x.activate(warning);
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(XSession::waitForExit(second, 20000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(x.waitForWindow(Driver::kMainCaption, 30000).isEmpty()) << "the first copy goes on";
}

// Ended at its main window as a crash or a power cut would end it: the next start is not
// kept out, and neither is an old empty lock file that an earlier version left behind.
TEST_F(WineE2E, NeitherAKilledCopyNorAnOldLockFileKeepsTheNextStartOut)
{
    writeRecord();
    app.process = startExe();
    ASSERT_FALSE(x.waitForWindow(Driver::kMainCaption, 90000).isEmpty()) << app.process->readAll().toStdString();
    stopWine(); // wineserver -k
    ASSERT_TRUE(XSession::waitForExit(app.process, 20000));

    QDir().mkpath(QFileInfo(lockPath()).path());
    QFile old(lockPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    for (const char *start : { "after the kill", "again" }) {
        QProcess *next = startExe();
        EXPECT_FALSE(x.waitForWindow(Driver::kMainCaption, 90000).isEmpty()) << start;
        EXPECT_TRUE(x.waitForWindow(QStringLiteral("Torvane"), 1).isEmpty()) << start;
        EXPECT_TRUE(x.waitForWindow(QStringLiteral("Duplicate"), 1).isEmpty()) << start;
        stopWine();
        XSession::waitForExit(next, 20000);
    }
}

// A regional format whose AM/PM words the ANSI code page lacks: Greek letters ("π.μ."), with
// the code page of English (1252). Set in the user's registry for this test and put back after.
class GreekFormatWineE2E : public WineE2E {
protected:
    void SetUp() override
    {
        WineE2E::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(regedit({ QStringLiteral("/E"), QStringLiteral("C:\\international.reg"), kInternational }));
        saved_ = true;
        const QString greek = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n[") + kInternational
            + QStringLiteral("]\r\n\"s1159\"=\"π.μ.\"\r\n\"s2359\"=\"μ.μ.\"\r\n\"sShortDate\"=\"d/M/yyyy\"\r\n"
                             "\"sTimeFormat\"=\"h:mm:ss tt\"\r\n\"iDate\"=\"1\"\r\n");
        QFile file(driveC(QStringLiteral("greek.reg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xff\xfe", 2); // UTF-16 LE, as regedit reads non-ASCII text
        file.write(reinterpret_cast<const char *>(greek.utf16()), greek.size() * 2);
        file.close();
        ASSERT_TRUE(regedit({ QStringLiteral("/S"), QStringLiteral("C:\\greek.reg") }));
        stopWine(); // the program's own session, with the display
    }

    void TearDown() override
    {
        if (saved_) {
            stopWine();
            EXPECT_TRUE(regedit({ QStringLiteral("/S"), QStringLiteral("C:\\international.reg") }))
                << "the prefix's own regional format put back";
        }
        WineE2E::TearDown();
    }

    static bool regedit(const QStringList &arguments)
    {
        QProcess regedit;
        QProcessEnvironment env = wineEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString());
        regedit.setProcessEnvironment(env);
        regedit.start(QStringLiteral("wine"), QStringList { QStringLiteral("regedit") } + arguments);
        return regedit.waitForFinished(60000) && regedit.exitStatus() == QProcess::NormalExit;
    }

    const QString kInternational = QStringLiteral("HKEY_CURRENT_USER\\Control Panel\\International");
    bool saved_ = false;
};

// The record's date line reaches the file whole and reads back as today's date in the format's
// day/month order; the old program wrote "?.?." for the AM/PM word and lost the usage period.
TEST_F(GreekFormatWineE2E, TheRecordsDateLineReadsBackWhereTheCodePageLacksTheAMPMWord)
{
    const QDate today = QDate::currentDate();
    app.process = startExe();
    const QString terms = x.waitForWindow(kTermsTitle, 90000);
    ASSERT_FALSE(terms.isEmpty()) << app.process->readAll().toStdString();
    x.activate(terms);
    x.key(QStringLiteral("Tab"));
    x.key(QStringLiteral("space"));
    XSession::pause(300);
    x.key(QStringLiteral("alt+c"));
    ASSERT_FALSE(x.waitForWindow(Driver::kMainCaption, 20000).isEmpty());

    ASSERT_TRUE(isFirstRunRecord(recordPath()));
    QFile record(recordPath());
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QByteArray line = record.readAll().split('\n').value(4).chopped(1);
    EXPECT_FALSE(line.contains('?')) << line.toStdString();
    const QDate date = QDate::fromString(QString::fromLatin1(line.split(' ').first()), QStringLiteral("d/M/yyyy"));
    EXPECT_TRUE(date == today || date == today.addDays(1)) << line.toStdString();
}

} // namespace
