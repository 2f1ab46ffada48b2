#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QWidget;

namespace platform {

enum class MessageIcon { Information, Warning };

// What the program needs from the system that it cannot do by itself. The real
// implementation talks to the desktop; tests put a fake in its place where the real one
// would block (message boxes), reach outside (web pages, the user's files, the clock) or
// end the test process.
class Services {
public:
    virtual ~Services() = default;

    // True when another copy of the program, started earlier, is running.
    virtual bool anotherCopyRunning() = 0;

    // A modal box with an OK button only; returns when the user has closed it.
    virtual void messageBox(MessageIcon icon, const QString &title, const QString &text) = 0;

    // Opens the address with the system's default handler; the outcome is not examined.
    virtual void openWebAddress(QWidget *owner, const QString &address) = 0;

    // The current local date and time.
    virtual QDateTime now() const = 0;

    // The host folder that stands for the system drive "C:\".
    virtual QString systemDriveRoot() const = 0;

    // The folder that holds the program file.
    virtual QString programFolder() const = 0;

    // True when the program runs from the system's installation folders, which it must
    // not write into, whoever runs it: an installed copy under /usr (/usr/local included)
    // or /opt. A build folder, a portable copy and Windows give false.
    virtual bool runsFromSystemFolders() const = 0;

    // Ends the process once control is back in the event loop: every window is gone by then.
    virtual void endProcess() = 0;

    // The program has no window left: the process ends normally.
    virtual void quit() = 0;

    // Maps one of the program's fixed Windows paths ("C:\SAVE\KW\kw010.txt") to the host.
    QString hostPath(const QString &windowsPath) const;

    // Whether a folder lies in the system's installation folders (see runsFromSystemFolders).
    static bool isSystemFolder(const QString &folder);

    // The bytes of text in the files the program keeps on the system drive, and back: the
    // system's ANSI code page on Windows, as its own programs write them; UTF-8 elsewhere.
    virtual QByteArray encodeText(const QString &text) const;
    virtual QString decodeText(const QByteArray &bytes) const;
};

} // namespace platform
