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

    bool anotherCopy = false;
    bool installed = false; // the program folder counts as an installed copy's
    std::vector<Box> boxes;
    std::function<void()> whileBoxOpen; // runs as if the user acted while a box is open
    std::vector<QString> opened;
    QDateTime clock;
    QTemporaryDir drive;
    QTemporaryDir folder;
    int ends = 0;
    int quits = 0;
};
