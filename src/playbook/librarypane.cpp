#include "playbook/librarypane.h"

#include "play/library.h"
#include "play/playfile.h"
#include "playbook/librarydelegate.h"
#include "playbook/librarymodel.h"
#include "playbook/tagsdialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTextDocumentFragment>
#include <QThreadPool>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kFolderKey = QStringLiteral("library/folder");
const QString kLastStepKey = QStringLiteral("library/thumbnailOfLastStep");
const QString kByChangeKey = QStringLiteral("library/sortByChange");

// A play moved to the trash, or kept in memory where the folder has no trash; undone, it
// goes back under its name.
class DeletePlay : public QUndoCommand {
public:
    DeletePlay(LibraryModel &model, const QString &path, const play::TrashedPlay &trashed)
        : QUndoCommand(LibraryPane::tr("Delete %1").arg(QFileInfo(path).completeBaseName()))
        , model_(model)
        , path_(path)
        , trashed_(trashed)
    {
    }

    void undo() override
    {
        const QString error = play::restorePlayFile(trashed_, path_);
        restored_ = error.isEmpty();
        if (!restored_) {
            emit model_.failed(
                LibraryPane::tr("Cannot bring back %1: %2.").arg(QFileInfo(path_).completeBaseName(), error));
        }
        model_.rescan();
    }

    void redo() override
    {
        // Done already when the command was made; done again only on a file this undid.
        if (!restored_)
            return;
        restored_ = false;
        trashed_ = play::trashPlayFile(path_, true);
        if (!trashed_.ok()) {
            emit model_.failed(
                LibraryPane::tr("Cannot delete %1: %2.").arg(QFileInfo(path_).completeBaseName(), trashed_.error));
        }
        model_.rescan();
    }

private:
    LibraryModel &model_;
    QString path_;
    play::TrashedPlay trashed_;
    bool restored_ = false;
};

// A play of the starting row: the point guard at the top with the ball, the other four in
// a row at the free-throw line, each marked by a defender on the basket's side.
play::Play startingRowPlay()
{
    play::Play result = play::newPlay(play::Court::Half);
    play::Step &step = result.steps.first();
    const QSizeF size = play::courtSize(result.court);
    const QPointF basket(size.width() / 2, size.height() * 0.1);
    const QPointF allies[play::kPlayersPerSide]
        = { { 0.5, 0.85 }, { 0.1, 0.5 }, { 0.9, 0.5 }, { 0.35, 0.45 }, { 0.65, 0.45 } };
    for (int i = 0; i < play::kPlayersPerSide; ++i) {
        const QPointF ally(allies[i].x() * size.width(), allies[i].y() * size.height());
        step.positions[i] = play::clampToCourt(result.court, ally);
        step.positions[play::kPlayersPerSide + i] = play::clampToCourt(result.court, ally + (basket - ally) * 0.25);
    }
    step.ballHolder = 0;
    step.positions[play::kBall] = play::heldBallPosition(step.positions[0]);
    return result;
}

struct Template {
    const char *title;
    const char *name;
    play::Play (*make)();
};

const Template kTemplates[] = {
    { QT_TRANSLATE_NOOP("LibraryPane", "Empty &Half Court"), QT_TRANSLATE_NOOP("LibraryPane", "Half court play"),
        [] { return play::newPlay(play::Court::Half); } },
    { QT_TRANSLATE_NOOP("LibraryPane", "Empty &Whole Court"), QT_TRANSLATE_NOOP("LibraryPane", "Whole court play"),
        [] { return play::newPlay(play::Court::Whole); } },
    { QT_TRANSLATE_NOOP("LibraryPane", "&Starting Row"), QT_TRANSLATE_NOOP("LibraryPane", "Starting row play"),
        startingRowPlay },
};

} // namespace

LibraryModel &LibraryPane::programLibrary()
{
    static LibraryModel *library = nullptr;
    if (!library) {
        library = new LibraryModel(qApp);
        const QSettings settings;
        library->setThumbnailStep(
            settings.value(kLastStepKey).toBool() ? play::ThumbnailStep::Last : play::ThumbnailStep::First);
        const QString cache
            = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/thumbnails");
        library->setCacheFolder(cache);
        QThreadPool::globalInstance()->start(
            [cache] { play::pruneThumbnailCache(cache, QDateTime::currentDateTime().addDays(-60)); });
        // Listed once the first window is on the screen, not before.
        const QString folder = settings.value(kFolderKey, defaultFolder()).toString();
        QMetaObject::invokeMethod(
            library, [folder] { library->setFolder(folder); }, Qt::QueuedConnection);
    }
    return *library;
}

QString LibraryPane::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("Hoopwright Plays"));
}

LibraryPane::LibraryPane(LibraryModel &model, QWidget *parent)
    : QWidget(parent)
    , model_(model)
    , filter_(new LibraryFilter(this))
{
    searchEdit = new QLineEdit(this);
    searchEdit->setPlaceholderText(tr("Search plays"));
    searchEdit->setToolTip(tr("Finds the plays whose name, tags or notes hold every word typed (Ctrl+F)"));
    searchEdit->setAccessibleName(tr("Search the library"));
    searchEdit->setClearButtonEnabled(true);
    connect(searchEdit, &QLineEdit::textChanged, this, &LibraryPane::search);
    // Enter in the search goes to the first play found, for Enter again to open it.
    connect(searchEdit, &QLineEdit::returnPressed, this, &LibraryPane::goToPlays);
    searchEdit->installEventFilter(this);

    templateMenu = new QMenu(this);
    for (int i = 0; i < int(std::size(kTemplates)); ++i)
        templateMenu->addAction(tr(kTemplates[i].title), this, [this, i] { newFromTemplate(i); });
    newButton = new QToolButton(this);
    newButton->setText(tr("New"));
    newButton->setToolTip(tr("A new play from a template, saved in the library's folder"));
    newButton->setMenu(templateMenu);
    newButton->setPopupMode(QToolButton::InstantPopup);

    auto *moreMenu = new QMenu(this);
    moreMenu->addAction(tr("&Choose Folder..."), this, &LibraryPane::chooseFolder);
    moreMenu->addSeparator();
    QAction *lastStepAction = moreMenu->addAction(tr("Thumbnails of the &Last Step"));
    lastStepAction->setCheckable(true);
    lastStepAction->setChecked(model_.thumbnailStep() == play::ThumbnailStep::Last);
    connect(lastStepAction, &QAction::toggled, this, [this](bool last) {
        model_.setThumbnailStep(last ? play::ThumbnailStep::Last : play::ThumbnailStep::First);
        QSettings().setValue(kLastStepKey, last);
    });
    QAction *byChangeAction = moreMenu->addAction(tr("Latest &Change First"));
    byChangeAction->setCheckable(true);
    byChangeAction->setChecked(QSettings().value(kByChangeKey).toBool());
    connect(byChangeAction, &QAction::toggled, this, [this](bool latestFirst) {
        filter_->sortByChange(latestFirst);
        QSettings().setValue(kByChangeKey, latestFirst);
    });
    moreButton = new QToolButton(this);
    moreButton->setText(tr("Folder"));
    moreButton->setToolTip(tr("The library's folder and how it is shown"));
    moreButton->setMenu(moreMenu);
    moreButton->setPopupMode(QToolButton::InstantPopup);

    folderLabel = new QLabel(this);
    folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageLabel = new QLabel(this);
    messageLabel->setWordWrap(true);
    messageLabel->setTextFormat(Qt::RichText);
    connect(messageLabel, &QLabel::linkActivated, this, &LibraryPane::followLink);

    filter_->setSourceModel(&model_);
    filter_->sortByChange(byChangeAction->isChecked());
    playList = new QListView(this);
    playList->setAccessibleName(tr("Plays"));
    playList->setModel(filter_);
    playList->setItemDelegate(new LibraryDelegate(playList));
    playList->setUniformItemSizes(true);
    playList->setEditTriggers(QAbstractItemView::EditKeyPressed);
    playList->setContextMenuPolicy(Qt::CustomContextMenu);
    playList->setSelectionMode(QAbstractItemView::SingleSelection);
    playList->installEventFilter(this);
    connect(playList, &QListView::activated, this, &LibraryPane::openPlay);
    connect(playList, &QWidget::customContextMenuRequested, this, &LibraryPane::showContextMenu);

    openAction = new QAction(tr("&Open"), this);
    renameAction = new QAction(tr("&Rename"), this);
    renameAction->setShortcut(QKeySequence(Qt::Key_F2));
    duplicateAction = new QAction(tr("D&uplicate"), this);
    duplicateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    tagsAction = new QAction(tr("&Tags..."), this);
    tagsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    deleteAction = new QAction(tr("&Delete"), this);
    deleteAction->setShortcut(QKeySequence::Delete);
    connect(openAction, &QAction::triggered, this, &LibraryPane::openPlay);
    connect(renameAction, &QAction::triggered, this, &LibraryPane::renamePlay);
    connect(duplicateAction, &QAction::triggered, this, &LibraryPane::duplicatePlay);
    connect(tagsAction, &QAction::triggered, this, &LibraryPane::editTags);
    connect(deleteAction, &QAction::triggered, this, &LibraryPane::deletePlay);
    keyActions = { renameAction, duplicateAction, tagsAction, deleteAction };
    undoAction = undoStack_.createUndoAction(this, tr("&Undo"));
    redoAction = undoStack_.createRedoAction(this, tr("&Redo"));

    auto *top = new QHBoxLayout;
    top->addWidget(searchEdit, 1);
    top->addWidget(newButton);
    top->addWidget(moreButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(folderLabel);
    layout->addWidget(messageLabel);
    layout->addWidget(playList, 1);

    connect(&model_, &LibraryModel::folderChanged, this, &LibraryPane::updateFolder);
    connect(&model_, &LibraryModel::problemChanged, this, [this] {
        // What the folder has become outranks what was said of an earlier action.
        lastMessage_.clear();
        updateMessage();
    });
    connect(&model_, &LibraryModel::failed, this, &LibraryPane::report);
    connect(filter_, &QAbstractItemModel::rowsInserted, this, &LibraryPane::updateMessage);
    connect(filter_, &QAbstractItemModel::rowsRemoved, this, &LibraryPane::updateMessage);
    connect(filter_, &QAbstractItemModel::modelReset, this, &LibraryPane::updateMessage);
    connect(playList->selectionModel(), &QItemSelectionModel::currentChanged, this, &LibraryPane::updateActions);
    updateFolder();
    updateActions();
}

void LibraryPane::showEvent(QShowEvent *event)
{
    model_.setThumbnailSize(LibraryDelegate::thumbnailSize(), devicePixelRatioF());
    QWidget::showEvent(event);
}

bool LibraryPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == searchEdit && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down) {
        goToPlays();
        return true;
    }
    // The list's own keys win over the window's shortcuts while it has the keyboard (F2
    // renames the play here, not the court's player).
    if (watched == playList && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && playList->hasFocus()) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction *action : std::as_const(keyActions)) {
            if (action->shortcut() != pressed)
                continue;
            event->accept();
            if (event->type() == QEvent::KeyPress && action->isEnabled())
                action->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LibraryPane::focusSearch()
{
    if (QWidget *dock = parentWidget(); dock && dock->isHidden())
        dock->show();
    searchEdit->setFocus(Qt::ShortcutFocusReason);
    searchEdit->selectAll();
}

void LibraryPane::goToPlays()
{
    // The best match of the search is the first; with nothing found the list still takes
    // the keys, Undo among them.
    if (filter_->rowCount() > 0)
        playList->setCurrentIndex(filter_->index(0, 0));
    playList->setFocus(Qt::ShortcutFocusReason);
}

QModelIndex LibraryPane::currentPlay() const
{
    return filter_->mapToSource(playList->currentIndex());
}

void LibraryPane::selectPlay(const QString &path)
{
    const QModelIndex index = filter_->mapFromSource(model_.indexOf(path));
    if (index.isValid())
        playList->setCurrentIndex(index);
}

void LibraryPane::updateActions()
{
    const bool any = currentPlay().isValid();
    for (QAction *action : { openAction, renameAction, duplicateAction, tagsAction, deleteAction })
        action->setEnabled(any);
}

void LibraryPane::showContextMenu(const QPoint &position)
{
    QMenu menu(this);
    if (playList->indexAt(position).isValid()) {
        menu.addAction(openAction);
        menu.addAction(renameAction);
        menu.addAction(duplicateAction);
        menu.addAction(tagsAction);
        menu.addAction(deleteAction);
        menu.addSeparator();
    }
    menu.addAction(undoAction);
    menu.addAction(redoAction);
    menu.addSeparator();
    menu.addMenu(templateMenu)->setText(tr("&New Play"));
    menu.exec(playList->viewport()->mapToGlobal(position));
}

void LibraryPane::openPlay()
{
    const QModelIndex index = currentPlay();
    if (index.isValid())
        emit openRequested(index.data(LibraryModel::PathRole).toString());
}

void LibraryPane::renamePlay()
{
    if (playList->currentIndex().isValid())
        playList->edit(playList->currentIndex());
}

void LibraryPane::duplicatePlay()
{
    const QModelIndex index = currentPlay();
    if (!index.isValid())
        return;
    QString copy;
    report(model_.duplicate(index, &copy));
    if (!copy.isEmpty())
        selectPlay(copy);
}

void LibraryPane::editTags()
{
    const QModelIndex index = currentPlay();
    if (!index.isValid())
        return;
    TagsDialog dialog(index.data().toString(), index.data(LibraryModel::TagsRole).toStringList(), this);
    if (dialog.exec() == QDialog::Accepted && dialog.tags() != index.data(LibraryModel::TagsRole).toStringList())
        report(model_.setTags(index, dialog.tags()));
}

void LibraryPane::deletePlay()
{
    const QModelIndex index = currentPlay();
    if (!index.isValid())
        return;
    const QString path = index.data(LibraryModel::PathRole).toString();
    const QString name = index.data().toString();
    play::TrashedPlay trashed = play::trashPlayFile(path, false);
    if (!trashed.ok() && !model_.folderWritable()) {
        report(tr("Cannot delete %1: the folder is read-only.").arg(name));
        return;
    }
    if (!trashed.ok()) {
        const auto answer = QMessageBox::question(this, tr("Delete Play"),
            tr("The folder of %1 has no trash. Delete it for good? Until you quit, Undo brings it back.").arg(name));
        if (answer != QMessageBox::Yes)
            return;
        trashed = play::trashPlayFile(path, true);
        if (!trashed.ok()) {
            report(tr("Cannot delete %1: %2.").arg(name, trashed.error));
            return;
        }
    }
    undoStack_.push(new DeletePlay(model_, path, trashed));
    model_.rescan();
    report(tr("Deleted %1. Undo brings it back.").arg(name));
}

void LibraryPane::newFromTemplate(int index)
{
    const Template &chosen = kTemplates[index];
    QString path;
    report(model_.createPlay(chosen.make(), tr(chosen.name), &path));
    if (path.isEmpty())
        return;
    selectPlay(path);
    emit openRequested(path);
}

void LibraryPane::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Library Folder"), model_.folder());
    if (folder.isEmpty())
        return;
    QSettings().setValue(kFolderKey, folder);
    model_.setFolder(folder);
}

void LibraryPane::followLink(const QString &link)
{
    if (link == QLatin1String("choose")) {
        chooseFolder();
    } else if (link == QLatin1String("create")) {
        if (!QDir().mkpath(model_.folder()))
            report(tr("Cannot make the folder %1.").arg(QDir::toNativeSeparators(model_.folder())));
        model_.rescan();
    }
}

void LibraryPane::search(const QString &text)
{
    filter_->setSearch(text);
    updateMessage();
}

void LibraryPane::updateFolder()
{
    const QString folder = QDir::toNativeSeparators(model_.folder());
    folderLabel->setToolTip(folder);
    folderLabel->setText(folderLabel->fontMetrics().elidedText(folder, Qt::ElideMiddle, 280));
    lastMessage_.clear();
    updateMessage();
}

void LibraryPane::report(const QString &message)
{
    lastMessage_ = message;
    updateMessage();
}

QString LibraryPane::message() const
{
    return messageLabel->isHidden() ? QString() : QTextDocumentFragment::fromHtml(messageLabel->text()).toPlainText();
}

void LibraryPane::updateMessage()
{
    QString text;
    const bool firstUse
        = model_.folder() == QDir(defaultFolder()).absolutePath() && !QFileInfo::exists(model_.folder());
    if (model_.folder().isEmpty()) {
        // Not listed yet.
    } else if (!lastMessage_.isEmpty()) {
        text = lastMessage_.toHtmlEscaped();
    } else if (firstUse) {
        text = tr("No plays yet. New makes one from a template.");
    } else if (!model_.problem().isEmpty()) {
        text = tr("%1 <a href=\"create\">Make the folder</a> or <a href=\"choose\">choose another</a>.")
                   .arg(model_.problem().toHtmlEscaped());
    } else if (!model_.folderWritable()) {
        text = tr("This folder is read-only: its plays open, but cannot be changed here.");
    } else if (model_.rowCount() == 0) {
        text = tr("No plays in this folder yet. New makes one from a template.");
    } else if (filter_->rowCount() == 0) {
        text = tr("No play matches the search.");
    }
    messageLabel->setText(text);
    messageLabel->setHidden(text.isEmpty());
}
