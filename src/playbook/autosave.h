#pragma once

#include "play/play.h"

#include <QLockFile>
#include <QObject>
#include <QTimer>

#include <memory>

class PlayDocument;

// Keeps a copy of a window's unsaved play in the user's data folder, written every
// 30 seconds while there are unsaved changes, so that a crash loses at most that much.
// The copy is held by a lock while its window lives; a copy whose lock no running
// program holds is left over from a crash and is offered back at the next start.
class Autosave : public QObject {
    Q_OBJECT

public:
    explicit Autosave(PlayDocument &document, QObject *parent = nullptr);
    ~Autosave() override;

    // Writes the copy now when the play has unsaved changes, removes it when it has none.
    void saveNow();

    struct Orphan {
        play::Play play;
        QString filePath; // the file the play belonged to, or empty
        QString id;
    };
    // Copies left over from crashed windows, taken over (and so no longer offered) by
    // this process; each is removed once its play has a window again.
    static QList<Orphan> takeOrphans();
    static void discardOrphan(const QString &id);

    // Where the copies are kept.
    static QString folder();

private:
    QString copyPath() const;
    void removeCopy();

    PlayDocument &document_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
};
