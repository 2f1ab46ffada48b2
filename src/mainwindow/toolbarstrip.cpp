#include "mainwindow/toolbarstrip.h"

ToolbarStrip::ToolbarStrip(int needed, int height, QWidget *parent)
    : QWidget(parent)
    , needed_(needed)
{
    setFixedHeight(units::toPixels(height));
}

void ToolbarStrip::resizeEvent(QResizeEvent *)
{
    // The strip stays as tall as designed; only its width sets the buttons' scale.
    controls_.setScale(units::Scale::toFit(QSizeF(needed_, 0), size()));
}
