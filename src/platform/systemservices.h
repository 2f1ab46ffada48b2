#pragma once

#include "platform/instancelock.h"
#include "platform/services.h"

#include <memory>

namespace platform {

// The real services on Qt, for the running program.
class SystemServices : public Services {
public:
    SystemServices();
    ~SystemServices() override;

    bool anotherCopyRunning() override;
    void messageBox(MessageIcon icon, const QString &title, const QString &text) override;
    void openWebAddress(QWidget *owner, const QString &address) override;
    QDateTime now() const override;
    QString systemDriveRoot() const override;
    QString programFolder() const override;
    bool runsFromSystemFolders() const override;
    void endProcess() override;
    void quit() override;

private:
    std::unique_ptr<InstanceLock> lock_;
};

} // namespace platform
