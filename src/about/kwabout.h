#pragma once

#include "app/picturewindow.h"

class Program;
class ClickLabel;
class QLabel;
class QPushButton;

// The about box: the maker's artwork, the usage sentence, a web link and Close.
class kwAbout : public PictureWindow {
public:
    static const QString kWebSite;

    explicit kwAbout(Program &program);

    void display();

    void Form_Load();
    void Label2_Click();
    void Command1_Click();

    QPushButton *Command1;
    QLabel *Label1;
    ClickLabel *Label2;

private:
    Program &program_;
};
