#pragma once

// Names and roles of the program's own controls for assistive technology: label-buttons
// are buttons, click labels links, markers graphics named "Ally 1" ... "Enemy 5". Qt's own
// controls describe themselves.
class QWidget;

namespace accessibility {
void install();

// Assistive technology reads the container's controls in the order they stand on the
// screen, left to right, whatever their stacking order.
void readLeftToRight(QWidget *container);
} // namespace accessibility
