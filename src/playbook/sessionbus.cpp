#include "playbook/sessionbus.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sessionbus {

bool reachable(const QProcessEnvironment &environment, const QStringList &launchers)
{
    if (!environment.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")).isEmpty())
        return true;
    // Whatever lies at the bus's place counts: D-Bus decides whether it is a bus.
    const QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty()) {
        const QFileInfo bus(runtime + QStringLiteral("/bus"));
        if (bus.exists() || bus.isSymLink())
            return true;
    }
    const QStringList path = environment.value(QStringLiteral("PATH")).split(QDir::listSeparator(), Qt::SkipEmptyParts);
    if (!path.isEmpty() && !QStandardPaths::findExecutable(QStringLiteral("dbus-launch"), path).isEmpty())
        return true;
    for (const QString &launcher : launchers) {
        const QFileInfo file(launcher);
        if (file.isFile() && file.isExecutable())
            return true;
    }
    return false;
}

void markUnreachable()
{
    // Where D-Bus is built to look for dbus-launch on Linux.
    if (!reachable(QProcessEnvironment::systemEnvironment(), { QStringLiteral("/usr/bin/dbus-launch") }))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace sessionbus
