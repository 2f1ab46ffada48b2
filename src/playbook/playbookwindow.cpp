#include "playbook/playbookwindow.h"

#include "play/motion.h"
#include "play/playfile.h"
#include "playbook/actionicons.h"
#include "playbook/animationexportdialog.h"
#include "playbook/autosave.h"
#include "playbook/commands.h"
#include "playbook/courtview.h"
#include "playbook/exports.h"
#include "playbook/legenddialog.h"
#include "playbook/librarymodel.h"
#include "playbook/librarypane.h"
#include "playbook/playback.h"
#include "playbook/playdocument.h"
#include "playbook/playerdialog.h"
#include "playbook/presentationwindow.h"
#include "playbook/stepstrip.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMaxRecentFiles = 8;
const QString kRecentFilesKey = QStringLiteral("recentFiles");

QString fileFilter()
{
    return PlaybookWindow::tr("Hoopwright plays (*.%1);;All files (*)").arg(QLatin1String(play::kFileSuffix));
}

QIcon themeIcon(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(name), actionIcon(fallback));
}

QList<PlaybookWindow *> windows()
{
    QList<PlaybookWindow *> list;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<PlaybookWindow *>(widget))
            list.append(window);
    }
    return list;
}

} // namespace

PlaybookWindow::PlaybookWindow(const play::Play &play)
    : document_(new PlayDocument(play, this))
    , autosave_(new Autosave(*document_, this))
    , playback_(new Playback(*document_, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);

    court = new CourtView(*document_, this);
    court->setAccessibleName(tr("Court"));
    stepStrip = new StepStrip(*document_, this);

    auto *centre = new QWidget(this);
    auto *layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(court, 1);
    layout->addWidget(stepStrip);
    setCentralWidget(centre);

    createActions();
    createDocks();
    stepLabel = new QLabel(this);
    statusBar()->addPermanentWidget(stepLabel);

    QUndoStack *undo = document_->undoStack();
    connect(undo, &QUndoStack::cleanChanged, this, &PlaybookWindow::updateTitle);
    connect(document_, &PlayDocument::filePathChanged, this, &PlaybookWindow::updateTitle);
    connect(document_, &PlayDocument::currentStepChanged, this, &PlaybookWindow::updateStepActions);
    connect(document_, &PlayDocument::stepsChanged, this, &PlaybookWindow::updateStepActions);
    connect(document_, &PlayDocument::currentStepChanged, this, &PlaybookWindow::showNote);
    connect(document_, &PlayDocument::stepsChanged, this, &PlaybookWindow::showNote);
    connect(document_, &PlayDocument::noteChanged, this, [this](int step) {
        if (step == document_->currentStep())
            showNote();
    });
    connect(court, &CourtView::pieceDropped, this, &PlaybookWindow::dropPiece);
    connect(court, &CourtView::playerEditRequested, this, &PlaybookWindow::editPlayer);
    connect(court, &CourtView::actionDrawn, this, &PlaybookWindow::addAction);
    connect(court, &CourtView::actionEdited, this, &PlaybookWindow::editAction);
    connect(court, &CourtView::actionEraseRequested, this, &PlaybookWindow::eraseAction);
    connect(court, &CourtView::textRequested, this, &PlaybookWindow::writeText);
    connect(
        court, &CourtView::refused, this, [this](const QString &message) { statusBar()->showMessage(message, 5000); });
    connect(court, &CourtView::selectedActionChanged, this,
        [this](int index) { actionColourAction->setEnabled(index >= 0); });
    connect(stepStrip, &StepStrip::stepMoveRequested, this,
        [this](int from, int to) { document_->undoStack()->push(new MoveStep(*document_, from, to)); });

    readSettings();
    updateTitle();
    updateStepActions();
    showNote();
    statusBar()->showMessage(tr("Drag the players and the ball; add a step for each phase of the play."), 8000);
}

PlaybookWindow::~PlaybookWindow()
{
    // The document is a child, deleted after this class's part of the window is gone; what
    // it and its history announce on the way must not reach this window's handlers.
    document_->undoStack()->disconnect(this);
    document_->disconnect(this);
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void PlaybookWindow::createActions()
{
    QUndoStack *undo = document_->undoStack();

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    QToolBar *toolBar = addToolBar(tr("Main"));
    toolBar->setObjectName(QStringLiteral("mainToolBar"));

    QAction *newAction = fileMenu->addAction(themeIcon("document-new", QStyle::SP_FileIcon), tr("&New Half Court Play"),
        this, &PlaybookWindow::newHalfCourtPlay);
    newAction->setShortcut(QKeySequence::New);
    newAction->setStatusTip(tr("Start a play on a half court"));
    toolBar->addAction(newAction);
    QAction *newWholeAction
        = fileMenu->addAction(tr("New &Whole Court Play"), this, &PlaybookWindow::newWholeCourtPlay);
    newWholeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    newWholeAction->setStatusTip(tr("Start a play on a whole court"));

    QAction *openAction = fileMenu->addAction(
        themeIcon("document-open", QStyle::SP_DialogOpenButton), tr("&Open..."), this, &PlaybookWindow::open);
    openAction->setShortcut(QKeySequence::Open);
    openAction->setStatusTip(tr("Open a play file"));
    toolBar->addAction(openAction);

    recentMenu = fileMenu->addMenu(tr("Open &Recent"));
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        QAction *action = recentMenu->addAction(QString(), this, &PlaybookWindow::openRecentFile);
        action->setVisible(false);
        recentFileActions.append(action);
    }

    fileMenu->addSeparator();
    saveAction = fileMenu->addAction(
        themeIcon("document-save", QStyle::SP_DialogSaveButton), tr("&Save"), this, &PlaybookWindow::save);
    saveAction->setShortcut(QKeySequence::Save);
    saveAction->setStatusTip(tr("Save the play"));
    toolBar->addAction(saveAction);
    QAction *saveAsAction = fileMenu->addAction(tr("Save &As..."), this, &PlaybookWindow::saveAs);
    saveAsAction->setShortcut(QKeySequence::SaveAs);
    saveAsAction->setStatusTip(tr("Save the play in another file"));
    fileMenu->addSeparator();
    createExportActions(fileMenu);

    fileMenu->addSeparator();
    QAction *closeAction = fileMenu->addAction(tr("&Close"), this, &QWidget::close);
    closeAction->setShortcut(QKeySequence::Close);
    closeAction->setStatusTip(tr("Close this window"));
    QAction *quitAction = fileMenu->addAction(tr("&Quit"), qApp, &QApplication::closeAllWindows);
    quitAction->setShortcut(QKeySequence::Quit);
    quitAction->setMenuRole(QAction::QuitRole);
    quitAction->setStatusTip(tr("Close every window and quit"));

    QMenu *editMenu = menuBar()->addMenu(tr("&Edit"));
    // Undo acts on the play, or on the library while the library has the keyboard.
    undoGroup = new QUndoGroup(this);
    undoGroup->addStack(undo);
    undoGroup->setActiveStack(undo);
    QAction *undoAction = undoGroup->createUndoAction(this, tr("&Undo"));
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setIcon(themeIcon("edit-undo", QStyle::SP_ArrowBack));
    QAction *redoAction = undoGroup->createRedoAction(this, tr("&Redo"));
    redoAction->setShortcut(QKeySequence::Redo);
    redoAction->setIcon(themeIcon("edit-redo", QStyle::SP_ArrowForward));
    editMenu->addAction(undoAction);
    editMenu->addAction(redoAction);
    toolBar->addSeparator();
    toolBar->addAction(undoAction);
    toolBar->addAction(redoAction);
    editMenu->addSeparator();
    QAction *playerAction = editMenu->addAction(tr("Edit &Player..."), this, &PlaybookWindow::editPlayerOfMenu);
    playerAction->setShortcut(QKeySequence(Qt::Key_F2));
    playerAction->setStatusTip(tr("Change a player's number and name (or double-click the player)"));
    actionColourAction = editMenu->addAction(tr("Action &Colour..."), this, &PlaybookWindow::recolourAction);
    actionColourAction->setStatusTip(tr("Change the colour of the selected action"));
    actionColourAction->setEnabled(false);
    editMenu->addSeparator();
    editMenu->addAction(tr("Copy Step as P&icture"), this, &PlaybookWindow::copyStepAsPicture)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    editMenu->addAction(tr("Copy as &Text"), this, &PlaybookWindow::copyAsText)
        ->setStatusTip(tr("Copy the play in words, a line for each step"));

    viewMenu = menuBar()->addMenu(tr("&View"));
    QAction *fullScreenAction = viewMenu->addAction(tr("&Full Screen"), this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen : windowState() & ~Qt::WindowFullScreen);
    });
    fullScreenAction->setCheckable(true);
    fullScreenAction->setShortcut(QKeySequence::FullScreen);
    QAction *presentAction = viewMenu->addAction(
        themeIcon("x-office-presentation", QStyle::SP_DesktopIcon), tr("&Present"), this, &PlaybookWindow::present);
    presentAction->setShortcut(QKeySequence(Qt::Key_F5));
    presentAction->setStatusTip(tr("Show the play to the team, full screen, step by step"));
    viewMenu->addAction(toolBar->toggleViewAction());

    QMenu *playMenu = menuBar()->addMenu(tr("&Play"));
    previousStepAction = playMenu->addAction(themeIcon("go-previous", QStyle::SP_MediaSeekBackward),
        tr("&Previous Step"), this, &PlaybookWindow::showPreviousStep);
    previousStepAction->setShortcuts({ QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp) });
    nextStepAction = playMenu->addAction(
        themeIcon("go-next", QStyle::SP_MediaSeekForward), tr("&Next Step"), this, &PlaybookWindow::showNextStep);
    nextStepAction->setShortcuts({ QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown) });
    firstStepAction = playMenu->addAction(tr("&First Step"), this, &PlaybookWindow::showFirstStep);
    firstStepAction->setShortcut(QKeySequence(Qt::Key_Home));
    lastStepAction = playMenu->addAction(tr("&Last Step"), this, &PlaybookWindow::showLastStep);
    lastStepAction->setShortcut(QKeySequence(Qt::Key_End));
    playMenu->addSeparator();
    QAction *addStepAction = playMenu->addAction(
        themeIcon("list-add", QStyle::SP_FileDialogNewFolder), tr("&Add Step"), this, &PlaybookWindow::addStep);
    addStepAction->setShortcut(QKeySequence(Qt::Key_Insert));
    addStepAction->setStatusTip(tr("Add a step after this one, starting where this one ends"));
    QAction *duplicateAction = playMenu->addAction(tr("D&uplicate Step"), this, &PlaybookWindow::duplicateStep);
    duplicateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    duplicateAction->setStatusTip(
        tr("Add a copy of this step after it, starting where this one ends, with its note and annotations"));
    deleteStepAction = playMenu->addAction(
        themeIcon("list-remove", QStyle::SP_TrashIcon), tr("&Delete Step"), this, &PlaybookWindow::deleteStep);
    deleteStepAction->setShortcut(QKeySequence::Delete);
    editMenu->addAction(deleteStepAction);
    moveStepEarlierAction = playMenu->addAction(tr("Move Step &Earlier"), this, &PlaybookWindow::moveStepEarlier);
    moveStepEarlierAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left));
    moveStepLaterAction = playMenu->addAction(tr("Move Step Late&r"), this, &PlaybookWindow::moveStepLater);
    moveStepLaterAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right));
    playMenu->addSeparator();
    playMenu->addAction(tr("&Mirror Left to Right"), this, &PlaybookWindow::mirrorLeftToRight)
        ->setStatusTip(tr("Mirror every step of the play from left to right"));
    mirrorEndToEndAction = playMenu->addAction(tr("Mirror End &to End"), this, &PlaybookWindow::mirrorEndToEnd);
    mirrorEndToEndAction->setStatusTip(
        tr("Mirror every step of the whole court play end to end, so that it runs at the other basket"));
    createTools(playMenu);
    createPlayback(playMenu);
    toolBar->addSeparator();
    toolBar->addAction(previousStepAction);
    toolBar->addAction(nextStepAction);
    toolBar->addAction(addStepAction);
    toolBar->addAction(deleteStepAction);
    toolBar->addSeparator();
    toolBar->addAction(presentAction);

    QMenu *helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(tr("&Keyboard and Mouse"), this, &PlaybookWindow::showShortcuts);
    helpMenu->addAction(tr("&Legend"), this, &PlaybookWindow::showLegend);
    helpMenu->addAction(tr("&About Hoopwright Playbook"), this, &PlaybookWindow::showAbout)
        ->setMenuRole(QAction::AboutRole);
    helpMenu->addAction(tr("About &Qt"), qApp, &QApplication::aboutQt)->setMenuRole(QAction::AboutQtRole);

    updateRecentFileMenus();
}

void PlaybookWindow::createExportActions(QMenu *fileMenu)
{
    QMenu *exportMenu = fileMenu->addMenu(tr("&Export"));
    exportMenu->addAction(tr("&PDF Playbook..."), this, &PlaybookWindow::exportPdfPlaybook)
        ->setStatusTip(tr("Write this play, and others you add, as a PDF playbook"));
    exportMenu->addAction(tr("Picture (P&NG)..."), this, &PlaybookWindow::exportPng)
        ->setStatusTip(tr("Write the step on show as a PNG picture"));
    exportMenu->addAction(tr("Picture (&SVG)..."), this, &PlaybookWindow::exportSvg)
        ->setStatusTip(tr("Write the step on show as an SVG picture"));
    exportMenu->addSeparator();
    const auto exportAnimation = [this](AnimationExportDialog::Format format) {
        const QString written
            = AnimationExportDialog::exportPlay(this, document_->play(), document_->filePath(), format);
        if (!written.isEmpty())
            statusBar()->showMessage(tr("Exported %1").arg(QDir::toNativeSeparators(written)), 4000);
    };
    exportMenu->addAction(tr("&Animation (GIF)..."), this, [=] { exportAnimation(AnimationExportDialog::Format::Gif); })
        ->setStatusTip(tr("Write the play's playback as an animated GIF"));
    exportMenu
        ->addAction(tr("PNG Se&quence..."), this, [=] { exportAnimation(AnimationExportDialog::Format::PngSequence); })
        ->setStatusTip(tr("Write every frame of the play's playback as a numbered PNG picture"));
    QAction *printAction = fileMenu->addAction(themeIcon("document-print", QStyle::SP_FileDialogDetailedView),
        tr("&Print..."), this, &PlaybookWindow::printPlay);
    printAction->setShortcut(QKeySequence::Print);
    printAction->setStatusTip(tr("Print the play, laid out as the PDF playbook"));
}

play::TitledPlay PlaybookWindow::titledPlay() const
{
    return { document_->displayName(), document_->play() };
}

QString PlaybookWindow::playFolder() const
{
    return document_->filePath().isEmpty() ? QString() : QFileInfo(document_->filePath()).absolutePath();
}

void PlaybookWindow::exportPdfPlaybook()
{
    exports::exportPlaybook(this, { titledPlay() }, playFolder());
}

void PlaybookWindow::exportPng()
{
    exports::exportPng(this, titledPlay(), document_->currentStep(), playFolder());
}

void PlaybookWindow::exportSvg()
{
    exports::exportSvg(this, titledPlay(), document_->currentStep(), playFolder());
}

void PlaybookWindow::printPlay()
{
    exports::print(this, { titledPlay() });
}

void PlaybookWindow::copyStepAsPicture()
{
    exports::copyStepPicture(document_->play(), document_->currentStep());
    statusBar()->showMessage(tr("Copied step %1 as a picture").arg(document_->currentStep() + 1), 4000);
}

void PlaybookWindow::copyAsText()
{
    exports::copyText(titledPlay());
    statusBar()->showMessage(tr("Copied the play as text"), 4000);
}

void PlaybookWindow::createTools(QMenu *playMenu)
{
    struct ToolEntry {
        Tool tool;
        const char *name;
        Qt::Key key;
        const char *tip;
    };
    static const ToolEntry entries[] = {
        { Tool::Select, QT_TR_NOOP("Select"), Qt::Key_V, QT_TR_NOOP("Move pieces, and pick an action to change it") },
        { Tool::Cut, QT_TR_NOOP("Cut"), Qt::Key_C, QT_TR_NOOP("Drag from a player along the way they run") },
        { Tool::Pass, QT_TR_NOOP("Pass"), Qt::Key_P, QT_TR_NOOP("Drag from the player with the ball to a teammate") },
        { Tool::Dribble, QT_TR_NOOP("Dribble"), Qt::Key_D,
            QT_TR_NOOP("Drag from the player with the ball along the way they dribble") },
        { Tool::Screen, QT_TR_NOOP("Screen"), Qt::Key_S,
            QT_TR_NOOP("Drag from a player to where they set the screen") },
        { Tool::Handoff, QT_TR_NOOP("Handoff"), Qt::Key_H,
            QT_TR_NOOP("Drag from the player with the ball to the teammate beside them") },
        { Tool::Shot, QT_TR_NOOP("Shot"), Qt::Key_X, QT_TR_NOOP("Drag from the player with the ball to shoot") },
        { Tool::Pen, QT_TR_NOOP("Pen"), Qt::Key_N, QT_TR_NOOP("Draw freehand on the court") },
        { Tool::Text, QT_TR_NOOP("Text"), Qt::Key_T, QT_TR_NOOP("Click to write on the court") },
        { Tool::Eraser, QT_TR_NOOP("Eraser"), Qt::Key_E, QT_TR_NOOP("Click an action to delete it") },
    };

    QToolBar *toolsBar = addToolBar(tr("Tools"));
    toolsBar->setObjectName(QStringLiteral("toolsToolBar"));
    QMenu *toolsMenu = playMenu->addMenu(tr("T&ools"));
    toolGroup = new QActionGroup(this);
    for (const ToolEntry &entry : entries) {
        QAction *action = toolGroup->addAction(tr(entry.name));
        action->setCheckable(true);
        action->setChecked(entry.tool == Tool::Select);
        action->setShortcut(QKeySequence(entry.key));
        // Single keys are the court's alone: typed in the note or a dialog they stay letters.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setToolTip(tr("%1 (%2)").arg(tr(entry.name), action->shortcut().toString(QKeySequence::NativeText)));
        action->setStatusTip(tr(entry.tip));
        const Tool tool = entry.tool;
        connect(action, &QAction::triggered, this, [this, tool] { court->setTool(tool); });
        court->addAction(action);
        toolsMenu->addAction(action);
        toolsBar->addAction(action);
    }
    viewMenu->addAction(toolsBar->toggleViewAction());
}

void PlaybookWindow::createPlayback(QMenu *playMenu)
{
    auto *bar = new QToolBar(tr("Playback"), this);
    addToolBar(Qt::BottomToolBarArea, bar);
    bar->setObjectName(QStringLiteral("playbackToolBar"));
    QMenu *menu = playMenu->addMenu(tr("Play&back"));
    playAction = menu->addAction(
        themeIcon("media-playback-start", QStyle::SP_MediaPlay), tr("&Play"), this, &PlaybookWindow::togglePlayback);
    playAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space));
    playAction->setStatusTip(tr("Run the play from this step; again to pause"));
    QAction *stopAction = menu->addAction(
        themeIcon("media-playback-stop", QStyle::SP_MediaStop), tr("&Stop"), playback_, &Playback::stop);
    stopAction->setStatusTip(tr("Back to editing the step on show"));
    loopAction = menu->addAction(tr("&Loop"), playback_, &Playback::setLoop);
    loopAction->setCheckable(true);
    loopAction->setStatusTip(tr("Start the play again when it ends"));
    bar->addAction(playAction);
    bar->addAction(stopAction);
    bar->addAction(loopAction);

    speedBox = new QComboBox(bar);
    speedBox->setAccessibleName(tr("Playback speed"));
    for (double speed : { 0.25, 0.5, 1.0, 1.5, 2.0 })
        speedBox->addItem(tr("%1x").arg(speed), speed);
    speedBox->setCurrentIndex(2);
    connect(speedBox, &QComboBox::currentIndexChanged, this,
        [this](int index) { playback_->setSpeed(speedBox->itemData(index).toDouble()); });
    bar->addWidget(speedBox);
    // The keys of media players for a slower and a faster speed.
    const auto stepSpeed = [this](int by) {
        speedBox->setCurrentIndex(std::clamp(speedBox->currentIndex() + by, 0, speedBox->count() - 1));
    };
    menu->addSeparator();
    QAction *slowerAction = menu->addAction(tr("Slo&wer"), this, [stepSpeed] { stepSpeed(-1); });
    slowerAction->setShortcut(QKeySequence(Qt::Key_BracketLeft));
    slowerAction->setStatusTip(tr("Play at the next slower speed"));
    QAction *fasterAction = menu->addAction(tr("&Faster"), this, [stepSpeed] { stepSpeed(1); });
    fasterAction->setShortcut(QKeySequence(Qt::Key_BracketRight));
    fasterAction->setStatusTip(tr("Play at the next faster speed"));
    // Like the tools' single keys, the court's alone: in the note they stay brackets.
    for (QAction *action : { slowerAction, fasterAction }) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        court->addAction(action);
    }

    timeSlider = new QSlider(Qt::Horizontal, bar);
    timeSlider->setAccessibleName(tr("Playback time"));
    timeSlider->setMinimumWidth(240);
    connect(timeSlider, &QSlider::valueChanged, this, [this](int value) { playback_->setTime(value / 1000.0); });
    bar->addWidget(timeSlider);
    viewMenu->addAction(bar->toggleViewAction());

    connect(playback_, &Playback::timeChanged, this, &PlaybookWindow::showPlaybackTime);
    connect(playback_, &Playback::stateChanged, this, &PlaybookWindow::updatePlaybackControls);
    connect(court, &CourtView::pressedDuringPlayback, playback_, &Playback::stop);
    // An edit ends playback: the court shows the step as it now is.
    connect(document_->undoStack(), &QUndoStack::indexChanged, playback_, &Playback::stop);
    connect(document_->undoStack(), &QUndoStack::indexChanged, this, &PlaybookWindow::updatePlaybackControls);
    connect(document_, &PlayDocument::stepsChanged, this, &PlaybookWindow::updatePlaybackControls);
    connect(document_, &PlayDocument::currentStepChanged, this, [this](int step) {
        // Another step picked while playback is active: playback goes on from its start.
        if (playback_->isActive() && !followingPlayback_)
            playback_->setTime(document_->motion().stepStartTime(step));
    });
    updatePlaybackControls();
}

void PlaybookWindow::togglePlayback()
{
    if (playback_->isPlaying()) {
        playback_->pause();
        return;
    }
    playback_->setRefreshRate(screen()->refreshRate());
    playback_->play();
}

void PlaybookWindow::showPlaybackTime(double seconds)
{
    const play::PlayTime at = document_->motion().locate(seconds);
    followingPlayback_ = true;
    document_->setCurrentStep(at.step);
    followingPlayback_ = false;
    court->setPlaybackTime(at.seconds);
    const QSignalBlocker blocker(timeSlider);
    timeSlider->setValue(int(std::lround(seconds * 1000)));
}

void PlaybookWindow::updatePlaybackControls()
{
    const bool playing = playback_->isPlaying();
    playAction->setText(playing ? tr("&Pause") : tr("&Play"));
    playAction->setIcon(playing ? themeIcon("media-playback-pause", QStyle::SP_MediaPause)
                                : themeIcon("media-playback-start", QStyle::SP_MediaPlay));
    const QSignalBlocker blocker(timeSlider);
    timeSlider->setRange(0, int(std::lround(document_->motion().duration() * 1000)));
    if (!playback_->isActive()) {
        court->setPlaybackTime(std::nullopt);
        timeSlider->setValue(int(std::lround(document_->motion().stepStartTime(document_->currentStep()) * 1000)));
    }
}

void PlaybookWindow::createDocks()
{
    auto *dock = new QDockWidget(tr("Note"), this);
    dock->setObjectName(QStringLiteral("noteDock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    auto *panel = new QWidget(dock);
    auto *layout = new QVBoxLayout(panel);
    noteHeading = new QLabel(panel);
    noteEdit = new QPlainTextEdit(panel);
    noteEdit->setPlaceholderText(tr("What happens in this step"));
    noteEdit->setAccessibleName(tr("Note of the step"));
    noteEdit->setTabChangesFocus(true);
    // The note's typing is undone with the play's history, not the text box's own.
    noteEdit->setUndoRedoEnabled(false);
    noteEdit->installEventFilter(this);
    layout->addWidget(noteHeading);
    layout->addWidget(noteEdit);
    dock->setWidget(panel);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    resizeDocks({ dock }, { 260 }, Qt::Horizontal);
    connect(noteEdit, &QPlainTextEdit::textChanged, this, &PlaybookWindow::typeNote);
    viewMenu->addAction(dock->toggleViewAction());

    // The library's pane comes once the window's first frame is on the screen (paintEvent);
    // its dock holds its place from the start, so that the court does not move.
    libraryDock = new QDockWidget(tr("Library"), this);
    libraryDock->setObjectName(QStringLiteral("libraryDock"));
    libraryDock->setWidget(new QWidget(libraryDock));
    addDockWidget(Qt::LeftDockWidgetArea, libraryDock);
    resizeDocks({ libraryDock }, { 300 }, Qt::Horizontal);
    viewMenu->addAction(libraryDock->toggleViewAction());
    QAction *searchLibraryAction = viewMenu->addAction(tr("&Search the Library"), this, [this] {
        createLibraryPane();
        libraryPane->focusSearch();
    });
    searchLibraryAction->setShortcut(QKeySequence::Find);
    searchLibraryAction->setStatusTip(tr("Find a play of the library by its name, tags or notes"));
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && libraryPane && libraryPane->isAncestorOf(now))
            undoGroup->setActiveStack(libraryPane->undoStack());
        else if (now && now->window() == this)
            undoGroup->setActiveStack(document_->undoStack());
    });
}

void PlaybookWindow::createLibraryPane()
{
    if (libraryPane)
        return;
    libraryPane = new LibraryPane(LibraryPane::programLibrary(), libraryDock);
    delete libraryDock->widget();
    libraryDock->setWidget(libraryPane);
    undoGroup->addStack(libraryPane->undoStack());
    connect(libraryPane, &LibraryPane::openRequested, this, &PlaybookWindow::openInWindow);
    connect(&libraryPane->model(), &LibraryModel::renamed, this, [this](const QString &from, const QString &to) {
        if (document_->filePath() == from)
            document_->setFilePath(to);
    });
}

void PlaybookWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    if (!libraryPane && !libraryPaneComing_) {
        libraryPaneComing_ = true;
        QTimer::singleShot(0, this, &PlaybookWindow::createLibraryPane);
    }
}

bool PlaybookWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The text box would claim Undo and Redo for itself; leave them to the Edit menu.
    if (watched == noteEdit && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

QIcon PlaybookWindow::programIcon()
{
    // The desktop's launchers take the larger sizes from the installed icon theme, so the
    // windows carry the sizes of title bars and task bars alone. Each is read as the PNG it
    // is: a reader left to find out the format would load every image plugin first.
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64 }) {
        QImageReader reader(QStringLiteral(":/play/playbook_icon-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

void PlaybookWindow::updateRecentFileMenus()
{
    const QStringList files = QSettings().value(kRecentFilesKey).toStringList();
    for (PlaybookWindow *window : windows()) {
        for (int i = 0; i < kMaxRecentFiles; ++i) {
            QAction *action = window->recentFileActions.at(i);
            if (i < files.size()) {
                action->setText(tr("&%1 %2").arg(i + 1).arg(QFileInfo(files.at(i)).fileName()));
                action->setData(files.at(i));
                action->setStatusTip(files.at(i));
                action->setVisible(true);
            } else {
                action->setVisible(false);
            }
        }
        window->recentMenu->setEnabled(!files.isEmpty());
    }
}

void PlaybookWindow::rememberRecentFile(const QString &path)
{
    QSettings settings;
    QStringList files = settings.value(kRecentFilesKey).toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    settings.setValue(kRecentFilesKey, files);
    updateRecentFileMenus();
}

void PlaybookWindow::readSettings()
{
    QSettings settings;
    const QByteArray geometry = settings.value(QStringLiteral("geometry")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        // A first start: most of the screen, centred.
        const QRect available = screen()->availableGeometry();
        resize(std::min(1200, available.width() * 9 / 10), std::min(820, available.height() * 9 / 10));
        move(available.center() - rect().center());
    }
    restoreState(settings.value(QStringLiteral("state")).toByteArray());
}

void PlaybookWindow::writeSettings()
{
    QSettings settings;
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("state"), saveState());
}

bool PlaybookWindow::pristine() const
{
    return document_->filePath().isEmpty() && document_->undoStack()->count() == 0 && !isWindowModified();
}

void PlaybookWindow::newHalfCourtPlay()
{
    newPlay(play::Court::Half);
}

void PlaybookWindow::newWholeCourtPlay()
{
    newPlay(play::Court::Whole);
}

void PlaybookWindow::newPlay(play::Court court)
{
    if (pristine()) {
        document_->replacePlay(play::newPlay(court));
        return;
    }
    auto *window = new PlaybookWindow(play::newPlay(court));
    window->move(pos() + QPoint(32, 32));
    window->show();
}

void PlaybookWindow::open()
{
    const QString dir = document_->filePath().isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        : QFileInfo(document_->filePath()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Play"), dir, fileFilter());
    if (!path.isEmpty())
        openInWindow(path);
}

void PlaybookWindow::openRecentFile()
{
    if (const auto *action = qobject_cast<const QAction *>(sender()))
        openInWindow(action->data().toString());
}

void PlaybookWindow::openInWindow(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (PlaybookWindow *window : windows()) {
        if (window->document_->filePath() == absolute) {
            window->show();
            window->raise();
            window->activateWindow();
            return;
        }
    }
    if (pristine()) {
        openFile(absolute);
        return;
    }
    auto *window = new PlaybookWindow(play::newPlay(play::Court::Half));
    if (window->openFile(absolute)) {
        window->move(pos() + QPoint(32, 32));
        window->show();
    } else {
        window->close();
    }
}

bool PlaybookWindow::openFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const play::ReadResult read = play::readPlayFile(absolute);
    if (!read.ok()) {
        QMessageBox::warning(this, tr("Hoopwright Playbook"),
            tr("Cannot open the play %1:\n%2.").arg(QDir::toNativeSeparators(absolute), read.error));
        return false;
    }
    document_->undoStack()->clear();
    document_->replacePlay(read.play);
    document_->setFilePath(absolute);
    document_->undoStack()->setClean();
    rememberRecentFile(absolute);
    statusBar()->showMessage(tr("Opened %1").arg(QDir::toNativeSeparators(absolute)), 4000);
    return true;
}

void PlaybookWindow::restore(const play::Play &play, const QString &filePath)
{
    document_->replacePlay(play);
    document_->setFilePath(filePath);
    // Restored work is unsaved work: an empty command marks the history as changed.
    document_->undoStack()->resetClean();
    updateTitle();
    statusBar()->showMessage(tr("Restored the unsaved play; save it to keep it."));
}

bool PlaybookWindow::save()
{
    if (document_->filePath().isEmpty())
        return saveAs();
    return saveTo(document_->filePath());
}

bool PlaybookWindow::saveAs()
{
    QString suggested = document_->filePath();
    if (suggested.isEmpty()) {
        suggested = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/')
            + tr("Untitled") + QLatin1Char('.') + QLatin1String(play::kFileSuffix);
    }
    QFileDialog dialog(this, tr("Save Play"), suggested, fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QLatin1String(play::kFileSuffix));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveTo(dialog.selectedFiles().first());
}

bool PlaybookWindow::saveTo(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString error = play::writePlayFile(document_->play(), absolute);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, tr("Hoopwright Playbook"),
            tr("Cannot save the play to %1:\n%2.\n\nThe play is still open and unsaved.")
                .arg(QDir::toNativeSeparators(absolute), error));
        return false;
    }
    document_->setFilePath(absolute);
    document_->undoStack()->setClean();
    autosave_->saveNow();
    rememberRecentFile(absolute);
    statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(absolute)), 4000);
    return true;
}

bool PlaybookWindow::maybeSave()
{
    if (!isWindowModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(this, tr("Hoopwright Playbook"),
        tr("The play %1 has unsaved changes.\nDo you want to save them?").arg(document_->displayName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void PlaybookWindow::closeEvent(QCloseEvent *event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
}

void PlaybookWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void PlaybookWindow::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            openInWindow(url.toLocalFile());
    }
    event->acceptProposedAction();
}

void PlaybookWindow::updateTitle()
{
    setWindowModified(!document_->undoStack()->isClean());
    setWindowTitle(tr("%1[*] - Hoopwright Playbook").arg(document_->displayName()));
    setWindowFilePath(document_->filePath());
}

void PlaybookWindow::updateStepActions()
{
    const int step = document_->currentStep();
    const int count = int(document_->play().steps.size());
    previousStepAction->setEnabled(step > 0);
    firstStepAction->setEnabled(step > 0);
    moveStepEarlierAction->setEnabled(step > 0);
    nextStepAction->setEnabled(step < count - 1);
    lastStepAction->setEnabled(step < count - 1);
    moveStepLaterAction->setEnabled(step < count - 1);
    deleteStepAction->setEnabled(count > 1);
    mirrorEndToEndAction->setEnabled(document_->play().court == play::Court::Whole);
    stepLabel->setText(tr("Step %1 of %2").arg(step + 1).arg(count));
}

void PlaybookWindow::showNote()
{
    const int step = document_->currentStep();
    noteHeading->setText(tr("Step %1").arg(step + 1));
    const QString note = document_->play().steps.at(step).note;
    if (noteEdit->toPlainText() != note) {
        const QSignalBlocker blocker(noteEdit);
        noteEdit->setPlainText(note);
        noteEdit->moveCursor(QTextCursor::End);
    }
}

void PlaybookWindow::typeNote()
{
    QString note = noteEdit->toPlainText();
    if (note.size() > play::kMaxNoteLength) {
        note.truncate(play::kMaxNoteLength);
        statusBar()->showMessage(tr("A note holds at most %1 characters.").arg(play::kMaxNoteLength), 4000);
        showNote();
    }
    const int step = document_->currentStep();
    if (note != document_->play().steps.at(step).note)
        document_->undoStack()->push(new EditNote(*document_, step, note));
}

void PlaybookWindow::dropPiece(int piece, QPointF position)
{
    const int step = document_->currentStep();
    const play::Step after = droppedPiece(document_->play(), step, piece, position);
    if (after == document_->play().steps.at(step))
        return;
    document_->undoStack()->push(new MovePiece(*document_, step, piece, position));
}

void PlaybookWindow::addAction(const play::Action &action)
{
    const int step = document_->currentStep();
    if (document_->play().steps.at(step).actions.size() >= play::kMaxActions) {
        statusBar()->showMessage(tr("A step holds at most %1 actions.").arg(play::kMaxActions), 5000);
        return;
    }
    document_->undoStack()->push(new AddAction(*document_, step, action));
}

void PlaybookWindow::editAction(int index, const play::Action &action)
{
    document_->undoStack()->push(new EditAction(*document_, document_->currentStep(), index, action,
        tr("Move Point of %1").arg(play::actionLabel(action.kind))));
}

void PlaybookWindow::eraseAction(int index)
{
    document_->undoStack()->push(new DeleteAction(*document_, document_->currentStep(), index));
}

void PlaybookWindow::writeText(QPointF position)
{
    bool ok = false;
    QString text
        = QInputDialog::getText(this, tr("Text"), tr("Text on the court:"), QLineEdit::Normal, {}, &ok).simplified();
    if (!ok || text.isEmpty())
        return;
    if (text.size() > play::kMaxTextLength) {
        text.truncate(play::kMaxTextLength);
        statusBar()->showMessage(tr("A text holds at most %1 characters.").arg(play::kMaxTextLength), 5000);
    }
    play::Action action;
    action.kind = play::ActionKind::Text;
    action.points = { position };
    action.text = text;
    addAction(action);
}

void PlaybookWindow::recolourAction()
{
    const int step = document_->currentStep();
    const int index = court->selectedAction();
    if (index < 0)
        return;
    play::Action action = document_->play().steps.at(step).actions.at(index);
    const QColor colour = QColorDialog::getColor(
        action.colour.isValid() ? action.colour : QColor(Qt::black), this, tr("Action Colour"));
    if (!colour.isValid() || colour == action.colour)
        return;
    action.colour = colour;
    document_->undoStack()->push(
        new EditAction(*document_, step, index, action, tr("Recolour %1").arg(play::actionLabel(action.kind))));
}

void PlaybookWindow::mirrorLeftToRight()
{
    document_->undoStack()->push(new MirrorPlay(*document_, false));
}

void PlaybookWindow::mirrorEndToEnd()
{
    document_->undoStack()->push(new MirrorPlay(*document_, true));
}

void PlaybookWindow::showLegend()
{
    LegendDialog dialog(this);
    dialog.exec();
}

void PlaybookWindow::editPlayer(int player)
{
    PlayerDialog dialog(document_->play(), player, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const play::Player value = dialog.value();
    if (value != document_->play().roster[dialog.player()])
        document_->undoStack()->push(new EditPlayer(*document_, dialog.player(), value));
}

void PlaybookWindow::editPlayerOfMenu()
{
    editPlayer(0);
}

namespace {

// A step that starts where a step ends, with nothing drawn on it and no note.
play::Step continuing(const play::Play &play, int step)
{
    play::Step next = play.steps.at(step);
    const play::Placement end = play::endOf(play, step);
    next.positions = end.positions;
    next.ballHolder = end.ballHolder;
    next.actions.clear();
    next.note.clear();
    return next;
}

} // namespace

void PlaybookWindow::addStep()
{
    const int step = document_->currentStep();
    if (document_->play().steps.size() >= play::kMaxSteps)
        return;
    document_->undoStack()->push(
        new InsertStep(*document_, step + 1, continuing(document_->play(), step), tr("Add Step %1").arg(step + 2)));
}

void PlaybookWindow::duplicateStep()
{
    const int step = document_->currentStep();
    const play::Play &play = document_->play();
    if (play.steps.size() >= play::kMaxSteps)
        return;
    // A step follows on from the one before it, so the copy starts where this step ends: its
    // note and annotations come along, while its runs and passes, which have run, do not.
    // A step with nothing but annotations is copied as it is.
    play::Step copy = continuing(play, step);
    copy.note = play.steps.at(step).note;
    for (const play::Action &action : play.steps.at(step).actions) {
        if (play::isAnnotation(action.kind))
            copy.actions.append(action);
    }
    document_->undoStack()->push(new InsertStep(*document_, step + 1, copy, tr("Duplicate Step %1").arg(step + 1)));
}

void PlaybookWindow::deleteStep()
{
    if (document_->play().steps.size() > 1)
        document_->undoStack()->push(new DeleteStep(*document_, document_->currentStep()));
}

void PlaybookWindow::moveStepEarlier()
{
    const int step = document_->currentStep();
    if (step > 0)
        document_->undoStack()->push(new MoveStep(*document_, step, step - 1));
}

void PlaybookWindow::moveStepLater()
{
    const int step = document_->currentStep();
    if (step < document_->play().steps.size() - 1)
        document_->undoStack()->push(new MoveStep(*document_, step, step + 1));
}

void PlaybookWindow::showPreviousStep()
{
    document_->setCurrentStep(document_->currentStep() - 1);
}

void PlaybookWindow::showNextStep()
{
    document_->setCurrentStep(document_->currentStep() + 1);
}

void PlaybookWindow::showFirstStep()
{
    document_->setCurrentStep(0);
}

void PlaybookWindow::showLastStep()
{
    document_->setCurrentStep(int(document_->play().steps.size()) - 1);
}

void PlaybookWindow::present()
{
    // The presentation shows the step on show and leaves the editor on the step it ends on.
    if (auto *presentation = findChild<PresentationWindow *>(QString(), Qt::FindDirectChildrenOnly)) {
        presentation->activateWindow();
        return;
    }
    playback_->stop();
    (new PresentationWindow(*document_, this))->present(screen());
}

void PlaybookWindow::showShortcuts()
{
    QMessageBox::information(this, tr("Keyboard and Mouse"),
        tr("<p><b>Drag</b> a player or the ball to move it, with the mouse or a finger; several fingers move "
           "several players at once. Drop the ball on a player to give it to them.</p>"
           "<p><b>Double-click</b> a player to change their number and name.</p>"
           "<p><b>Left, Right, Page Up, Page Down, Home, End</b>: the previous, next, first and last step.<br>"
           "<b>Insert</b>: add a step; <b>Ctrl+D</b>: duplicate it; <b>Delete</b>: delete it; "
           "<b>Ctrl+Shift+Left/Right</b>: move it. Thumbnails in the strip drag to reorder the steps.</p>"
           "<p><b>Tools</b>, while the court has the keyboard: <b>V</b> select, <b>C</b> cut, <b>P</b> pass, "
           "<b>D</b> dribble, <b>S</b> screen, <b>H</b> handoff, <b>X</b> shot, <b>N</b> pen, <b>T</b> text, "
           "<b>E</b> eraser. Drag from a player to draw their action; a pass, handoff or shot starts at the "
           "player with the ball, and a pass or handoff ends on a teammate.</p>"
           "<p>With <b>Select</b>, click an action to select it, drag its handles to reshape it, <b>Delete</b> "
           "removes it and <b>Escape</b> lets it go.</p>"
           "<p><b>Ctrl+Space</b>: play or pause the play from the step on show.</p>"
           "<p><b>F5</b>: present the play full screen. There the arrow keys, Page Up and Page Down, Space, "
           "Backspace and the mouse's buttons go from step to step, <b>Enter</b> plays the step, a drag draws "
           "ink that fades, and <b>Escape</b> comes back here.</p>"));
}

void PlaybookWindow::showAbout()
{
    QMessageBox::about(this, tr("About Hoopwright Playbook"),
        tr("<p><b>Hoopwright Playbook %1</b></p><p>Draw basketball plays step by step, keep them in files "
           "and show them to your team.</p>")
            .arg(QApplication::applicationVersion()));
}
