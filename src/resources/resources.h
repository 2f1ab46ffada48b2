#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures, icons, fonts and texts built into the program.
namespace resources {

// Registers the embedded faces under the names the windows ask for ("Tahoma",
// "Palatino Linotype", "MS Sans Serif"), so captions render alike on every machine.
void registerFonts();

// A picture at its stated pixel size; on a high-DPI screen drawn from the artwork
// rendered at twice that size. Pictures are read afresh for the window that shows them,
// not kept in Qt's pixmap cache, so they go with the window.
QPixmap picture(const char *name);

// The same, kept as stored: in shades of grey or with a palette, one byte a pixel for the
// large pictures that stay on screen (the courts, the main window's picture).
QImage compactPicture(const char *name);

// The picture stretched to a size in logical pixels, at the screen's pixel density.
QPixmap stretchedPicture(const char *name, QSize size);

// An icon with every size rendered from its artwork (the program's icon from its icon file).
QIcon icon(const char *name);

// A text resource (UTF-8, line breaks as stored).
QString text(const char *name);

} // namespace resources
