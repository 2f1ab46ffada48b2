#pragma once

#include "play/play.h"

#include <QUndoCommand>

#include <functional>

class PlayDocument;

// Every change to a play is one of these, pushed on the document's undo stack. Each shows
// the step it changes when it is done or undone, so the user sees what changed.

class EditPlayer : public QUndoCommand {
public:
    EditPlayer(PlayDocument &document, int player, const play::Player &value);
    void undo() override;
    void redo() override;

private:
    PlayDocument &document_;
    int player_;
    play::Player before_;
    play::Player after_;
};

// Typing in a step's note: consecutive edits of one note merge into one command.
class EditNote : public QUndoCommand {
public:
    EditNote(PlayDocument &document, int step, const QString &note);
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    PlayDocument &document_;
    int step_;
    QString before_;
    QString after_;
};

// A step inserted at an index: a new one, a duplicate, or (undone) a deleted one.
class InsertStep : public QUndoCommand {
public:
    InsertStep(PlayDocument &document, int index, const play::Step &value, const QString &text);
    void undo() override;
    void redo() override;

private:
    PlayDocument &document_;
    int index_;
    play::Step step_;
};

// A step removed or moved in the list, after which the play is settled from the step before
// the change: a step now following another starts where that one's actions leave the pieces
// they move. Undone, every step is as it was.
class ReorderSteps : public QUndoCommand {
public:
    void undo() override;
    void redo() override;

protected:
    // from: the first index whose predecessor changes.
    ReorderSteps(PlayDocument &document, QList<play::Step> reordered, int from);

    virtual void reorder() = 0;
    virtual void restoreOrder() = 0;

    PlayDocument &document_;

private:
    QList<play::Step> reordered_; // the list right after reorder(), before settling
    QList<play::Step> settled_;
};

class DeleteStep : public ReorderSteps {
public:
    DeleteStep(PlayDocument &document, int index);

private:
    void reorder() override;
    void restoreOrder() override;

    int index_;
    play::Step step_;
};

class MoveStep : public ReorderSteps {
public:
    MoveStep(PlayDocument &document, int from, int to);

private:
    void reorder() override;
    void restoreOrder() override;

    int from_;
    int to_;
};

// Where a dropped piece ends: on the court, and for the ball its holder. A ball dropped
// within reach of a player goes to that player; a player's first run of the step starts
// from the player's new place.
play::Step droppedPiece(const play::Play &play, int step, int piece, QPointF to);

// A change to a step's pieces or actions, or to every step, after which the play is
// settled: the later steps follow where the change leaves the pieces. Undone, every step
// is as it was.
class ChangeActions : public QUndoCommand {
public:
    void undo() override;
    void redo() override;

protected:
    // The play after the change is the document's play with change applied and settled
    // from step on.
    ChangeActions(PlayDocument &document, int step, const std::function<void(play::Play &)> &change);

private:
    PlayDocument &document_;
    int step_;
    QList<play::Step> before_;
    QList<play::Step> after_;
};

// A piece dropped at a new place: one drag, one command. A ball dropped on a player goes
// to that player; dropped elsewhere it lies free. A player's run in the step starts from
// where the player now stands.
class MovePiece : public ChangeActions {
public:
    MovePiece(PlayDocument &document, int step, int piece, QPointF to);
};

class AddAction : public ChangeActions {
public:
    AddAction(PlayDocument &document, int step, const play::Action &action);
};

// An action's points moved or its colour changed.
class EditAction : public ChangeActions {
public:
    EditAction(PlayDocument &document, int step, int index, const play::Action &action, const QString &text);
};

class DeleteAction : public ChangeActions {
public:
    DeleteAction(PlayDocument &document, int step, int index);
};

// The whole play mirrored left to right, and, on the whole court if asked, end to end.
class MirrorPlay : public ChangeActions {
public:
    MirrorPlay(PlayDocument &document, bool endToEnd);
};
