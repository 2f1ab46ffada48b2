#pragma once

#include "platform/services.h"

#include <QTemporaryDir>

// Services for benchmarks: nothing blocks and nothing leaves the process.
class QuietServices : public platform::Services {
public:
    bool anotherCopyRunning() override { return false; }
    void messageBox(platform::MessageIcon, const QString &, const QString &) override { }
    void openWebAddress(QWidget *, const QString &) override { }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    QString systemDriveRoot() const override { return dir.path(); }
    QString programFolder() const override { return dir.path(); }
    void endProcess() override { ended = true; }
    void quit() override { }

    QTemporaryDir dir;
    bool ended = false;
};
