#pragma once

#include "app/picturewindow.h"

#include <QPolygon>

class PictureBox;
class Program;
class QLabel;
class QPushButton;
namespace platform {
class TickTimer;
}

// The triangular loading screen: a fill slides into its track while the status text
// changes; at the end it opens the terms screen and closes itself.
class kwLoad : public PictureWindow {
public:
    static const QPolygon kShape;

    explicit kwLoad(Program &program);

    void Form_Load();
    void Timer1_Timer();

    QPushButton *Command1;
    PictureBox *Picture1;
    PictureBox *Picture2;
    QLabel *Label3;
    platform::TickTimer *Timer1;

    // The fill's Left in twips, relative to the track.
    float fillLeft() const { return fillLeft_; }

private:
    Program &program_;
    float fillLeft_ = 0;
};
