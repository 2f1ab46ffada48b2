#pragma once

#include <cstdint>

// Window variables belong to a window's slot, not to the window: they are zero when the
// program starts and keep their values when the window is unloaded.
struct NoVariables { };

// The opacity last given to a fading window, 0 to 255.
struct FadeVariables {
    std::int32_t opacity = 0;
};

// A board's opacity and its drag anchor: the point of the marker last pressed that lay
// under the pointer, in twips from the marker's corner, shared by the board's markers.
struct BoardVariables {
    std::int32_t opacity = 0;
    float grabX = 0;
    float grabY = 0;
};
