#pragma once

#include <QPolygon>

class QWidget;

namespace platform {

// Opacity of a whole window with everything inside it, 0 (invisible) to 255 (opaque).
// Applied again on every call. A top-level window gets the window system's opacity; a
// child window inside the main window is blended by Qt while it is below 250, the level
// at which every fade of the program ends, so it costs nothing once its fade is over.
void applyOpacity(QWidget *window, int alpha);

// The window is drawn and hit-tested only inside the polygon (pixels from its top-left
// corner); outside it the screen behind shows through and clicks reach what lies behind.
void setShape(QWidget *window, const QPolygon &polygon);

} // namespace platform
