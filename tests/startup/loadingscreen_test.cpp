#include "mainwindow/mainwindow.h"
#include "startup/firstuserecord.h"
#include "startup/loadingscreen.h"
#include "startup/termsscreen.h"
#include "support/programfixture.h"
#include "widgets/controls.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

namespace {

class Loading : public ProgramTest {
protected:
    void start()
    {
        event([this] { program->loadingScreen.show(); });
    }
    LoadingScreen *load() { return program->loadingScreen.existing(); }
    QString logs() const { return QDir(services.folder.path()).filePath(QStringLiteral("Logs")); }
};

struct TickCase {
    int ticks;
    const char *text;
};

class LoadingTicks : public Loading, public ::testing::WithParamInterface<TickCase> { };

TEST_P(LoadingTicks, TheFillMovesFiveTwipsATickAndTheTextChangesAtFixedPoints)
{
    start();
    ASSERT_TRUE(program->loadingScreen.exists());
    EXPECT_FALSE(load()->isHidden());
    tick(load()->animationTimer, GetParam().ticks);
    EXPECT_EQ(load()->fillLeft(), -2800.0f + 5 * GetParam().ticks);
    EXPECT_EQ(load()->statusText->text(), QString::fromLatin1(GetParam().text));
    EXPECT_EQ(load()->progressFill->x(), qRound((-2800.0 + 5 * GetParam().ticks) / 15));
}

INSTANTIATE_TEST_SUITE_P(Phases, LoadingTicks,
    ::testing::Values(TickCase { 0, "Loading System..." }, TickCase { 439, "Loading System..." },
        TickCase { 440, "Verifying License.." }, TickCase { 459, "Verifying License.." },
        TickCase { 460, "Freeware..." }, TickCase { 479, "Freeware..." }, TickCase { 480, "Loading Resources..." },
        TickCase { 499, "Loading Resources..." }, TickCase { 500, "Starting Program..." },
        TickCase { 559, "Starting Program..." }),
    [](const auto &info) { return "tick_" + std::to_string(info.param.ticks); });

TEST_F(Loading, TheLastTickHandsOverToTheTermsOnAFirstRun)
{
    start();
    platform::TickTimer *timer = load()->animationTimer;
    tick(timer, 560);
    EXPECT_FALSE(program->loadingScreen.exists());
    EXPECT_FALSE(timer->isEnabled()) << "no tick after the last";
    ASSERT_TRUE(program->termsScreen.exists());
    EXPECT_FALSE(program->termsScreen.frame()->isHidden());
    EXPECT_FALSE(program->mainWindow.exists());
}

TEST_F(Loading, TheLastTickOpensTheMainWindowOnALaterRun)
{
    FirstUseRecord(services).write(services.clock.addDays(-3));
    start();
    platform::TickTimer *timer = load()->animationTimer;
    tick(timer, 560);
    EXPECT_FALSE(program->loadingScreen.exists());
    EXPECT_FALSE(program->termsScreen.exists());
    ASSERT_TRUE(program->mainWindow.exists());
    EXPECT_FALSE(program->mainWindow.frame()->isHidden());
    EXPECT_TRUE(program->mainWindow.existing()->usageSentence->text().endsWith(QStringLiteral("(Total: 3 Days)")));
    flush();
    EXPECT_EQ(services.quits, 0);
}

TEST_F(Loading, TheLogsFolderIsMadeOnceAndLeftAlone)
{
    start();
    ASSERT_TRUE(QDir(logs()).exists());
    QFile marker(QDir(logs()).filePath(QStringLiteral("kept")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    program.reset();
    flush();
    program = std::make_unique<Program>(services);
    start();
    EXPECT_TRUE(QFile::exists(marker.fileName()));
}

TEST_F(Loading, AnInstalledCopyMakesNoLogsFolder)
{
    services.installed = true;
    start();
    ASSERT_TRUE(program->loadingScreen.exists());
    EXPECT_FALSE(QDir(logs()).exists());
}

TEST_F(Loading, ADuplicateEndsTheStartBeforeAnythingIsShownOrMade)
{
    services.anotherCopy = true;
    start();
    EXPECT_TRUE(program->ended());
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(services.boxes[0].title, QStringLiteral("Torvane"));
    EXPECT_EQ(services.boxes[0].text, QStringLiteral("This application is already running!"));
    EXPECT_FALSE(program->loadingScreen.exists());
    EXPECT_FALSE(QDir(logs()).exists());
}

TEST_F(Loading, TicksBehindTheDuplicateWarningGoNowhere)
{
    // The user leaves the warning open past the end of the animation.
    services.anotherCopy = true;
    services.whileBoxOpen = [&] {
        if (LoadingScreen *screen = load())
            tick(screen->animationTimer, 600);
    };
    start();
    EXPECT_EQ(services.boxes.size(), 1u) << "no second warning from the main window";
    EXPECT_FALSE(program->mainWindow.exists());
    EXPECT_FALSE(program->termsScreen.exists());
    EXPECT_TRUE(program->ended());
}

// Cut for input and for X servers by its shape, and painted only inside it on a translucent
// window, for compositors that ignore the shape.
TEST_F(Loading, TheWindowIsCutToTheTriangle)
{
    start();
    const QRegion mask = load()->mask();
    EXPECT_EQ(load()->size(), QSize(379, 244));
    EXPECT_TRUE(load()->testAttribute(Qt::WA_TranslucentBackground));
    const QImage painted = load()->grab().toImage();
    ASSERT_TRUE(painted.hasAlphaChannel());
    struct Point {
        QPoint at;
        bool inside;
        const char *what;
    };
    for (const Point &p : { Point { { 10, 2 }, true, "top left" }, Point { { 300, 195 }, true, "lowest corner" },
             Point { { 370, 120 }, true, "right side" }, Point { { 5, 100 }, false, "left of the diagonal" },
             Point { { 375, 200 }, false, "past the right side" }, Point { { 150, 230 }, false, "below the corner" },
             Point { { 8, 95 }, false, "the focus button" } }) {
        EXPECT_EQ(mask.contains(p.at), p.inside) << p.what;
        EXPECT_EQ(qAlpha(painted.pixel(p.at)), p.inside ? 255 : 0) << p.what;
    }
}

} // namespace
