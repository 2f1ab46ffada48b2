#include "playbook/librarymodel.h"

#include "play/playfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

// Thumbnails kept in memory, in kilobytes: a few screens of them; the rest come back from
// the cache folder when they are scrolled to again.
constexpr int kThumbnailMemory = 8 * 1024;
// Files read together in one job of the pool.
constexpr int kReadBatch = 32;
// Drawing a visible row's thumbnail goes before reading the rest of the folder.
constexpr int kThumbnailPriority = 1;

QString nameOf(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

QFileInfoList playFiles(const QString &folder)
{
    return QDir(folder).entryInfoList(
        { QStringLiteral("*.") + QLatin1String(play::kFileSuffix) }, QDir::Files | QDir::System, QDir::Name);
}

} // namespace

LibraryModel::LibraryModel(QObject *parent)
    : QAbstractListModel(parent)
    , thumbnails_(kThumbnailMemory)
{
    settle_.setSingleShot(true);
    settle_.setInterval(250);
    connect(&settle_, &QTimer::timeout, this, &LibraryModel::rescan);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
}

LibraryModel::~LibraryModel()
{
    // No job may outlive the model it reports to.
    pool_.clear();
    pool_.waitForDone();
}

void LibraryModel::setFolder(const QString &folder)
{
    const QString absolute = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
    if (absolute == folder_)
        return;
    pool_.clear();
    ++generation_;
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    beginResetModel();
    folder_ = absolute;
    rows_.clear();
    rowByPath_.clear();
    thumbnails_.clear();
    endResetModel();
    emit folderChanged();
    rescan();
}

bool LibraryModel::folderWritable() const
{
    const QFileInfo info(folder_);
    return info.isDir() && info.isWritable();
}

QString LibraryModel::failure(const QString &error) const
{
    // The system's words for a read-only folder vary ("Cannot open destination file"); a
    // coach is told the cause.
    return folderWritable() ? error : tr("the folder is read-only");
}

void LibraryModel::updateProblem()
{
    const QFileInfo info(folder_);
    QString problem;
    if (folder_.isEmpty())
        problem = tr("No folder is chosen for the library.");
    else if (!info.exists())
        problem = tr("The folder %1 is not there (moved, deleted or on a drive that is not connected).")
                      .arg(QDir::toNativeSeparators(folder_));
    else if (!info.isDir())
        problem = tr("%1 is a file, not a folder.").arg(QDir::toNativeSeparators(folder_));
    else if (!info.isReadable() || !info.isExecutable())
        problem = tr("The folder %1 cannot be read: you are not allowed to.").arg(QDir::toNativeSeparators(folder_));
    if (problem != problem_) {
        problem_ = problem;
        emit problemChanged();
    }
}

void LibraryModel::rescan()
{
    updateProblem();
    const QFileInfoList files = problem_.isEmpty() ? playFiles(folder_) : QFileInfoList();
    QHash<QString, QFileInfo> listed;
    listed.reserve(files.size());
    for (const QFileInfo &file : files)
        listed.insert(file.absoluteFilePath(), file);

    QList<int> toRead;
    for (int row = int(rows_.size()) - 1; row >= 0; --row) {
        Row &entry = rows_[row];
        const auto found = listed.constFind(entry.path);
        if (found == listed.constEnd()) {
            forgetThumbnail(entry.path);
            beginRemoveRows({}, row, row);
            rows_.removeAt(row);
            endRemoveRows();
            continue;
        }
        if (found->lastModified() != entry.modified || found->size() != entry.size) {
            forgetThumbnail(entry.path);
            entry = Row { entry.path, entry.name, found->lastModified(), found->size() };
            toRead.append(row);
            emit dataChanged(index(row), index(row));
        }
        listed.erase(found);
    }
    // The rows after a removed one moved up: read the changed ones by their new places.
    rowByPath_.clear();
    for (int row = 0; row < rows_.size(); ++row)
        rowByPath_.insert(rows_.at(row).path, row);
    for (int &row : toRead)
        row = rowOf(rows_.value(row).path);

    if (!listed.isEmpty()) {
        const int first = int(rows_.size());
        beginInsertRows({}, first, first + int(listed.size()) - 1);
        for (const QFileInfo &file : files) {
            if (!listed.contains(file.absoluteFilePath()))
                continue;
            rowByPath_.insert(file.absoluteFilePath(), int(rows_.size()));
            toRead.append(int(rows_.size()));
            rows_.append(Row { file.absoluteFilePath(), file.completeBaseName(), file.lastModified(), file.size() });
        }
        endInsertRows();
    }
    readRows(toRead);
    watchFiles();
}

void LibraryModel::watchFiles()
{
    const QStringList directories = watcher_.directories();
    if (!problem_.isEmpty()) {
        // A folder that is not there may come back (a drive plugged in again, a sync): the
        // nearest folder above it that is there is watched for it.
        QString above = folder_;
        while (!QFileInfo(above).isDir() && QFileInfo(above).path() != above)
            above = QFileInfo(above).path();
        if (QFileInfo(above).isDir() && !directories.contains(above))
            watcher_.addPath(above);
        return;
    }
    for (const QString &directory : directories) {
        if (directory != folder_)
            watcher_.removePath(directory);
    }
    if (!directories.contains(folder_))
        watcher_.addPath(folder_);
    // Files are watched too: a program that writes a play in place changes no folder entry.
    QStringList unwatched;
    const QStringList watched = watcher_.files();
    const QSet<QString> known(watched.begin(), watched.end());
    for (const Row &row : std::as_const(rows_)) {
        if (!known.contains(row.path))
            unwatched.append(row.path);
    }
    if (!unwatched.isEmpty())
        watcher_.addPaths(unwatched);
}

int LibraryModel::rowOf(const QString &path) const
{
    return rowByPath_.value(path, -1);
}

QModelIndex LibraryModel::indexOf(const QString &path) const
{
    const int row = rowOf(QFileInfo(path).absoluteFilePath());
    return row < 0 ? QModelIndex() : index(row);
}

void LibraryModel::forgetThumbnail(const QString &path)
{
    thumbnails_.remove(path);
}

void LibraryModel::readRows(const QList<int> &rows)
{
    for (qsizetype start = 0; start < rows.size(); start += kReadBatch) {
        QList<Result> batch;
        for (qsizetype i = start; i < std::min(rows.size(), start + kReadBatch); ++i) {
            const Row &row = rows_.at(rows.at(i));
            batch.append(Result { row.path, row.modified, row.size });
        }
        const int generation = generation_;
        pool_.start([this, generation, batch]() mutable {
            for (Result &result : batch) {
                result.entry = play::libraryEntry(play::readPlayFile(result.path));
                result.read = true;
            }
            QMetaObject::invokeMethod(
                this, [this, generation, batch] { takeResults(generation, batch); }, Qt::QueuedConnection);
        });
    }
}

void LibraryModel::requestThumbnail(int rowNumber) const
{
    Row &row = rows_[rowNumber];
    if (row.drawing || (row.read && !row.entry.ok()))
        return;
    row.drawing = true;
    Result job { row.path, row.modified, row.size };
    const QSize pixels = (QSizeF(thumbnailSize_) * devicePixelRatio_).toSize();
    const play::ThumbnailStep which = thumbnailStep_;
    const QString cached = cacheFolder_.isEmpty()
        ? QString()
        : QDir(cacheFolder_).filePath(play::thumbnailCacheName(job.path, job.modified, job.size, which, pixels));
    job.drawing = drawing_;
    const int generation = generation_;
    auto *self = const_cast<LibraryModel *>(this);
    pool_.start(
        [self, generation, job, pixels, which, cached]() mutable {
            if (!cached.isEmpty())
                job.thumbnail.load(cached, "PNG");
            if (job.thumbnail.isNull()) {
                const play::ReadResult read = play::readPlayFile(job.path);
                job.entry = play::libraryEntry(read);
                job.read = true;
                if (read.ok()) {
                    job.thumbnail = play::drawThumbnail(read.play, which, pixels);
                    if (!cached.isEmpty() && QDir().mkpath(QFileInfo(cached).path())) {
                        QSaveFile file(cached);
                        if (file.open(QIODevice::WriteOnly) && job.thumbnail.save(&file, "PNG"))
                            file.commit();
                    }
                }
            }
            QMetaObject::invokeMethod(
                self, [self, generation, job] { self->takeResults(generation, { job }); }, Qt::QueuedConnection);
        },
        kThumbnailPriority);
}

void LibraryModel::takeResults(int generation, const QList<Result> &results)
{
    if (generation != generation_)
        return;
    for (const Result &result : results) {
        const int number = rowOf(result.path);
        if (number < 0)
            continue;
        Row &row = rows_[number];
        // A file changed since the job started is read again by the listing that saw it.
        if (row.modified != result.modified || row.size != result.size)
            continue;
        if (result.read) {
            row.entry = result.entry;
            row.read = true;
        }
        // A thumbnail drawn at a size or of a step since given up is dropped.
        if (result.drawing == drawing_ && (!result.thumbnail.isNull() || (result.read && !result.entry.ok()))) {
            row.drawing = false;
            if (!result.thumbnail.isNull()) {
                auto *image = new QImage(result.thumbnail);
                image->setDevicePixelRatio(devicePixelRatio_);
                thumbnails_.insert(row.path, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
            }
        }
        emit dataChanged(index(number), index(number));
    }
}

void LibraryModel::waitForIdle()
{
    // A job's results are posted to this thread as it ends; a result may ask for nothing
    // more, so two rounds settle everything that was under way.
    for (int round = 0; round < 2; ++round) {
        pool_.waitForDone();
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
}

void LibraryModel::setThumbnailSize(QSize size, qreal devicePixelRatio)
{
    if (size == thumbnailSize_ && devicePixelRatio == devicePixelRatio_)
        return;
    thumbnailSize_ = size;
    devicePixelRatio_ = devicePixelRatio;
    thumbnails_.clear();
    ++drawing_;
    for (Row &row : rows_)
        row.drawing = false;
    if (!rows_.isEmpty())
        emit dataChanged(index(0), index(int(rows_.size()) - 1), { ThumbnailRole });
}

void LibraryModel::setThumbnailStep(play::ThumbnailStep step)
{
    if (step == thumbnailStep_)
        return;
    thumbnailStep_ = step;
    // The same size again at a new generation: every thumbnail is drawn anew.
    const QSize size = thumbnailSize_;
    thumbnailSize_ = QSize();
    setThumbnailSize(size, devicePixelRatio_);
}

int LibraryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant LibraryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row &row = rows_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return row.name;
    case Qt::ToolTipRole:
        if (!row.entry.ok())
            return tr("This play cannot be read: %1.").arg(row.entry.error);
        return QDir::toNativeSeparators(row.path);
    case Qt::AccessibleTextRole:
        return row.entry.ok() ? row.name : tr("%1 (cannot be read)").arg(row.name);
    case PathRole:
        return row.path;
    case TagsRole:
        return row.entry.tags;
    case ModifiedRole:
        return row.modified;
    case ErrorRole:
        return row.entry.error;
    case NotesRole:
        return row.entry.notes;
    case ReadRole:
        return row.read;
    case ThumbnailRole:
        if (const QImage *image = thumbnails_.object(row.path))
            return *image;
        requestThumbnail(index.row());
        return QImage();
    default:
        return {};
    }
}

Qt::ItemFlags LibraryModel::flags(const QModelIndex &index) const
{
    return QAbstractListModel::flags(index) | Qt::ItemIsEditable;
}

bool LibraryModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const QString error = rename(index, value.toString());
    if (!error.isEmpty())
        emit failed(error);
    return error.isEmpty();
}

QString LibraryModel::rename(const QModelIndex &index, const QString &name)
{
    Row &row = rows_[index.row()];
    if (name == row.name)
        return {};
    if (const QString fault = play::checkPlayName(name); !fault.isEmpty())
        return tr("Cannot rename %1 to \u201c%2\u201d: %3.").arg(row.name, name, fault);
    const QString target = play::playPath(folder_, name);
    // A change of case alone names the same file where names ignore case.
    const bool sameFile = target.compare(row.path, Qt::CaseInsensitive) == 0;
    if (!sameFile && QFileInfo::exists(target))
        return tr("Cannot rename %1 to %2: the folder already has a play of that name.").arg(row.name, name);
    QFile file(row.path);
    if (!file.rename(target))
        return tr("Cannot rename %1: %2.").arg(row.name, failure(file.errorString()));
    // The row follows its file, thumbnail and all, rather than going and coming back.
    const QString from = row.path;
    watcher_.removePath(from);
    rowByPath_.remove(from);
    if (QImage *image = thumbnails_.take(from))
        thumbnails_.insert(target, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
    row.path = target;
    row.name = name;
    row.drawing = false;
    rowByPath_.insert(target, index.row());
    emit dataChanged(index, index);
    emit renamed(from, target);
    watchFiles();
    return {};
}

QString LibraryModel::duplicate(const QModelIndex &index, QString *copyPath)
{
    const Row &row = rows_.at(index.row());
    const QString target = play::playPath(folder_, play::freshPlayName(folder_, tr("%1 copy").arg(row.name)));
    QFile file(row.path);
    if (!file.copy(target))
        return tr("Cannot duplicate %1: %2.").arg(row.name, failure(file.errorString()));
    if (copyPath)
        *copyPath = target;
    rescan();
    return {};
}

QString LibraryModel::setTags(const QModelIndex &index, const QStringList &tags)
{
    const Row &row = rows_.at(index.row());
    play::ReadResult read = play::readPlayFile(row.path);
    if (!read.ok())
        return tr("Cannot change the tags of %1: %2.").arg(row.name, read.error);
    read.play.tags = tags;
    if (const QString error = play::writePlayFile(read.play, row.path); !error.isEmpty())
        return tr("Cannot change the tags of %1: %2.").arg(row.name, failure(error));
    rescan();
    return {};
}

QString LibraryModel::createPlay(const play::Play &play, const QString &name, QString *path)
{
    if (!QDir().mkpath(folder_))
        return tr("Cannot make the folder %1.").arg(QDir::toNativeSeparators(folder_));
    const QString target = play::playPath(folder_, play::freshPlayName(folder_, name));
    if (const QString error = play::writePlayFile(play, target); !error.isEmpty())
        return tr("Cannot save a new play in %1: %2.").arg(QDir::toNativeSeparators(folder_), failure(error));
    if (path)
        *path = target;
    rescan();
    return {};
}

LibraryFilter::LibraryFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    setDynamicSortFilter(true);
    sortByChange(false);
}

bool LibraryFilter::naturalLess(const QString &left, const QString &right) const
{
    // "Horns 2" before "Horns 10", as a person sorts them: runs of digits compare by their
    // value, the text between them by the locale (not every locale's collator does numbers).
    const auto run = [](const QString &text, qsizetype from) {
        const bool digits = text.at(from).isDigit();
        qsizetype end = from;
        while (end < text.size() && text.at(end).isDigit() == digits)
            ++end;
        return QStringView(text).mid(from, end - from);
    };
    const auto number = [](QStringView digits) {
        while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
            digits = digits.mid(1);
        return digits;
    };
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < left.size() && j < right.size()) {
        const QStringView a = run(left, i);
        const QStringView b = run(right, j);
        int order = 0;
        if (a.front().isDigit() && b.front().isDigit()) {
            const QStringView na = number(a);
            const QStringView nb = number(b);
            order = na.size() != nb.size() ? (na.size() < nb.size() ? -1 : 1) : na.compare(nb);
        } else {
            order = collator_.compare(a, b);
        }
        if (order != 0)
            return order < 0;
        i += a.size();
        j += b.size();
    }
    return left.size() - i < right.size() - j;
}

void LibraryFilter::setSearch(const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words == words_)
        return;
    words_ = words;
    invalidateFilter();
}

void LibraryFilter::sortByChange(bool latestFirst)
{
    setSortRole(latestFirst ? LibraryModel::ModifiedRole : int(Qt::DisplayRole));
    sort(0, latestFirst ? Qt::DescendingOrder : Qt::AscendingOrder);
}

bool LibraryFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (words_.isEmpty())
        return true;
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    const QString text = index.data(Qt::DisplayRole).toString() + QLatin1Char('\n')
        + index.data(LibraryModel::TagsRole).toStringList().join(QLatin1Char('\n')) + QLatin1Char('\n')
        + index.data(LibraryModel::NotesRole).toString();
    return std::all_of(
        words_.begin(), words_.end(), [&](const QString &word) { return text.contains(word, Qt::CaseInsensitive); });
}

bool LibraryFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (sortRole() == Qt::DisplayRole)
        return naturalLess(left.data().toString(), right.data().toString());
    return QSortFilterProxyModel::lessThan(left, right);
}
