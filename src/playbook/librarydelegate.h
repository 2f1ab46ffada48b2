#pragma once

#include <QStyledItemDelegate>

// A play of the library as a row: its thumbnail (or the mark of a play that cannot be read),
// its name, its tags and its last change. The name is edited in place.
class LibraryDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit LibraryDelegate(QObject *parent = nullptr);

    // The thumbnail's box in logical pixels.
    static QSize thumbnailSize() { return { 96, 60 }; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void updateEditorGeometry(
        QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QRect textRect(const QStyleOptionViewItem &option) const;
};
