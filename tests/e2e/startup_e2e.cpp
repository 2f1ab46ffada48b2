#include "e2e/driver.h"
#include "e2e/recordfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kTermsTitle = QStringLiteral("Form1");
const QString kAboutTitle = QStringLiteral("Form3");

bool isCentred(const QRect &r, QSize size)
{
    return qAbs(r.left() - (1600 - size.width()) / 2) <= 1 && qAbs(r.top() - (900 - size.height()) / 2) <= 1
        && r.size() == size;
}

// A display that is not there: one line naming it, status 1, no abort and no core.
TEST(NoDisplayE2E, ADisplayOrWindowSystemThatIsNotThereIsNamedInOneLine)
{
    const QString absent = absentDisplay();
    const QString alsoAbsent = QStringLiteral(":%1").arg(absent.mid(1).toInt() + 1);
    struct Case {
        QStringList arguments;
        QString display;
        QString named;
    };
    const Case cases[] = {
        { {}, absent, QStringLiteral("cannot connect to the X display \"%1\"").arg(absent) },
        { { QStringLiteral("-display"), alsoAbsent }, QStringLiteral(":0"),
            QStringLiteral("cannot connect to the X display \"%1\"").arg(alsoAbsent) },
        { { QStringLiteral("-platform"), QStringLiteral("bogus") }, absent,
            QStringLiteral("cannot use the window system \"bogus\"") },
    };
    for (const Case &c : cases) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), c.display);
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(HOOPWRIGHT_EXECUTABLE), c.arguments);
        ASSERT_TRUE(program.waitForFinished(20000)) << c.named.toStdString();
        const QString output = QString::fromLocal8Bit(program.readAllStandardError()).trimmed();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.named.toStdString() << ": no abort";
        EXPECT_EQ(program.exitCode(), 1) << c.named.toStdString();
        EXPECT_EQ(output, QStringLiteral("hoopwright: ") + c.named);
    }
}

class StartupE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "no X session"; }

    XSession x;
    Driver app { x };
};

TEST_F(StartupE2E, FirstRunShowsTheTermsAndAcceptingOpensTheMainWindow)
{
    app.process = x.startProgram();
    const QString terms = x.waitForWindow(kTermsTitle, 30000);
    ASSERT_FALSE(terms.isEmpty());
    EXPECT_TRUE(isCentred(x.geometry(terms), QSize(599, 699))) << "centred";
    EXPECT_TRUE(QFile::exists(app.recordPath())) << "written while the terms load";

    x.activate(terms);
    x.key(QStringLiteral("Tab")); // from the button to the check box
    x.key(QStringLiteral("space")); // checked: the button reads "Accept"
    XSession::pause(200);
    x.key(QStringLiteral("alt+c"));
    ASSERT_FALSE(x.waitForWindow(Driver::kMainCaption, 10000).isEmpty());
    EXPECT_TRUE(x.waitForNoWindow(kTermsTitle));

    EXPECT_TRUE(isFirstRunRecord(app.recordPath()));
}

TEST_F(StartupE2E, RefusingEndsTheProgramAndTheNextStartAsksAgain)
{
    app.process = x.startProgram();
    const QString terms = x.waitForWindow(kTermsTitle, 30000);
    ASSERT_FALSE(terms.isEmpty());
    x.activate(terms);
    x.key(QStringLiteral("alt+x"));
    ASSERT_TRUE(XSession::waitForExit(app.process, 10000));
    EXPECT_EQ(app.process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.process->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(app.recordPath()));

    QProcess *again = x.startProgram();
    EXPECT_FALSE(x.waitForWindow(kTermsTitle, 30000).isEmpty()) << "the terms come back";
    again->kill();
}

TEST_F(StartupE2E, ALaterRunNeverMapsTheTermsAndTheAboutBoxOpensAndCloses)
{
    app.writeRecord(400);
    app.process = x.startProgram();
    QElapsedTimer clock;
    clock.start();
    bool termsSeen = false;
    while (clock.elapsed() < 30000) {
        termsSeen = termsSeen || !x.waitForWindow(kTermsTitle, 1).isEmpty();
        if (!x.waitForWindow(Driver::kMainCaption, 1).isEmpty())
            break;
    }
    EXPECT_FALSE(termsSeen);
    app.mainWindow = x.waitForWindow(Driver::kMainCaption, 1000);
    ASSERT_TRUE(app.findStrip());

    app.press(4); // About
    const QString about = x.waitForWindow(kAboutTitle);
    ASSERT_FALSE(about.isEmpty());
    const QRect box = x.geometry(about);
    EXPECT_TRUE(isCentred(box, QSize(791, 398)));
    x.key(QStringLiteral("Return")); // Close has the focus
    EXPECT_TRUE(x.waitForNoWindow(kAboutTitle));
    EXPECT_EQ(app.process->state(), QProcess::Running);
}

TEST_F(StartupE2E, TheLoadingScreenIsACentredTriangleThatClicksPassThrough)
{
    // A window behind the loading screen, to see where a click lands.
    QProcess *behind = x.start(QStringLiteral("xmessage"),
        { QStringLiteral("-geometry"), QStringLiteral("1600x900+0+0"), QStringLiteral("behind") });
    ASSERT_FALSE(x.waitForWindow(QStringLiteral("xmessage")).isEmpty());
    app.writeRecord(1);
    QElapsedTimer clock;
    app.process = x.startProgram();
    const QString load = x.waitForClass(QStringLiteral("hoopwright"), 20000);
    clock.start();
    ASSERT_FALSE(load.isEmpty());
    XSession::pause(500);
    EXPECT_EQ(x.title(load), QString()) << "an empty caption, not the program's name";
    const QRect r = x.geometry(load);
    EXPECT_TRUE(isCentred(r, QSize(379, 244)));

    const QImage shot = x.screenshot();
    // Inside the triangle the metal is drawn; below its lowest corner the window behind shows.
    const QRgb behindColour = shot.pixel(r.left() + 5, r.bottom() - 5);
    EXPECT_NE(shot.pixel(r.left() + 200, r.top() + 40), behindColour);
    EXPECT_EQ(shot.pixel(r.left() + 20, r.top() + 150), behindColour) << "left of the diagonal";
    EXPECT_EQ(shot.pixel(r.left() + 360, r.top() + 200), behindColour) << "past the right side";

    x.moveTo(r.left() + 20, r.top() + 150);
    XSession::pause(200);
    const QString under = x.windowUnderPointer();
    x.moveTo(r.left() + 200, r.top() + 40);
    XSession::pause(200);
    const QString over = x.windowUnderPointer();
    EXPECT_NE(under, over) << "outside the triangle the pointer is over the window behind";
    x.click(r.left() + 200, r.top() + 40); // a click inside does nothing

    ASSERT_FALSE(x.waitForWindow(Driver::kMainCaption, 20000).isEmpty());
    const qint64 handOff = clock.elapsed();
    EXPECT_GE(handOff, 5000);
    EXPECT_LE(handOff, 9500);
    behind->kill();
}

// Without a compositor the translucent window has no alpha to show: the X shape alone cuts
// it, and the window behind still shows outside the triangle.
TEST(StartupWithoutCompositorE2E, TheLoadingScreenShowsOnlyItsTriangle)
{
    XSession x(QSize(1600, 900), false, false);
    ASSERT_TRUE(x.ok());
    QProcess *behind = x.start(QStringLiteral("xmessage"),
        { QStringLiteral("-geometry"), QStringLiteral("1600x900+0+0"), QStringLiteral("behind") });
    ASSERT_FALSE(x.waitForWindow(QStringLiteral("xmessage")).isEmpty());
    QProcess *program = x.startProgram();
    const QString load = x.waitForClass(QStringLiteral("hoopwright"), 20000);
    ASSERT_FALSE(load.isEmpty());
    XSession::pause(500);
    const QRect r = x.geometry(load);
    const QImage shot = x.screenshot();
    const QRgb behindColour = shot.pixel(r.left() + 5, r.bottom() - 5);
    EXPECT_EQ(behindColour, shot.pixel(r.right() + 20, r.bottom() + 20)) << "the window behind, not black";
    EXPECT_NE(shot.pixel(r.left() + 200, r.top() + 40), behindColour);
    EXPECT_EQ(shot.pixel(r.left() + 20, r.top() + 150), behindColour) << "left of the diagonal";
    EXPECT_EQ(shot.pixel(r.left() + 360, r.top() + 200), behindColour) << "past the right side";
    EXPECT_EQ(shot.pixel(r.left() + 8, r.top() + 95), behindColour) << "the focus button";
    program->kill();
    behind->kill();
}

TEST_F(StartupE2E, ASecondCopyDuringTheLoadingWarnsAndMakesNoLogsFolder)
{
    app.writeRecord(1);
    app.process = x.startProgram();
    ASSERT_FALSE(x.waitForClass(QStringLiteral("hoopwright"), 20000).isEmpty());

    // The second copy runs from a folder of its own, so its "Logs" would show there.
    QTemporaryDir folder;
    const QString copy = QDir(folder.path()).filePath(QStringLiteral("hoopwright"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(HOOPWRIGHT_EXECUTABLE), copy));
    QProcess *second = x.start(copy);
    const QString warning = x.waitForWindow(QStringLiteral("Torvane"), 20000);
    ASSERT_FALSE(warning.isEmpty());
    x.activate(warning);
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(XSession::waitForExit(second, 10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(QDir(folder.path()).filePath(QStringLiteral("Logs"))));
    EXPECT_FALSE(x.waitForWindow(Driver::kMainCaption, 20000).isEmpty()) << "the first copy goes on";
}

} // namespace
