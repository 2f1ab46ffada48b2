#pragma once

#include <cstdint>

class QWidget;
namespace platform {
class TickTimer;
}

// The fade of the main window and the boards: a counter stepped by the window's timers
// and copied into the window's opacity. The counter belongs to the window and starts at 0
// each time the window is created; the opacity belongs to the window's slot.
class Fade {
public:
    Fade(QWidget *window, std::int32_t &opacity);

    // In the window's load(): transparent before it is first displayed.
    void start();

    // One fade-in step; stops the timer once the counter reaches 250.
    void stepIn(platform::TickTimer &timer);

    // One fade-out step. Returns false, having changed nothing on screen, when the counter
    // falls to 20 or below: the program is to end now.
    bool stepOut();

    int counter() const { return counter_; }

private:
    void apply();

    QWidget *window_; // what the opacity applies to
    std::int32_t &opacity_; // the opacity last given to the window
    int counter_ = 0;
};
