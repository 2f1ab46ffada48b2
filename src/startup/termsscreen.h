#pragma once

#include "widgets/picturewindow.h"

class Program;
class CheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The terms screen of the first run: the licence agreement, a check box to accept it and
// one button whose caption and action follow the check box. On later runs it hands over
// to the main window within its own load() and is never seen.
class TermsScreen : public PictureWindow {
public:
    static const QString kPhotoPage;

    explicit TermsScreen(Program &program);

    void load();
    void toggleAcceptance();
    void exitOrAccept();
    void passFocusToButton();
    void dropTypedKey(int &key);
    void openMainWindow();

    QPushButton *decisionButton;
    CheckBox *acceptCheck;
    QLabel *notice;
    QPlainTextEdit *agreementText;
    QListWidget *recordItems; // hidden: the items of the first-use record
    QLineEdit *firstUseText; // hidden: the date and time of the first use, as recorded
    QLineEdit *usageText; // hidden: the usage sentence handed on to the main window
    QLabel *heading;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Program &program_;
};
