#pragma once

#include "widgets/picturewindow.h"

class Program;
class ClickLabel;
class QLabel;
class QPushButton;

// The about box: the maker's artwork, the usage sentence, a web link and Close.
class AboutBox : public PictureWindow {
public:
    static const QString kWebSite;

    explicit AboutBox(Program &program);

    void display();

    void load();
    void openWebSite();
    void closeBox();

    QPushButton *closeButton;
    QLabel *usageLine;
    ClickLabel *webLink;

private:
    Program &program_;
};
