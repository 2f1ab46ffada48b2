#pragma once

class QWidget;

// Centres a top-level window on the screen it is on, the first time it is shown.
void centreOnScreen(QWidget *window);
