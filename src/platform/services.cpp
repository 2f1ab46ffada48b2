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

} // namespace platform
