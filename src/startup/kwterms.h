#pragma once

#include "app/picturewindow.h"

class Program;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The terms screen of the first run: the licence agreement, a check box to accept it and
// one button whose caption and action follow the check box. On later runs it hands over
// to the main window within its own Load and is never seen.
class kwTerms : public PictureWindow {
public:
    static const QString kPhotoPage;

    explicit kwTerms(Program &program);

    void Form_Load();
    void Check1_Click();
    void Command1_Click();
    void Text1_GotFocus();
    void Text1_KeyPress(int &KeyAscii);
    void galt();

    QPushButton *Command1;
    QCheckBox *Check1;
    QLabel *Label1;
    QPlainTextEdit *Text1;
    QListWidget *lstEmployee;
    QLineEdit *Text2;
    QLineEdit *Text3;
    QLabel *Label2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Program &program_;
};
