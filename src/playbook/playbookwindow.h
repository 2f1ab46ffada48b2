#pragma once

#include "play/playbooklayout.h"

#include <QMainWindow>

class Autosave;
class LibraryPane;
class CourtView;
class Playback;
class PlayDocument;
class QComboBox;
class QDockWidget;
class QSlider;
class QUndoGroup;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPlainTextEdit;
class StepStrip;

// A window with one play: the court of the step on show, the steps under it and the
// step's note beside it. Opening or making a play while this one holds work opens
// another window.
class PlaybookWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit PlaybookWindow(const play::Play &play);
    ~PlaybookWindow() override;

    // Opens a play file here; false (after telling the user why) when it cannot be read.
    bool openFile(const QString &path);
    // A play restored from an autosave: unsaved, with the file it belonged to.
    void restore(const play::Play &play, const QString &filePath);

    PlayDocument &document() { return *document_; }
    CourtView *courtView() const { return court; }
    Playback *playback() const { return playback_; }

    // The file menu's recent files, for every window.
    static void updateRecentFileMenus();
    // The program's icon for its windows (the application's, which every window shows).
    static QIcon programIcon();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    void createDocks();
    void createLibraryPane();
    void createExportActions(QMenu *fileMenu);
    void createTools(QMenu *playMenu);
    void createPlayback(QMenu *playMenu);
    void togglePlayback();
    void showPlaybackTime(double seconds);
    void updatePlaybackControls();
    void newHalfCourtPlay();
    void newWholeCourtPlay();
    void newPlay(play::Court court);
    void open();
    void openRecentFile();
    void openInWindow(const QString &path);
    bool save();
    bool saveAs();
    bool saveTo(const QString &path);
    bool maybeSave();
    play::TitledPlay titledPlay() const;
    QString playFolder() const;
    void exportPdfPlaybook();
    void exportPng();
    void exportSvg();
    void printPlay();
    void copyStepAsPicture();
    void copyAsText();
    void editPlayer(int player);
    void editPlayerOfMenu();
    void addStep();
    void duplicateStep();
    void deleteStep();
    void moveStepEarlier();
    void moveStepLater();
    void showPreviousStep();
    void showNextStep();
    void showFirstStep();
    void showLastStep();
    void dropPiece(int piece, QPointF position);
    void addAction(const play::Action &action);
    void editAction(int index, const play::Action &action);
    void eraseAction(int index);
    void writeText(QPointF position);
    void recolourAction();
    void mirrorLeftToRight();
    void mirrorEndToEnd();
    void showLegend();
    void present();
    void typeNote();
    void showNote();
    void updateTitle();
    void updateStepActions();
    void showAbout();
    void showShortcuts();
    bool pristine() const;
    void rememberRecentFile(const QString &path);
    void readSettings();
    void writeSettings();

    PlayDocument *document_;
    Autosave *autosave_;
    CourtView *court;
    StepStrip *stepStrip;
    QDockWidget *libraryDock;
    LibraryPane *libraryPane = nullptr; // once the window has been on the screen
    bool libraryPaneComing_ = false;
    QUndoGroup *undoGroup;
    QPlainTextEdit *noteEdit;
    QLabel *noteHeading;
    QLabel *stepLabel;
    QMenu *viewMenu;
    QMenu *recentMenu;
    QAction *saveAction;
    QAction *previousStepAction;
    QAction *nextStepAction;
    QAction *firstStepAction;
    QAction *lastStepAction;
    QAction *deleteStepAction;
    QAction *moveStepEarlierAction;
    QAction *moveStepLaterAction;
    QAction *mirrorEndToEndAction;
    QAction *actionColourAction;
    QActionGroup *toolGroup;
    Playback *playback_;
    QAction *playAction;
    QAction *loopAction;
    QComboBox *speedBox;
    QSlider *timeSlider;
    bool followingPlayback_ = false;
    QList<QAction *> recentFileActions;
};
