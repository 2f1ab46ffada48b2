#pragma once

#include "play/library.h"

#include <QAbstractListModel>
#include <QCache>
#include <QCollator>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QImage>
#include <QSortFilterProxyModel>
#include <QThreadPool>
#include <QTimer>

// The plays of a folder, one row a play file, sorted by nothing (the views sort). Rows come
// at once from the folder's listing; what the files say and their thumbnails are read and
// drawn on a thread pool, the thumbnails only for the rows a view paints, and kept in
// memory and in a cache folder. The folder is watched, so that files another program adds,
// changes or removes come and go here too.
class LibraryModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        PathRole = Qt::UserRole + 1,
        TagsRole, // QStringList
        ModifiedRole, // QDateTime of the file's last change
        ThumbnailRole, // QImage, null until drawn (asking for it has it drawn)
        ErrorRole, // why the play cannot be read, or empty
        NotesRole, // the notes of every step, for the search
        ReadRole, // bool: what the file says is known
    };

    explicit LibraryModel(QObject *parent = nullptr);
    ~LibraryModel() override;

    QString folder() const { return folder_; }
    void setFolder(const QString &folder);
    // Why the folder cannot be listed ("there is no folder ..."), or empty.
    QString problem() const { return problem_; }
    bool folderWritable() const;

    // The thumbnails' size in logical pixels and the screen's scale they are drawn for.
    void setThumbnailSize(QSize size, qreal devicePixelRatio);
    QSize thumbnailSize() const { return thumbnailSize_; }
    void setThumbnailStep(play::ThumbnailStep step);
    play::ThumbnailStep thumbnailStep() const { return thumbnailStep_; }
    // Where drawn thumbnails are kept between runs; empty keeps them in memory alone.
    void setCacheFolder(const QString &folder) { cacheFolder_ = folder; }
    // How long the folder must stay still after a change before it is listed again.
    void setSettleInterval(int milliseconds) { settle_.setInterval(milliseconds); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A new name renames the play's file; a refusal is announced by failed().
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    QModelIndex indexOf(const QString &path) const;

    // The library's file operations. Each returns an empty string, or what went wrong for a
    // person, naming the play.
    QString rename(const QModelIndex &index, const QString &name);
    QString duplicate(const QModelIndex &index, QString *copyPath = nullptr);
    QString setTags(const QModelIndex &index, const QStringList &tags);
    // Saves a new play in the folder (made first if need be) under a fresh name like name.
    QString createPlay(const play::Play &play, const QString &name, QString *path = nullptr);

    // Waits for the reading and drawing under way and takes in what they made.
    void waitForIdle();

    // Lists the folder again: new files come, gone ones go, changed ones are read again.
    void rescan();

signals:
    void problemChanged();
    void folderChanged();
    void renamed(const QString &from, const QString &to);
    void failed(const QString &message);

private:
    struct Row {
        QString path;
        QString name;
        QDateTime modified;
        qint64 size = 0;
        bool read = false;
        bool drawing = false;
        play::LibraryEntry entry;
    };
    struct Result {
        QString path;
        QDateTime modified;
        qint64 size = 0;
        bool read = false;
        play::LibraryEntry entry;
        QImage thumbnail;
        int drawing = -1; // the drawing round a thumbnail was made in
    };

    void readRows(const QList<int> &rows);
    void requestThumbnail(int row) const;
    void takeResults(int generation, const QList<Result> &results);
    void forgetThumbnail(const QString &path);
    void watchFiles();
    void updateProblem();
    QString failure(const QString &error) const;
    int rowOf(const QString &path) const;

    QString folder_;
    QString problem_;
    QString cacheFolder_;
    QSize thumbnailSize_ { 96, 60 };
    qreal devicePixelRatio_ = 1;
    play::ThumbnailStep thumbnailStep_ = play::ThumbnailStep::First;
    // Thumbnails are asked for by painting views, through the const data().
    mutable QList<Row> rows_;
    QHash<QString, int> rowByPath_;
    mutable QCache<QString, QImage> thumbnails_;
    mutable QThreadPool pool_;
    int generation_ = 0; // the folder's: results of an earlier folder are dropped
    int drawing_ = 0; // the thumbnails' size and step: earlier ones are dropped
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

// The rows whose name, tags or notes hold every word of a search, sorted by name or by
// last change, the latest first.
class LibraryFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit LibraryFilter(QObject *parent = nullptr);

    void setSearch(const QString &text);
    void sortByChange(bool latestFirst);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    bool naturalLess(const QString &left, const QString &right) const;

    QStringList words_;
    QCollator collator_;
};
