#include "platform/systemservices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

SystemServices::SystemServices() = default;
SystemServices::~SystemServices() = default;

bool SystemServices::anotherCopyRunning()
{
    if (holdsLock_)
        return false;
    // One lock per user, held for the life of the process. A lock left by a copy that
    // crashed names a process that no longer runs, and QLockFile takes it over.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("hoopwright.lock")));
    lock_->setStaleLockTime(0); // a running copy's lock never turns stale by age
    holdsLock_ = lock_->tryLock(0);
    if (holdsLock_)
        return false;
    // A lock that cannot be taken for any reason other than another copy does not
    // keep the user out.
    return lock_->error() == QLockFile::LockFailedError;
}

void SystemServices::messageBox(MessageIcon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information, title,
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")), QMessageBox::Ok);
    box.exec();
}

void SystemServices::openWebAddress(QWidget *, const QString &address)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

QDateTime SystemServices::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemServices::systemDriveRoot() const
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Torvane/C"));
}

QString SystemServices::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

void SystemServices::endProcess()
{
    QCoreApplication::exit(0);
}

void SystemServices::quit()
{
    QCoreApplication::exit(0);
}

} // namespace platform
