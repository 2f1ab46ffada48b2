#pragma once

class QWidget;

namespace platform {

// Gives a shown window an empty caption in the window system. Qt puts the application's
// name in place of an empty title; on X the caption is set directly.
void showEmptyCaption(QWidget *window);

} // namespace platform
