#pragma once

#include "play/motion.h"
#include "play/play.h"

#include <QObject>
#include <QUndoStack>

#include <optional>

// The open play: its value, its file, the step on show and the undo history. Views read
// the play here and follow its signals; only undo commands call the setters.
class PlayDocument : public QObject {
    Q_OBJECT

public:
    explicit PlayDocument(play::Play play, QObject *parent = nullptr);

    const play::Play &play() const { return play_; }
    // How the play moves when it plays, worked out again only once the play has changed.
    const play::PlayMotion &motion() const;
    QUndoStack *undoStack() { return &undoStack_; }

    QString filePath() const { return filePath_; }
    void setFilePath(const QString &path);
    // The title's name: the file's base name, or "Untitled".
    QString displayName() const;

    int currentStep() const { return currentStep_; }
    void setCurrentStep(int step);

    // The play as a whole, replaced (a file read, a restore).
    void replacePlay(const play::Play &play);

    void setStep(int step, const play::Step &value);
    void setPlayer(int player, const play::Player &value);
    void setNote(int step, const QString &note);
    void insertStep(int index, const play::Step &value);
    void removeStep(int index);
    void moveStep(int from, int to);
    // Every step at once (actions drawn, edited or mirrored, and the steps they settle);
    // only the steps that differ are announced.
    void setSteps(const QList<play::Step> &steps);

signals:
    void stepChanged(int step); // where the pieces of a step stand
    void noteChanged(int step);
    void actionsChanged(int step);
    void rosterChanged();
    void stepsChanged(); // steps inserted, removed, reordered, or a new play
    void currentStepChanged(int step);
    void filePathChanged();

private:
    play::Play play_;
    mutable std::optional<play::PlayMotion> motion_;
    QUndoStack undoStack_;
    QString filePath_;
    int currentStep_ = 0;
};
