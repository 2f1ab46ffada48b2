#pragma once

#include <QAbstractListModel>
#include <QCache>
#include <QListView>
#include <QPixmap>

class PlayDocument;

// The steps as thumbnails, drawn by the play painter when they come into view and kept
// until their step changes. Until the strip has been on screen once, each thumbnail is a
// blank of its size, so that the window's first frame waits for none of them.
class StepListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit StepListModel(PlayDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) override;

    void setThumbnailSize(QSize size, qreal devicePixelRatio);
    bool thumbnailsShown() const { return thumbnailsShown_; }
    void showThumbnails();

signals:
    // A step dragged to another place in the strip: the window makes it an undoable move.
    void stepMoveRequested(int from, int to);

private:
    QPixmap thumbnail(int step) const;
    QPixmap blank() const;

    PlayDocument &document_;
    QSize thumbnailSize_ { 160, 97 };
    qreal devicePixelRatio_ = 1;
    bool thumbnailsShown_ = false;
    // The thumbnails drawn lately, a few hundred at most however long the play.
    mutable QCache<int, QPixmap> thumbnails_ { 300 };
};

// The strip under the court: one thumbnail a step, the step on show selected; drag a
// thumbnail to reorder the steps.
class StepStrip : public QListView {
    Q_OBJECT

public:
    explicit StepStrip(PlayDocument &document, QWidget *parent = nullptr);

    QSize sizeHint() const override;

signals:
    void stepMoveRequested(int from, int to);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void selectCurrentStep();

    PlayDocument &document_;
    StepListModel model_;
};
