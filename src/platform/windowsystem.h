#pragma once

#include <vector>

namespace platform {

// The command line for QApplication: the program's own arguments, and "-platform xcb;wayland"
// when the session offers both Wayland and X (WAYLAND_DISPLAY and DISPLAY set) and neither
// the environment (QT_QPA_PLATFORM) nor the command line chose a window system. On X the
// window manager places, shapes and fades the windows as the program asks; a Wayland client
// can do none of the three itself. When no X server answers at DISPLAY, Wayland serves.
class ApplicationArguments {
public:
    ApplicationArguments(int argc, char **argv);

    int &count() { return count_; }
    char **values() { return values_.data(); }

private:
    int count_ = 0;
    std::vector<char *> values_;
};

// Watches the application's connection to the window system while it lives (around the
// construction of QApplication). Where Qt can use no display or window system, it would
// print a stack of messages and abort; the program says in one line which it could not use
// and ends with status 1. Qt's messages of a connection that succeeds are passed on.
class WindowSystemConnection {
public:
    WindowSystemConnection(int argc, char **argv);
    ~WindowSystemConnection();
    WindowSystemConnection(const WindowSystemConnection &) = delete;
    WindowSystemConnection &operator=(const WindowSystemConnection &) = delete;
};

} // namespace platform
