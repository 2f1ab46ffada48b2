#pragma once

#include <QPolygon>

class QWidget;

namespace platform {

// Opacity of a whole window with everything inside it, 0 (invisible) to 255 (opaque),
// applied again on every call through the window system's opacity. A child window has
// none of its own and shows at the main window's. Where the window system cannot set a
// window's opacity (Wayland, or no window system at all), nothing is applied and nothing
// is said: the windows stay opaque.
void applyOpacity(QWidget *window, int alpha);

// True when the window system can set a window's opacity; found out once.
bool opacitySupported();

// The window is drawn and hit-tested only inside the polygon (pixels from its top-left
// corner); outside it the screen behind shows through and clicks reach what lies behind.
// Call it before the window is first shown. The window gets a shape, which an X server
// honours with or without a compositor and which takes the input everywhere, and it is
// made translucent, so that a compositor that ignores the shape (XWayland under Weston,
// native Wayland) shows the pixels it leaves unpainted as the desktop; its controls are
// cut to the polygon. The window itself paints only inside its mask(). Meant for a window
// that places itself and takes no keys: under XWayland it goes without a window manager.
void setShape(QWidget *window, const QPolygon &polygon);

} // namespace platform
