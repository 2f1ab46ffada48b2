#pragma once

#include "play/motion.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

// A play's playback as pictures: every frame of it drawn by the play painter, written as an
// animated GIF that loops forever, or as a numbered PNG sequence for a video editor.
//
// Frames come at kAnimationFrameRate a second of the animation's own time: at speed 2 each
// frame moves the play on twice as far. A GIF shows a frame until something moves, so the
// still moments (the pause at each step's end) cost one frame; a PNG sequence holds every
// frame at the rate, as a video needs.
namespace play {

inline constexpr int kAnimationFrameRate = 15; // frames a second; a GIF counts in hundredths
inline constexpr double kAnimationEndHold = 1.0; // seconds a GIF rests on its last frame before it starts again
inline constexpr int kMinAnimationWidth = 64;
inline constexpr int kMaxAnimationWidth = 3840;
inline constexpr double kMinAnimationSpeed = 0.1;
inline constexpr double kMaxAnimationSpeed = 10;

// Widths and speeds beyond their ranges count as the nearest end.
struct AnimationOptions {
    int width = 800; // pixels; the height follows the court's proportions
    double speed = 1; // 1 is the editor's playback at its normal speed
};

// The size of the frames for a court at a width.
QSize animationSize(Court court, int width);

// The moments of the play that the frames at the rate show, from its start until its end.
QList<PlayTime> frameTimes(const Play &play, double speed);

// A GIF's frames: the moments at the rate, each run of frames that show the same thing
// merged into one, with how long it stays on, in hundredths of a second (the last one
// includes the hold at the end).
struct GifFrame {
    PlayTime at;
    Placement placement; // placementAt(at)
    int delay = 0;
};
QList<GifFrame> gifFrames(const Play &play, double speed);

// One frame: the step at a time into it, as the editor's playback shows it, filling an
// image of animationSize.
QImage renderFrame(const Play &play, PlayTime at, QSize size);

// Told how many frames are written out of how many; returns false to stop the writing.
using AnimationProgress = std::function<bool(int done, int total)>;

// Writes the play as an animated GIF, whole or not at all: the bytes go to a temporary
// file beside the target that becomes the target at the end. Returns an empty string on
// success, otherwise a message for a person that names the file and the reason (a full
// disk, a folder that cannot be written to), or animationCancelled() when progress said stop.
QString writeGif(
    const Play &play, const QString &path, const AnimationOptions &options, const AnimationProgress &progress = {});

// The files of a PNG sequence in a folder: "name-0001.png", "name-0002.png", and so on
// (more digits past 9999 frames).
QString sequenceFileName(const QString &name, int frame, int frameCount);

// Writes every frame as a numbered PNG file in a folder, whole or not at all: the frames go
// to a temporary folder inside it and move into place at the end, replacing any earlier
// sequence of the same name (its surplus frames removed too). Returns as writeGif does.
QString writePngSequence(const Play &play, const QString &folder, const QString &name, const AnimationOptions &options,
    const AnimationProgress &progress = {});

// What the writers return when the progress callback stopped them.
QString animationCancelled();

} // namespace play
