#include "platform/services.h"

#include <QDir>

namespace platform {

QString Services::hostPath(const QString &windowsPath) const
{
#ifdef Q_OS_WIN
    return windowsPath;
#else
    QString rest = windowsPath;
    if (rest.size() >= 3 && rest.at(1) == QLatin1Char(':')
        && (rest.at(2) == QLatin1Char('\\') || rest.at(2) == QLatin1Char('/'))
        && rest.at(0).toUpper() == QLatin1Char('C'))
        rest = rest.mid(3);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(systemDriveRoot()).filePath(rest);
#endif
}

bool Services::isSystemFolder(const QString &folder)
{
    // /usr holds what the system's packages install (/usr/local what its administrator
    // builds); /opt holds add-on packages, each in a folder of its own.
    const QString path = QDir::cleanPath(folder);
    for (const QLatin1String root : { QLatin1String("/usr"), QLatin1String("/opt") }) {
        if (path == root || path.startsWith(root + QLatin1Char('/')))
            return true;
    }
    return false;
}

QByteArray Services::encodeText(const QString &text) const
{
#ifdef Q_OS_WIN
    return text.toLocal8Bit(); // the ANSI code page
#else
    return text.toUtf8();
#endif
}

QString Services::decodeText(const QByteArray &bytes) const
{
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes);
#else
    return QString::fromUtf8(bytes);
#endif
}

} // namespace platform
