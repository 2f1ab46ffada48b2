#include "platform/userfolders.h"

#include <QDir>
#include <QHash>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
namespace {

// A folder named by bytes from the environment or the password database, as a path for the
// rest of the program. A name that is not valid in the file-name encoding would come back
// as other bytes (U+FFFD in place of the bad ones), another folder; on Linux the deepest
// folder of it that exists is reached through a descriptor of its own instead, kept open
// for the life of the process, so that the exact folder is used and nothing is made beside
// it.
QString folderFromBytes(const QByteArray &bytes)
{
    const QString name = QDir::cleanPath(QFile::decodeName(bytes));
    if (QFile::encodeName(QFile::decodeName(bytes)) == bytes)
        return name;
#ifdef Q_OS_LINUX
    static QHash<QByteArray, QString> reached;
    if (const auto known = reached.constFind(bytes); known != reached.constEnd())
        return *known;
    QByteArray existing = bytes;
    QString rest;
    while (!existing.isEmpty()) {
        const int fd = ::open(existing.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            const QString path = QDir::cleanPath(QStringLiteral("/proc/self/fd/%1").arg(fd) + rest);
            reached.insert(bytes, path);
            return path;
        }
        const qsizetype slash = existing.lastIndexOf('/');
        if (errno != ENOENT || slash <= 0)
            break;
        rest.prepend(QLatin1Char('/') + QFile::decodeName(existing.mid(slash + 1)));
        existing.truncate(slash);
    }
#endif
    return name;
}

// The user's home folder: $HOME when it is an absolute path, otherwise the one the
// password database gives for the user the process runs as.
QString homeFolder()
{
    const QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        return folderFromBytes(home);
    if (const passwd *entry = getpwuid(geteuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/')
        return folderFromBytes(QByteArray(entry->pw_dir));
    return QDir::homePath();
}

} // namespace
#endif

QString dataFolder()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (dataHome.startsWith('/'))
        return folderFromBytes(dataHome);
    return QDir(homeFolder()).filePath(QStringLiteral(".local/share"));
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

QString lockFilePath(const QString &name)
{
#ifdef Q_OS_UNIX
    // The runtime folder only when it is a folder of the user's own that nobody else may
    // write into; otherwise a name of the user's own in the temporary folder. Nothing is
    // made for it (Qt's own fallback would make a folder and leave it behind).
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat folder = {};
    if (runtime.startsWith('/') && ::stat(runtime.constData(), &folder) == 0 && S_ISDIR(folder.st_mode)
        && folder.st_uid == geteuid() && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return QFile::decodeName(runtime) + QLatin1Char('/') + name + QStringLiteral(".lock");
    return QDir(QDir::tempPath())
        .filePath(name + QLatin1Char('-') + QString::number(geteuid()) + QStringLiteral(".lock"));
#else
    return QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock"));
#endif
}

} // namespace platform
