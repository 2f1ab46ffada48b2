#pragma once

// Names and roles of the program's own controls for assistive technology: label-buttons
// are buttons, click labels links, markers graphics named "Ally 1" ... "Enemy 5". Qt's own
// controls describe themselves.
namespace accessibility {
void install();
}
