#pragma once

#include "play/play.h"

#include <QByteArray>
#include <QString>

// Play files: one play a file, UTF-8 JSON with a format name and a version (docs/ describes
// the format). This is the one place that checks a file and says what is wrong with it.
namespace play {

// The version this program writes; every earlier one reads.
inline constexpr int kFormatVersion = 3;
inline constexpr const char *kFormatName = "hoopwright-play";
inline constexpr const char *kFileSuffix = "hwplay";
// A play file larger than this is refused unread.
inline constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

struct ReadResult {
    Play play;
    QString error; // empty when the play was read; otherwise what is wrong, for a person

    bool ok() const { return error.isEmpty(); }
};

// What is wrong with a play, for a person ("step 4: the position of Opponent 2 lies outside
// the court"), or an empty string when it is whole: steps 1 to kMaxSteps, numbers 0 to
// kMaxNumber, names, notes and tags within their lengths and counts (in characters, as a person counts
// them), every position within the court's extent (courtSize), the holder a player or
// kNoHolder, each step's actions whole (checkActionValues). Reading refuses such a play, and
// so does writing. Who holds the ball when a pass is drawn is left to checkActions: a later
// step's pass may lose its ball by an edit of an earlier step, and the play still saves.
QString checkPlay(const Play &play);

// The file's bytes for a play.
QByteArray toJson(const Play &play);

// A play from a file's bytes; never half-read: on any fault the error says what is wrong
// (not JSON, another format, a newer version, a missing or out-of-range value) and the
// play is left empty. Out-of-range values are refused, not clamped.
ReadResult fromJson(const QByteArray &data);

// Reads a play file; the error names what is wrong, not the file (callers name it).
ReadResult readPlayFile(const QString &path);

// Writes a play file whole or not at all (QSaveFile); returns an empty string on success,
// otherwise the reason for a person ("No space left on device").
QString writePlayFile(const Play &play, const QString &path);

} // namespace play
