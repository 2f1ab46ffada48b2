// Writing a play of 10 steps with actions as an animated GIF 800 pixels wide, as the
// editor's File > Export and --export-gif do.
#include "play/playanimation.h"
#include "play/playcheck.h"
#include "play/playfile.h"
#include "play/playpainter.h"
#include "support/sampleplays.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    play::registerFonts();
    constexpr int kSteps = 10;
    constexpr double kGoalSeconds = 3;
    constexpr qint64 kGoalBytes = 1000 * 1000;
    const play::Play play = movingPlay(kSteps);
    QTemporaryDir folder;
    // A path given keeps the GIF there, to look at.
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : folder.filePath(QStringLiteral("play.gif"));
    if (argc > 2)
        play::writePlayFile(play, QString::fromLocal8Bit(argv[2]));
    QElapsedTimer clock;
    clock.start();
    const QString error = play::writeGif(play, path, play::AnimationOptions {});
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (!error.isEmpty()) {
        std::fprintf(stderr, "animation_bench: %s\n", qUtf8Printable(error));
        return 1;
    }
    const qint64 bytes = QFileInfo(path).size();
    const int frames = int(play::gifFrames(play, 1).size());
    std::printf(
        "| animation: a GIF of a play of %d steps with actions, 800 px wide (%.1f s of play, %d frames) | %.2f s, "
        "%lld kB | | under %.0f s and 1 MB | %s |\n",
        kSteps, play::playDuration(play), frames, seconds, bytes / 1000, kGoalSeconds,
        seconds < kGoalSeconds && bytes < kGoalBytes ? "yes" : "no");
    return 0;
}
