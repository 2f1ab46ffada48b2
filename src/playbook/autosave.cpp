#include "playbook/autosave.h"

#include "play/playfile.h"
#include "playbook/playdocument.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

#include <map>

namespace {

int intervalMilliseconds()
{
    // Tests shorten the wait.
    bool ok = false;
    const int interval = qEnvironmentVariableIntValue("HOOPWRIGHT_PLAYBOOK_AUTOSAVE_MS", &ok);
    return ok && interval > 0 ? interval : 30000;
}

// The locks of the copies this process took over, held until each is restored or declined.
std::map<QString, std::unique_ptr<QLockFile>> &orphanLocks()
{
    static std::map<QString, std::unique_ptr<QLockFile>> locks;
    return locks;
}

QString pathFile(const QString &copy)
{
    return copy.chopped(int(qstrlen(play::kFileSuffix)) + 1) + QStringLiteral(".path");
}

} // namespace

Autosave::Autosave(PlayDocument &document, QObject *parent)
    : QObject(parent)
    , document_(document)
    , id_(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    timer_.setInterval(intervalMilliseconds());
    connect(&timer_, &QTimer::timeout, this, &Autosave::saveNow);
    timer_.start();
}

Autosave::~Autosave()
{
    removeCopy();
    if (lock_)
        lock_->unlock();
}

QString Autosave::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/autosave");
}

QString Autosave::copyPath() const
{
    return folder() + QLatin1Char('/') + id_ + QLatin1Char('.') + QLatin1String(play::kFileSuffix);
}

void Autosave::saveNow()
{
    if (document_.undoStack()->isClean()) {
        removeCopy();
        return;
    }
    // The lock is taken before the first copy is written, so that no copy of a living window
    // is ever found unlocked; taking it writes a file through to the disk, which a window's
    // start need not wait for.
    if (!lock_) {
        QDir().mkpath(folder());
        lock_ = std::make_unique<QLockFile>(folder() + QLatin1Char('/') + id_ + QStringLiteral(".lock"));
        lock_->setStaleLockTime(0);
        lock_->tryLock(0);
    }
    if (!play::writePlayFile(document_.play(), copyPath()).isEmpty())
        return; // tried again at the next interval
    QFile path(pathFile(copyPath()));
    if (path.open(QIODevice::WriteOnly | QIODevice::Truncate))
        path.write(document_.filePath().toUtf8());
}

void Autosave::removeCopy()
{
    QFile::remove(copyPath());
    QFile::remove(pathFile(copyPath()));
}

QList<Autosave::Orphan> Autosave::takeOrphans()
{
    QList<Orphan> orphans;
    const QDir dir(folder());
    // A window killed with nothing unsaved leaves only its lock: cleared here.
    for (const QString &name : dir.entryList({ QStringLiteral("*.lock") }, QDir::Files)) {
        const QString id = name.chopped(5);
        if (QFile::exists(dir.filePath(id + QLatin1Char('.') + QLatin1String(play::kFileSuffix))))
            continue;
        QLockFile lock(dir.filePath(name));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            lock.unlock();
    }
    const QString suffix = QLatin1Char('.') + QLatin1String(play::kFileSuffix);
    for (const QString &name : dir.entryList({ QLatin1Char('*') + suffix }, QDir::Files, QDir::Time)) {
        const QString id = name.chopped(suffix.size());
        // A live window holds its copy's lock; a crashed one's lock is stale and taken here.
        auto lock = std::make_unique<QLockFile>(dir.filePath(id + QStringLiteral(".lock")));
        // Stale only when its process is gone, however old.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            continue;
        const play::ReadResult read = play::readPlayFile(dir.filePath(name));
        QFile pathFileOfCopy(dir.filePath(id + QStringLiteral(".path")));
        QString filePath;
        if (pathFileOfCopy.open(QIODevice::ReadOnly))
            filePath = QString::fromUtf8(pathFileOfCopy.read(64 * 1024));
        if (!read.ok()) {
            lock->unlock();
            discardOrphan(id);
            continue;
        }
        // Held until the play is restored or declined; no other start offers it meanwhile.
        orphanLocks()[id] = std::move(lock);
        orphans.append(Orphan { read.play, filePath, id });
    }
    return orphans;
}

void Autosave::discardOrphan(const QString &id)
{
    orphanLocks().erase(id);
    const QDir dir(folder());
    QFile::remove(dir.filePath(id + QLatin1Char('.') + QLatin1String(play::kFileSuffix)));
    QFile::remove(dir.filePath(id + QStringLiteral(".path")));
    QFile::remove(dir.filePath(id + QStringLiteral(".lock")));
}
