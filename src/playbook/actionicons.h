#pragma once

#include <QIcon>
#include <QStyle>

// The icons of the window's actions where the desktop's icon theme has none: flat glyphs
// painted at the size and scale each toolbar or menu asks for, so that none is decoded
// from an image at start and every one is sharp at any scale. A standard pixmap without a
// glyph of its own is the style's.
QIcon actionIcon(QStyle::StandardPixmap which);
