#pragma once

#include <QPixmap>
#include <QWidget>

// A borderless top-level window whose background is a picture drawn unscaled from its
// top-left corner over a plain colour, centred on the screen when first shown: the loading
// screen, the terms screen and the about box. A window with a shape paints only inside it.
class PictureWindow : public QWidget {
public:
    static constexpr bool kDisplayedOnCreation = false;

    QWidget *frame() { return this; }

    // Shows the window (centred the first time, its top-left corner kept on the screen's
    // free area), brings it to the front and activates it.
    void display();

protected:
    // width and height in twips.
    PictureWindow(const char *picture, const QColor &background, int width, int height);

    void paintEvent(QPaintEvent *event) override;

private:
    const char *pictureName_;
    QPixmap picture_; // read at the first paint: a window that is never shown never reads it
    QColor background_;
    bool placed_ = false;
};
