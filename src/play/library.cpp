#include "play/library.h"

#include "play/playfile.h"
#include "play/playpainter.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

namespace play {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("play", text);
}

// Bumped when thumbnails are drawn differently, so the cache holds no picture of the old look.
constexpr int kThumbnailLook = 1;

} // namespace

LibraryEntry libraryEntry(const ReadResult &read)
{
    LibraryEntry entry;
    if (!read.ok()) {
        entry.error = read.error;
        return entry;
    }
    entry.court = read.play.court;
    entry.steps = int(read.play.steps.size());
    entry.tags = read.play.tags;
    QStringList notes;
    for (const Step &step : read.play.steps) {
        if (!step.note.isEmpty())
            notes.append(step.note);
    }
    entry.notes = notes.join(QLatin1Char('\n'));
    return entry;
}

QImage drawThumbnail(const Play &play, ThumbnailStep which, QSize pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (play.steps.isEmpty())
        return image;
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    painter.setTransform(fitCourt(play.court, QRectF(image.rect())));
    drawStep(painter, play, which == ThumbnailStep::First ? 0 : int(play.steps.size()) - 1);
    return image;
}

QString thumbnailCacheName(
    const QString &path, const QDateTime &modified, qint64 size, ThumbnailStep which, QSize pixels)
{
    const QString key = QStringLiteral("%1\n%2\n%3\n%4\n%5x%6\n%7")
                            .arg(path)
                            .arg(modified.toMSecsSinceEpoch())
                            .arg(size)
                            .arg(which == ThumbnailStep::First ? 0 : 1)
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(kThumbnailLook);
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex())
        + QStringLiteral(".png");
}

void pruneThumbnailCache(const QString &folder, const QDateTime &before)
{
    const QFileInfoList files = QDir(folder).entryInfoList({ QStringLiteral("*.png") }, QDir::Files);
    for (const QFileInfo &file : files) {
        if (file.lastModified() < before)
            QFile::remove(file.absoluteFilePath());
    }
}

QString checkPlayName(const QString &name)
{
    if (name.trimmed().isEmpty())
        return tr("a play needs a name");
    if (name != name.trimmed())
        return tr("a name cannot begin or end with a space");
    if (name.size() > 120)
        return tr("a name holds at most 120 characters");
    // The characters Windows refuses in a file name, and the separators of both systems.
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : name) {
        if (forbidden.contains(c))
            return tr("a name cannot hold the character %1").arg(c);
        if (c.category() == QChar::Other_Control)
            return tr("a name cannot hold a control character");
    }
    if (name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char('.')))
        return tr("a name cannot begin or end with a full stop");
    // Names Windows keeps for its devices, with any extension.
    static const QStringList reserved = { QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
        QStringLiteral("NUL"), QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
        QStringLiteral("COM4"), QStringLiteral("COM5"), QStringLiteral("COM6"), QStringLiteral("COM7"),
        QStringLiteral("COM8"), QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
        QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"), QStringLiteral("LPT6"),
        QStringLiteral("LPT7"), QStringLiteral("LPT8"), QStringLiteral("LPT9") };
    if (reserved.contains(name.section(QLatin1Char('.'), 0, 0), Qt::CaseInsensitive))
        return tr("%1 is a name Windows keeps for a device").arg(name);
    return {};
}

QString playPath(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + QLatin1Char('.') + QLatin1String(kFileSuffix));
}

QString freshPlayName(const QString &folder, const QString &name)
{
    QString candidate = name;
    for (int n = 2; QFileInfo::exists(playPath(folder, candidate)); ++n)
        candidate = QStringLiteral("%1 %2").arg(name).arg(n);
    return candidate;
}

TrashedPlay trashPlayFile(const QString &path, bool keepBytes)
{
    TrashedPlay trashed;
    QFile file(path);
    if (file.moveToTrash()) {
        trashed.trashPath = file.fileName();
        return trashed;
    }
    if (!keepBytes) {
        trashed.error = tr("there is no trash for this folder");
        return trashed;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        trashed.error = file.errorString();
        return trashed;
    }
    trashed.bytes = file.read(kMaxFileSize + 1);
    file.close();
    if (trashed.bytes.size() > kMaxFileSize || !file.remove())
        trashed.error = file.errorString();
    return trashed;
}

QString restorePlayFile(const TrashedPlay &trashed, const QString &path)
{
    if (QFileInfo::exists(path))
        return tr("another file has taken its name");
    if (!trashed.trashPath.isEmpty()) {
        // rename() moves across file systems too, by copying.
        QFile file(trashed.trashPath);
        if (!file.rename(path))
            return file.errorString();
        // A desktop trash keeps a note of each file beside its files folder; the note of a
        // file taken back would list it in the trash still.
        const QFileInfo taken(trashed.trashPath);
        if (taken.dir().dirName() == QLatin1String("files")) {
            QFile::remove(QDir(taken.dir().absolutePath() + QStringLiteral("/../info"))
                              .filePath(taken.fileName() + QStringLiteral(".trashinfo")));
        }
        return {};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(trashed.bytes) != trashed.bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace play
