#include "platform/windowsystem.h"

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace platform {

#if defined(Q_OS_LINUX)
namespace {

bool platformChosen(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

} // namespace
#endif

ApplicationArguments::ApplicationArguments(int argc, char **argv)
    : values_(argv, argv + argc)
{
#if defined(Q_OS_LINUX)
    static char option[] = "-platform";
    static char x11[] = "xcb;wayland";
    if (!platformChosen(argc, argv) && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        values_.push_back(option);
        values_.push_back(x11);
    }
#endif
    count_ = int(values_.size());
    values_.push_back(nullptr);
}

namespace {

struct KeptMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<KeptMessage> keptMessages;
QString displayArgument; // "-display NAME" on the command line

// What could not be used: a window system Qt has no plugin for, or the display at which a
// window system it has was to be reached.
QString failure(const QString &name, bool installed)
{
    auto quoted = [](const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); };
    if (installed && name == QLatin1String("xcb")) {
        const QString display = displayArgument.isEmpty() ? qEnvironmentVariable("DISPLAY") : displayArgument;
        return display.isEmpty() ? QStringLiteral("no X display is set (DISPLAY)")
                                 : QStringLiteral("cannot connect to the X display ") + quoted(display);
    }
    if (installed && name == QLatin1String("wayland")) {
        const QString display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
        return QStringLiteral("cannot connect to the Wayland display ") + quoted(display);
    }
    return QStringLiteral("cannot use the window system ") + quoted(name);
}

void watchConnection(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        keptMessages.append({ type, QByteArray(context.category ? context.category : ""), text });
        return;
    }
    // Qt names each window system it tried in a message of its own.
    static const QRegularExpression tried(QStringLiteral("Could not (find|load) the Qt platform plugin \"([^\"]*)\""));
    QStringList failures;
    for (const KeptMessage &message : std::as_const(keptMessages)) {
        const QRegularExpressionMatch match = tried.match(message.text);
        const QString line = failure(match.captured(2), match.captured(1) == QLatin1String("load"));
        if (match.hasMatch() && !failures.contains(line))
            failures.append(line);
    }
    if (failures.isEmpty())
        failures.append(QStringLiteral("cannot open a window"));
    std::fprintf(stderr, "hoopwright: %s\n", qPrintable(failures.join(QStringLiteral("; "))));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

WindowSystemConnection::WindowSystemConnection(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0)
            displayArgument = QString::fromLocal8Bit(argv[i + 1]);
    }
    previousHandler = qInstallMessageHandler(watchConnection);
}

WindowSystemConnection::~WindowSystemConnection()
{
    qInstallMessageHandler(previousHandler);
    const QList<KeptMessage> messages = std::exchange(keptMessages, {});
    for (const KeptMessage &message : messages) {
        const QByteArray category = message.category;
        const QMessageLogContext context(nullptr, 0, nullptr, category.isEmpty() ? nullptr : category.constData());
        if (previousHandler)
            previousHandler(message.type, context, message.text);
        else
            qt_message_output(message.type, context, message.text);
    }
}

} // namespace platform
