// The command-line exports of the real hoopwright-playbook, with no display at all, their
// files read back with ImageMagick as another program would.
#include "e2e/driver.h"
#include "e2e/shapes.h"
#include "play/playanimation.h"
#include "play/playfile.h"
#include "play/playpainter.h"
#include "support/sampleplays.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Runs a program with no display in its environment; its exit code, and what it wrote to
// standard output and error.
struct Finished {
    int exitCode = -1;
    QString output;
    QString errors;
};

Finished runWithoutDisplay(const QString &program, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return {};
    return Finished { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()) };
}

class ExportE2E : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// --export-gif writes the play's playback: ImageMagick counts the frames the play library
// plans, at the width asked, and finds the cutter on a middle frame where the playback has it.
TEST_F(ExportE2E, WritesAGifWithoutADisplay)
{
    const play::Play play = crossingPlay();
    ASSERT_EQ(play::writePlayFile(play, path(QStringLiteral("Cut.hwplay"))), QString());
    const Finished run = runWithoutDisplay(QStringLiteral(HOOPWRIGHT_PLAYBOOK_EXECUTABLE),
        { QStringLiteral("--export-gif"), path(QStringLiteral("Cut.gif")), path(QStringLiteral("Cut.hwplay")),
            QStringLiteral("--width"), QStringLiteral("480") });
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();

    const QList<play::GifFrame> frames = play::gifFrames(play, 1);
    const QSize size = play::animationSize(play.court, 480);
    const Finished identify = runWithoutDisplay(QStringLiteral("identify"),
        { QStringLiteral("-format"), QStringLiteral("%W %H %T\n"), path(QStringLiteral("Cut.gif")) });
    ASSERT_EQ(identify.exitCode, 0) << identify.errors.toStdString();
    const QStringList lines = identify.output.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), frames.size());
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], QStringLiteral("%1 %2 %3").arg(size.width()).arg(size.height()).arg(frames[i].delay))
            << "frame " << i;
    }

    const int middle = int(frames.size() / 3);
    const Finished convert = runWithoutDisplay(QStringLiteral("convert"),
        { path(QStringLiteral("Cut.gif[0-%1]").arg(middle)), QStringLiteral("-coalesce"), QStringLiteral("-delete"),
            QStringLiteral("0--2"), path(QStringLiteral("middle.png")) });
    ASSERT_EQ(convert.exitCode, 0) << convert.errors.toStdString();
    const QImage shown(path(QStringLiteral("middle.png")));
    ASSERT_EQ(shown.size(), size);
    const QPoint expected
        = play::fitCourt(play.court, QRectF(shown.rect())).map(frames[middle].placement.positions[0]).toPoint();
    const auto blobs = shapes::blobs(shown, QRect(0, 0, size.width(), size.height() * 3 / 4), isAllyRed, 10);
    ASSERT_EQ(blobs.size(), 1u) << "the cutter alone, away from the row at the bottom";
    EXPECT_LT((blobs.front().center() - expected).manhattanLength(), 12)
        << "found at " << blobs.front().center().x() << "," << blobs.front().center().y() << ", expected at "
        << expected.x() << "," << expected.y();
}

// What cannot be exported says why on standard error and exits with 1, leaving no file.
TEST_F(ExportE2E, RefusesWhatItCannotExportWithAReason)
{
    ASSERT_EQ(play::writePlayFile(crossingPlay(), path(QStringLiteral("Cut.hwplay"))), QString());
    QFile broken(path(QStringLiteral("Broken.hwplay")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{ not a play");
    broken.close();
    const QString gif = path(QStringLiteral("out.gif"));
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        { { gif, path(QStringLiteral("Broken.hwplay")) },
            QStringLiteral("cannot read %1: ").arg(path(QStringLiteral("Broken.hwplay"))) },
        { { gif, path(QStringLiteral("Cut.hwplay")), QStringLiteral("--width"), QStringLiteral("12") },
            QStringLiteral("--width takes a whole number") },
        { { gif }, QStringLiteral("--export-gif needs one play file") },
        { { path(QStringLiteral("no/such/folder/out.gif")), path(QStringLiteral("Cut.hwplay")) },
            QStringLiteral("cannot write %1: ").arg(path(QStringLiteral("no/such/folder/out.gif"))) },
    };
    for (const auto &c : cases) {
        const Finished run = runWithoutDisplay(QStringLiteral(HOOPWRIGHT_PLAYBOOK_EXECUTABLE),
            QStringList { QStringLiteral("--export-gif") } + c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("hoopwright-playbook: ") + c.message))
            << run.errors.toStdString();
        EXPECT_FALSE(QFile::exists(gif));
    }
}

} // namespace
