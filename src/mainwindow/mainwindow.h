#pragma once

#include "mainwindow/toolbarstrip.h"
#include "widgets/fade.h"

#include <QMainWindow>

class BoardArea;
class LabelButton;
class Program;
class QAction;
class QLineEdit;
class QMdiArea;
namespace platform {
class TickTimer;
}

// The main window: a multiple-document frame that holds the boards under a toolbar strip
// of six label-buttons.
class MainWindow : public QMainWindow {
public:
    static constexpr bool kDisplayedOnCreation = false;
    static const QString kCaption;
    static const QString kHelpText;

    explicit MainWindow(Program &program);

    QWidget *frame() { return this; }
    void display();
    QMdiArea *mdiArea() const;

    void load();
    void fadeInStep();
    void fadeOutStep();
    void showHalfCourt();
    void showWholeCourt();
    void resetBoard();
    void showHelp();
    void showAbout();
    void fadeOutAndExit();

    int fadeCounter() const { return fade_.counter(); }

    platform::TickTimer *fadeOutTimer;
    ToolbarStrip *toolbar;
    QLineEdit *usageSentence; // hidden: carries the usage sentence to the about box
    platform::TickTimer *fadeInTimer;
    LabelButton *resetButton;
    LabelButton *exitButton;
    LabelButton *aboutButton;
    LabelButton *helpButton;
    LabelButton *wholeCourtButton;
    LabelButton *halfCourtButton;
    QAction *blankMenu; // a menu bar entry with a blank title that does nothing

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A restored window no larger than the usable area of its screen, and wholly on it.
    void keepOnUsableArea();

    Program &program_;
    Fade fade_;
    BoardArea *boardArea_;
};
