#pragma once

#include "app/picturewindow.h"

class Program;
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
    QLabel *Label2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Program &program_;
};
