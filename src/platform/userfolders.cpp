#include "platform/userfolders.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace platform {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
namespace {

// The user's home folder: $HOME when it is an absolute path, otherwise the one the
// password database gives for the user the process runs as.
QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home);
    if (const passwd *entry = getpwuid(geteuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/')
        return QDir::cleanPath(QFile::decodeName(entry->pw_dir));
    return QDir::homePath();
}

} // namespace
#endif

QString dataFolder()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome))
        return QDir::cleanPath(dataHome);
    return QDir(homeFolder()).filePath(QStringLiteral(".local/share"));
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
}

QString lockFilePath(const QString &name)
{
#ifdef Q_OS_WIN
    // The user's local application data, C:\Users\<name>\AppData\Local\Torvane.
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                               .filePath(QStringLiteral("Torvane"));
    QDir().mkpath(folder);
    return QDir(folder).filePath(name + QStringLiteral(".lock"));
#else
    // Qt hands out a runtime folder only when it belongs to the user and nobody else may
    // enter it.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(name + QStringLiteral(".lock"));
#ifdef Q_OS_UNIX
    return QDir(QDir::tempPath())
        .filePath(name + QLatin1Char('-') + QString::number(geteuid()) + QStringLiteral(".lock"));
#else
    return QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock"));
#endif
#endif
}

} // namespace platform
