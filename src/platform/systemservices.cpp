#include "platform/systemservices.h"

#include "platform/userfolders.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

namespace platform {

SystemServices::SystemServices() = default;
SystemServices::~SystemServices() = default;

bool SystemServices::anotherCopyRunning()
{
    // One lock per user, held for the life of the process.
    if (!lock_) {
#ifdef Q_OS_WIN
        // A mutex of the user's session, named for the user.
        wchar_t user[257] = {};
        DWORD size = 257;
        GetUserNameW(user, &size);
        lock_ = std::make_unique<InstanceLock>(
            QStringLiteral("Local\\Torvane.Hoopwright.") + QString::fromWCharArray(user));
#else
        lock_ = std::make_unique<InstanceLock>(lockFilePath(QStringLiteral("hoopwright")));
#endif
    }
    return lock_->heldByAnotherCopy();
}

void SystemServices::messageBox(MessageIcon icon, const QString &title, const QString &text)
{
    const QString lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(
        icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information, title, lines, QMessageBox::Ok);
    // Qt wraps a message at 500 pixels; the box grows to its longest line instead, as far as
    // the screen has room, so every line of the text stays one line.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        box.ensurePolished();
        int widest = 0;
        for (const QString &line : lines.split(QLatin1Char('\n')))
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
        const QScreen *screen = QGuiApplication::primaryScreen();
        const int room = screen ? screen->availableGeometry().width() * 3 / 4 : widest;
        label->setMinimumWidth(qMin(widest + 2, room));
    }
    box.exec();
}

void SystemServices::openWebAddress(QWidget *owner, const QString &address)
{
#ifdef Q_OS_WIN
    // The shell's "open" on the address starts the default browser.
    const HWND window = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    ShellExecuteW(window, L"open", reinterpret_cast<const wchar_t *>(address.utf16()), nullptr, nullptr, SW_SHOWNORMAL);
#else
    Q_UNUSED(owner);
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
#endif
}

QDateTime SystemServices::now() const
{
    return QDateTime::currentDateTime();
}

QString SystemServices::systemDriveRoot() const
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    return QDir(dataFolder()).filePath(QStringLiteral("Torvane/C"));
#endif
}

QString SystemServices::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

bool SystemServices::runsFromSystemFolders() const
{
#if defined(Q_OS_WIN)
    return false;
#else
    // Through symbolic links to where the program file really lies.
    const QString real = QFileInfo(programFolder()).canonicalFilePath();
    return isSystemFolder(real.isEmpty() ? programFolder() : real);
#endif
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
