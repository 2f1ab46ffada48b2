#pragma once

#include "widgets/units.h"

#include <QPixmap>
#include <QWidget>

// A borderless top-level window whose background is a picture drawn from its top-left
// corner over a plain colour, centred on the usable area of the screen (the screen less its
// panels) when first shown: the loading screen, the terms screen and the about box. A
// window larger than the usable area is drawn smaller as a whole, at the scale its
// controls are placed at. A window with a shape paints only inside it.
class PictureWindow : public QWidget {
public:
    static constexpr bool kDisplayedOnCreation = false;

    QWidget *frame() { return this; }

    // Shows the window (centred the first time), brings it to the front and activates it.
    void display();

    // The scale the window and its controls are laid out at.
    units::Scale scale() const { return scale_; }

protected:
    // width and height in twips.
    PictureWindow(const char *picture, const QColor &background, int width, int height);

    void paintEvent(QPaintEvent *event) override;

private:
    const char *pictureName_;
    QPixmap picture_; // read at the first paint: a window that is never shown never reads it
    QColor background_;
    units::Scale scale_;
    bool placed_ = false;
};
