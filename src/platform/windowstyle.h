#pragma once

#include <QPolygon>

class QWidget;

namespace platform {

// Opacity of a whole window with everything inside it, 0 (invisible) to 255 (opaque),
// applied again on every call through the window system's opacity. A child window has
// none of its own and shows at the main window's.
void applyOpacity(QWidget *window, int alpha);

// The window is drawn and hit-tested only inside the polygon (pixels from its top-left
// corner); outside it the screen behind shows through and clicks reach what lies behind.
void setShape(QWidget *window, const QPolygon &polygon);

} // namespace platform
