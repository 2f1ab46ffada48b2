#pragma once

#include <QUndoStack>
#include <QWidget>

class LibraryFilter;
class LibraryModel;
class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QToolButton;

// The library's side pane: the plays of a folder with a search above them. A play opens
// with a double-click or Enter, and is renamed, duplicated, tagged and deleted from the
// context menu or with its keys; new plays come from templates. Deletions go on the pane's
// own history, so Undo brings a play back from the trash.
class LibraryPane : public QWidget {
    Q_OBJECT

public:
    explicit LibraryPane(LibraryModel &model, QWidget *parent = nullptr);

    // The program's one library, shared by its windows: the folder the user chose, or
    // "Hoopwright Plays" in the documents folder.
    static LibraryModel &programLibrary();
    static QString defaultFolder();

    LibraryModel &model() { return model_; }
    QUndoStack *undoStack() { return &undoStack_; }
    QListView *view() const { return playList; }
    QLineEdit *searchField() const { return searchEdit; }
    // What the pane tells the user above the list, or empty.
    QString message() const;
    // Takes the keyboard to the search field (Ctrl+F), showing the pane if it is hidden.
    void focusSearch();

    void selectPlay(const QString &path);
    void openPlay();
    void renamePlay();
    void duplicatePlay();
    void editTags();
    void deletePlay();
    void newFromTemplate(int index);
    void chooseFolder();
    void search(const QString &text);

signals:
    void openRequested(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QModelIndex currentPlay() const;
    void goToPlays();
    void showContextMenu(const QPoint &position);
    void followLink(const QString &link);
    void updateFolder();
    void updateActions();
    void report(const QString &message);
    void updateMessage();

    LibraryModel &model_;
    LibraryFilter *filter_;
    QUndoStack undoStack_;
    QString lastMessage_;
    QLineEdit *searchEdit;
    QToolButton *newButton;
    QToolButton *moreButton;
    QLabel *folderLabel;
    QLabel *messageLabel;
    QListView *playList;
    QMenu *templateMenu;
    QAction *openAction;
    QAction *renameAction;
    QAction *duplicateAction;
    QAction *tagsAction;
    QAction *deleteAction;
    QAction *undoAction;
    QAction *redoAction;
    QList<QAction *> keyActions;
};
