#pragma once

#include "widgets/picturewindow.h"

#include <QPolygon>

class Program;
class QLabel;
class QPushButton;
namespace platform {
class TickTimer;
}

// The triangular loading screen: a fill slides into its track while the status text
// changes; at the end it opens the terms screen and closes itself.
class LoadingScreen : public PictureWindow {
public:
    static const QPolygon kTriangle;

    explicit LoadingScreen(Program &program);

    void display();
    void load();
    void advance();

    QPushButton *focusButton; // never seen: it lies outside the triangle and holds the focus
    QWidget *progressTrack;
    QWidget *progressFill;
    QLabel *statusText;
    platform::TickTimer *animationTimer;

    // The fill's Left in twips, relative to the track.
    float fillLeft() const { return fillLeft_; }

private:
    Program &program_;
    float fillLeft_ = 0;
};
