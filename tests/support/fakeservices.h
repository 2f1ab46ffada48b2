#pragma once

#include "platform/services.h"

#include <QTemporaryDir>
#include <functional>
#include <vector>

// Services for in-process tests: nothing blocks, nothing leaves the process, and the
// test sees what the program asked for.
class FakeServices : public platform::Services {
public:
    struct Box {
        platform::MessageIcon icon;
        QString title;
        QString text;
    };

    FakeServices();

    bool anotherCopyRunning() override { return anotherCopy; }
    void messageBox(platform::MessageIcon icon, const QString &title, const QString &text) override;
    void openWebAddress(QWidget *owner, const QString &address) override;
    QDateTime now() const override { return clock; }
    QString systemDriveRoot() const override { return drive.path(); }
    QString programFolder() const override { return folder.path(); }
    bool runsFromSystemFolders() const override { return installed; }
    void endProcess() override { ++ends; }
    void quit() override { ++quits; }
    QByteArray encodeText(const QString &text) const override
    {
        return singleByteCodePage ? text.toLatin1() : Services::encodeText(text);
    }
    QString decodeText(const QByteArray &bytes) const override
    {
        return singleByteCodePage ? QString::fromLatin1(bytes) : Services::decodeText(bytes);
    }

    bool anotherCopy = false;
    bool installed = false; // the program folder counts as an installed copy's
    // Text files in a single-byte code page, as on Windows: Latin-1 stands in for the ANSI
    // code pages, which agree with it on the letters the tests use.
    bool singleByteCodePage = false;
    std::vector<Box> boxes;
    std::function<void()> whileBoxOpen; // runs as if the user acted while a box is open
    std::vector<QString> opened;
    QDateTime clock;
    QTemporaryDir drive;
    QTemporaryDir folder;
    int ends = 0;
    int quits = 0;
};
