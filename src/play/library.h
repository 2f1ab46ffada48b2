#pragma once

#include "play/playfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// A folder of play files as the library sees it: what a play file says about itself, its
// thumbnail, and the file operations of the library with the checks they need. Nothing
// here touches a widget, and everything may run on any thread.
namespace play {

// The step a thumbnail shows.
enum class ThumbnailStep { First, Last };

// What the library lists of a play file.
struct LibraryEntry {
    Court court = Court::Half;
    int steps = 0;
    QStringList tags;
    QString notes; // every step's note, one after the other, for the search
    QString error; // empty when the file was read; otherwise why it cannot be, for a person

    bool ok() const { return error.isEmpty(); }
};

LibraryEntry libraryEntry(const ReadResult &read);

// A step of a play drawn by the one painter into an image of a size in pixels, the court
// fitted and centred on a transparent ground.
QImage drawThumbnail(const Play &play, ThumbnailStep which, QSize pixels);

// The name of a thumbnail in the cache folder: the play file's path, last change and size,
// and the picture asked for, so a changed file or another size never finds a stale one.
QString thumbnailCacheName(
    const QString &path, const QDateTime &modified, qint64 size, ThumbnailStep which, QSize pixels);

// Removes the thumbnails of a cache folder last written before a time: those of plays
// renamed, changed or deleted since would stay for ever, and one still wanted is drawn again.
void pruneThumbnailCache(const QString &folder, const QDateTime &before);

// What is wrong with a play's name as a file name on Linux and Windows ("a name cannot hold
// the character /"), or an empty string when it will do.
QString checkPlayName(const QString &name);

// The path of a play named name in a folder.
QString playPath(const QString &folder, const QString &name);

// A name in a folder no file has yet: the name itself, else "name 2", "name 3", and so on.
QString freshPlayName(const QString &folder, const QString &name);

// A play file moved out of its folder, to the system's trash when the folder has one, else
// its bytes kept here; put back with restorePlayFile.
struct TrashedPlay {
    QString trashPath; // where the trash keeps it, or empty
    QByteArray bytes; // the file's bytes when there was no trash to take it
    QString error; // why it could not be moved out, for a person

    bool ok() const { return error.isEmpty(); }
};

// Moves a play file out: to the trash, or (where there is none and keepBytes is true)
// deletes it after keeping its bytes.
TrashedPlay trashPlayFile(const QString &path, bool keepBytes);

// Puts a trashed play back at its path, which must be free; returns an empty string or why
// it could not.
QString restorePlayFile(const TrashedPlay &trashed, const QString &path);

} // namespace play
