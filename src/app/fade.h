#pragma once

#include <QString>
#include <cstdint>

class QWidget;
class PictureBox;
namespace platform {
class TickTimer;
}

// The fade of the main window and the boards: a counter kept as text in the Tag of the
// window's Picture1, stepped by the window's timers and copied into its opacity.
struct Fade {
    QWidget *window; // what the opacity applies to
    PictureBox *holder; // Picture1, whose Tag holds the counter
    std::int32_t &lngAlpha; // the opacity last given to the window

    // In the window's Load: transparent before it is first displayed.
    void start();

    // One fade-in step; stops the timer once the counter reaches 250.
    void stepIn(platform::TickTimer &timer);

    // One fade-out step. Returns false, having changed nothing on screen, when the counter
    // falls to 20 or below: the program is to end now.
    bool stepOut();

    // The number the counter's text begins with; an empty text counts as 0.
    static double value(const QString &text);

private:
    void apply();
    double step(double by);
};
