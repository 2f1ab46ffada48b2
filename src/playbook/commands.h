#pragma once

#include "play/play.h"

#include <QUndoCommand>

class PlayDocument;

// Every change to a play is one of these, pushed on the document's undo stack. Each shows
// the step it changes when it is done or undone, so the user sees what changed.

// A piece dropped at a new place: one drag, one command. A ball dropped on a player goes
// to that player; dropped elsewhere it lies free.
class MovePiece : public QUndoCommand {
public:
    MovePiece(PlayDocument &document, int step, int piece, QPointF to);
    void undo() override;
    void redo() override;

private:
    PlayDocument &document_;
    int step_;
    play::Step before_;
    play::Step after_;
};

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

class DeleteStep : public QUndoCommand {
public:
    DeleteStep(PlayDocument &document, int index);
    void undo() override;
    void redo() override;

private:
    PlayDocument &document_;
    int index_;
    play::Step step_;
};

class MoveStep : public QUndoCommand {
public:
    MoveStep(PlayDocument &document, int from, int to);
    void undo() override;
    void redo() override;

private:
    PlayDocument &document_;
    int from_;
    int to_;
};

// Where a dropped piece ends: on the court, and for the ball its holder. A ball dropped
// within reach of a player goes to that player.
play::Step droppedPiece(const play::Play &play, int step, int piece, QPointF to);
