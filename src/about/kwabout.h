#pragma once

#include <QPixmap>
#include <QWidget>

class Program;
class QLabel;
class QPushButton;

// The about box: the maker's artwork, the usage sentence, a web link and Close.
class kwAbout : public QWidget
{
public:
    static constexpr bool kDisplayedOnCreation = false;
    static const QString kWebSite;

    explicit kwAbout(Program &program);

    QWidget *frame() { return this; }
    void display();

    void Form_Load();
    void Label2_Click();
    void Command1_Click();

    QPushButton *Command1;
    QLabel *Label1;
    QLabel *Label2;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Program &program_;
    QPixmap picture_;
    bool placed_ = false;
};
