#include "play/playanimation.h"
#include "play/playpainter.h"
#include "support/gifdecoder.h"
#include "support/sampleplays.h"
#include "support/systemfixtures.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace play;

namespace {

bool isAllyRed(QRgb c)
{
    return qRed(c) > 190 && qGreen(c) < 90 && qBlue(c) < 90;
}

// The red pixels of an ally's number disc around where a jersey stands on a frame.
int allyRedAround(const QImage &frame, Court court, QPointF position)
{
    const QTransform fit = fitCourt(court, QRectF(frame.rect()));
    const QPointF disc = position + QPointF(0, kJerseyHeight * (112.0 / 192 - 0.5));
    const QPoint centre = fit.map(disc).toPoint();
    const int radius = qMax(3, int(kJerseyWidth * fit.m11() / 3));
    int count = 0;
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y) {
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x) {
            if (frame.rect().contains(x, y) && isAllyRed(frame.pixel(x, y)))
                ++count;
        }
    }
    return count;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class PlayAnimation : public ::testing::Test {
protected:
    static void SetUpTestSuite() { registerFonts(); }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

struct TimingCase {
    const char *name;
    int steps; // of movingPlay; 0 for a new play, which stands still
    double speed;
};

class AnimationTiming : public PlayAnimation, public ::testing::WithParamInterface<TimingCase> { };

// The frames come at the rate through the play's whole length at the speed; a GIF's delays add
// up to that length and the rest at the end, each frame on for a while, the still moments
// merged into the frame before.
TEST_P(AnimationTiming, FramesCoverThePlayAtTheRate)
{
    const Play play = GetParam().steps ? movingPlay(GetParam().steps) : newPlay(Court::Half);
    const double speed = GetParam().speed;
    const double seconds = playDuration(play) / speed;

    const QList<PlayTime> times = frameTimes(play, speed);
    EXPECT_EQ(times.size(), qsizetype(std::ceil(seconds * kAnimationFrameRate - 1e-9)));
    EXPECT_EQ(times.first().step, 0);
    EXPECT_EQ(times.first().seconds, 0);
    EXPECT_EQ(times.last().step, play.steps.size() - 1);

    const QList<GifFrame> frames = gifFrames(play, speed);
    int total = 0;
    for (const GifFrame &frame : frames) {
        EXPECT_GT(frame.delay, 0);
        total += frame.delay;
    }
    EXPECT_EQ(total, std::lround(seconds * 100) + std::lround(kAnimationEndHold * 100));
    EXPECT_LT(frames.size(), times.size()) << "every step pauses at its end";
    for (qsizetype i = 1; i < frames.size(); ++i) {
        EXPECT_FALSE(frames[i].at.step == frames[i - 1].at.step && frames[i].placement == frames[i - 1].placement)
            << "frame " << i << " shows what the one before showed";
    }
}

INSTANTIATE_TEST_SUITE_P(Plays, AnimationTiming,
    ::testing::Values(TimingCase { "StillPlay", 0, 1 }, TimingCase { "ThreeSteps", 3, 1 },
        TimingCase { "TwiceAsFast", 3, 2 }, TimingCase { "QuarterSpeed", 2, 0.25 }),
    [](const auto &info) { return std::string(info.param.name); });

// The GIF read back: the frames' size and count, their delays, the endless loop, and the
// cutter halfway along the cut in the frame of that moment, gone from where it started.
TEST_F(PlayAnimation, WritesAGifThatShowsThePlayback)
{
    const Play play = crossingPlay();
    const AnimationOptions options { 400, 1 };
    ASSERT_EQ(writeGif(play, path("cut.gif"), options), QString());

    const DecodedGif gif(path("cut.gif"));
    ASSERT_EQ(gif.error(), QString());
    EXPECT_EQ(gif.size(), animationSize(Court::Half, 400));
    const QList<GifFrame> frames = gifFrames(play, 1);
    ASSERT_EQ(gif.frameCount(), frames.size());
    QList<int> delays;
    for (const GifFrame &frame : frames)
        delays.append(frame.delay);
    EXPECT_EQ(gif.delays(), delays);
    EXPECT_TRUE(gif.loopsForever());

    const double cutSeconds = timeline(play, 0).actions.first().end;
    int middle = 0;
    while (frames[middle + 1].at.seconds < cutSeconds / 2)
        ++middle;
    const QPointF cutter = frames[middle].placement.positions[0];
    ASSERT_GT(QLineF(cutter, kCrossingFrom).length(), 3000) << "a moment well into the cut";
    ASSERT_GT(QLineF(cutter, kCrossingTo).length(), 3000);
    const QImage shown = gif.frame(middle);
    EXPECT_GT(allyRedAround(shown, play.court, cutter), 10) << "the cutter where the playback puts it";
    EXPECT_EQ(allyRedAround(shown, play.court, kCrossingFrom), 0) << "not where it started";
    EXPECT_EQ(allyRedAround(gif.frame(0), play.court, kCrossingTo), 0);
    EXPECT_GT(allyRedAround(gif.frame(gif.frameCount() - 1), play.court, kCrossingTo), 10)
        << "at the end, where it went";
}

// Every frame of the playback as a PNG file at the rate, numbered from 1; an earlier sequence
// of the same name is replaced whole, its surplus frames gone, and nothing else is touched.
TEST_F(PlayAnimation, WritesEveryFrameAsANumberedPng)
{
    const Play play = crossingPlay();
    const QList<PlayTime> times = frameTimes(play, 2);
    for (int frame = 1; frame <= times.size() + 3; ++frame)
        QFile(path(sequenceFileName(QStringLiteral("cut"), frame, 1))).open(QIODevice::WriteOnly);
    QFile(path(QStringLiteral("cut-notes.png"))).open(QIODevice::WriteOnly);

    ASSERT_EQ(writePngSequence(play, dir.path(), QStringLiteral("cut"), AnimationOptions { 320, 2 }), QString());
    QStringList expected { QStringLiteral("cut-notes.png") };
    for (int frame = 1; frame <= times.size(); ++frame)
        expected.append(sequenceFileName(QStringLiteral("cut"), frame, int(times.size())));
    expected.sort();
    EXPECT_EQ(entries(dir.path()), expected);

    const int middle = int(times.size() / 2);
    QImageReader reader(path(sequenceFileName(QStringLiteral("cut"), middle + 1, int(times.size()))));
    const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image, renderFrame(play, times[middle], animationSize(Court::Half, 320)));
}

TEST(SequenceFileName, NumbersWithFourDigitsOrAsManyAsTheCountNeeds)
{
    EXPECT_EQ(sequenceFileName(QStringLiteral("Horns"), 1, 12), QStringLiteral("Horns-0001.png"));
    EXPECT_EQ(sequenceFileName(QStringLiteral("Horns"), 9999, 9999), QStringLiteral("Horns-9999.png"));
    EXPECT_EQ(sequenceFileName(QStringLiteral("Horns"), 7, 12000), QStringLiteral("Horns-00007.png"));
}

// Stopped by its progress, a writer leaves the folder as it was.
TEST_F(PlayAnimation, CancelledLeavesNothing)
{
    const Play play = movingPlay(2);
    int calls = 0;
    const AnimationProgress stopAtThird = [&](int done, int total) {
        EXPECT_LE(done, total);
        return ++calls < 3;
    };
    EXPECT_EQ(writeGif(play, path("stopped.gif"), AnimationOptions { 200, 1 }, stopAtThird), animationCancelled());
    calls = 0;
    EXPECT_EQ(writePngSequence(play, dir.path(), QStringLiteral("stopped"), AnimationOptions { 200, 1 }, stopAtThird),
        animationCancelled());
    EXPECT_EQ(entries(dir.path()), QStringList());
}

struct FailureCase {
    const char *name;
    const char *reason;
};

class AnimationWriteFailure : public PlayAnimation, public ::testing::WithParamInterface<FailureCase> { };

// A folder that vanished, cannot be written to, or fills up: the message names the file and
// the system's reason, and the folder holds what it held.
TEST_P(AnimationWriteFailure, NamesTheFileAndTheReasonAndLeavesNothing)
{
    const std::string name = GetParam().name;
    const QString folder = path(QStringLiteral("exports"));
    ASSERT_TRUE(QDir().mkpath(folder));
    std::unique_ptr<TmpfsMount> mount;
    if (name == "VanishedFolder") {
        ASSERT_TRUE(QDir(folder).removeRecursively());
    } else {
        mount = std::make_unique<TmpfsMount>(folder, "96k", name == "ReadOnlyFolder" ? MS_RDONLY : 0);
        if (!mount->mounted())
            GTEST_SKIP() << mount->skipReason();
        if (name == "FullDisk")
            mount->fill();
    }
    const QStringList before = entries(folder);
    const Play play = movingPlay(2);
    const AnimationOptions options { 640, 1 };

    const QString gif = QDir(folder).filePath(QStringLiteral("play.gif"));
    const QString gifError = writeGif(play, gif, options);
    EXPECT_TRUE(gifError.startsWith(QStringLiteral("cannot write %1: ").arg(gif))) << gifError.toStdString();
    EXPECT_TRUE(gifError.endsWith(QLatin1String(GetParam().reason))) << gifError.toStdString();
    EXPECT_EQ(entries(folder), before);

    const QString sequenceError = writePngSequence(play, folder, QStringLiteral("play"), options);
    EXPECT_TRUE(sequenceError.contains(QDir(folder).filePath(QStringLiteral("play-0")))) << sequenceError.toStdString();
    EXPECT_TRUE(sequenceError.endsWith(QLatin1String(GetParam().reason))) << sequenceError.toStdString();
    EXPECT_EQ(entries(folder), before);
}

INSTANTIATE_TEST_SUITE_P(Folders, AnimationWriteFailure,
    ::testing::Values(FailureCase { "VanishedFolder", "No such file or directory" },
        FailureCase { "ReadOnlyFolder", "Read-only file system" },
        FailureCase { "FullDisk", "No space left on device" }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
