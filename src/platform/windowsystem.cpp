#include "platform/windowsystem.h"

#include <QtGlobal>
#include <cstring>

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
    static char x11[] = "xcb";
    if (!platformChosen(argc, argv) && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        values_.push_back(option);
        values_.push_back(x11);
    }
#endif
    count_ = int(values_.size());
    values_.push_back(nullptr);
}

} // namespace platform
