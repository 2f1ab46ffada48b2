#pragma once

#include <cstdint>

// Window variables belong to a window's slot, not to the window: they are zero when the
// program starts and keep their values when the window is unloaded.
struct NoVariables { };

struct FadeVariables {
    std::int32_t lngAlpha = 0;
};

struct BoardVariables {
    std::int32_t lngAlpha = 0;
    float sngGrabX = 0;
    float sngGrabY = 0;
};
