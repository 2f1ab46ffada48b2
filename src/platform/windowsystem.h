#pragma once

#include <vector>

namespace platform {

// The command line for QApplication: the program's own arguments, and "-platform xcb" when
// the session offers both Wayland and X (WAYLAND_DISPLAY and DISPLAY set) and neither the
// environment (QT_QPA_PLATFORM) nor the command line chose a window system. On X the window
// manager places, shapes and fades the windows as the program asks; a Wayland client can do
// none of the three itself.
class ApplicationArguments {
public:
    ApplicationArguments(int argc, char **argv);

    int &count() { return count_; }
    char **values() { return values_.data(); }

private:
    int count_ = 0;
    std::vector<char *> values_;
};

} // namespace platform
