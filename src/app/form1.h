#pragma once

#include "app/fade.h"

#include <QMainWindow>

class LabelButton;
class MdiClient;
class QMdiArea;
class PictureBox;
class Program;
class QAction;
class QLineEdit;
namespace platform {
class TickTimer;
}

// The main window: a multiple-document frame that holds the boards under a strip of six
// label-buttons.
class Form1 : public QMainWindow {
public:
    static constexpr bool kDisplayedOnCreation = false;
    static const QString kCaption;
    static const QString kHelpText;

    explicit Form1(Program &program);

    QWidget *frame() { return this; }
    void display();
    QMdiArea *mdiArea() const;

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Label1_Click(); // Half Court
    void Label2_Click(); // Whole Court
    void Label6_Click(); // Reset
    void Label3_Click(); // Help
    void Label4_Click(); // About
    void Label5_Click(); // Exit

    platform::TickTimer *Timer2;
    PictureBox *Picture1;
    QLineEdit *kwIns;
    platform::TickTimer *Timer1;
    LabelButton *Label6;
    LabelButton *Label5;
    LabelButton *Label4;
    LabelButton *Label3;
    LabelButton *Label2;
    LabelButton *Label1;
    QAction *aaa;

private:
    Fade fade();

    Program &program_;
    MdiClient *client_;
};
