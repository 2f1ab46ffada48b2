#include "playbook/stepstrip.h"

#include "play/playpainter.h"
#include "playbook/playdocument.h"

#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

namespace {

const QString kStepMimeType = QStringLiteral("application/x-hoopwright-step");

} // namespace

StepListModel::StepListModel(PlayDocument &document, QObject *parent)
    : QAbstractListModel(parent)
    , document_(document)
{
    connect(&document_, &PlayDocument::stepsChanged, this, [this] {
        beginResetModel();
        thumbnails_.clear();
        endResetModel();
    });
    connect(&document_, &PlayDocument::stepChanged, this, [this](int step) {
        thumbnails_.remove(step);
        emit dataChanged(index(step), index(step));
    });
    connect(&document_, &PlayDocument::rosterChanged, this, [this] {
        thumbnails_.clear();
        if (rowCount() > 0)
            emit dataChanged(index(0), index(rowCount() - 1));
    });
    connect(&document_, &PlayDocument::noteChanged, this,
        [this](int step) { emit dataChanged(index(step), index(step), { Qt::ToolTipRole }); });
}

int StepListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(document_.play().steps.size());
}

QVariant StepListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int step = index.row();
    switch (role) {
    case Qt::DecorationRole:
        return thumbnailsShown_ ? thumbnail(step) : blank();
    case Qt::ToolTipRole: {
        const QString note = document_.play().steps.at(step).note;
        return note.isEmpty() ? tr("Step %1").arg(step + 1) : tr("Step %1: %2").arg(step + 1).arg(note);
    }
    case Qt::AccessibleTextRole:
        return tr("Step %1").arg(step + 1);
    default:
        return {};
    }
}

QPixmap StepListModel::thumbnail(int step) const
{
    if (const QPixmap *cached = thumbnails_.object(step))
        return *cached;
    QPixmap pixmap(thumbnailSize_ * devicePixelRatio_);
    pixmap.setDevicePixelRatio(devicePixelRatio_);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    const QRectF target(QPointF(0, 0), QSizeF(thumbnailSize_));
    painter.save();
    painter.setTransform(play::fitCourt(document_.play().court, target), true);
    play::drawStep(painter, document_.play(), step);
    painter.restore();
    // The step's number in a corner badge.
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    const QRectF badge(3, 3, 24, 18);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 30, 200));
    painter.drawRoundedRect(badge, 4, 4);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, QString::number(step + 1));
    painter.end();
    thumbnails_.insert(step, new QPixmap(pixmap));
    return pixmap;
}

QPixmap StepListModel::blank() const
{
    QPixmap pixmap(thumbnailSize_ * devicePixelRatio_);
    pixmap.setDevicePixelRatio(devicePixelRatio_);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void StepListModel::showThumbnails()
{
    if (thumbnailsShown_)
        return;
    thumbnailsShown_ = true;
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), { Qt::DecorationRole });
}

void StepListModel::setThumbnailSize(QSize size, qreal devicePixelRatio)
{
    if (size == thumbnailSize_ && devicePixelRatio == devicePixelRatio_)
        return;
    thumbnailSize_ = size;
    devicePixelRatio_ = devicePixelRatio;
    thumbnails_.clear();
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1));
}

Qt::ItemFlags StepListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base | Qt::ItemIsDropEnabled;
}

Qt::DropActions StepListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList StepListModel::mimeTypes() const
{
    return { kStepMimeType };
}

QMimeData *StepListModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(kStepMimeType, QByteArray::number(indexes.first().row()));
    return data;
}

bool StepListModel::dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent)
{
    if (!data->hasFormat(kStepMimeType))
        return false;
    bool ok = false;
    const int from = data->data(kStepMimeType).toInt(&ok);
    if (!ok || from < 0 || from >= rowCount())
        return false;
    // Dropped on a thumbnail: in its place; between thumbnails: there; past the end: last.
    int before = row >= 0 ? row : (parent.isValid() ? parent.row() : rowCount());
    int to = before > from ? before - 1 : before;
    to = std::clamp(to, 0, rowCount() - 1);
    if (to != from)
        emit stepMoveRequested(from, to);
    // The rows are moved by the command, not by the view.
    return false;
}

StepStrip::StepStrip(PlayDocument &document, QWidget *parent)
    : QListView(parent)
    , document_(document)
    , model_(document)
{
    setModel(&model_);
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setUniformItemSizes(true);
    setIconSize(QSize(160, 97));
    setSpacing(4);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setAccessibleName(tr("Steps"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    connect(&model_, &StepListModel::stepMoveRequested, this, &StepStrip::stepMoveRequested, Qt::QueuedConnection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            document_.setCurrentStep(current.row());
    });
    connect(&document_, &PlayDocument::currentStepChanged, this, &StepStrip::selectCurrentStep);
    connect(&model_, &QAbstractItemModel::modelReset, this, &StepStrip::selectCurrentStep);
    selectCurrentStep();
}

QSize StepStrip::sizeHint() const
{
    return QSize(480, iconSize().height() + 2 * spacing() + horizontalScrollBar()->sizeHint().height() + 8);
}

void StepStrip::showEvent(QShowEvent *event)
{
    QListView::showEvent(event);
    model_.setThumbnailSize(iconSize(), devicePixelRatioF());
}

void StepStrip::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    // The thumbnails are drawn once this first frame, blanks in their places, is on screen.
    if (!model_.thumbnailsShown())
        QTimer::singleShot(0, &model_, &StepListModel::showThumbnails);
}

void StepStrip::selectCurrentStep()
{
    const QModelIndex current = model_.index(document_.currentStep());
    if (currentIndex() != current)
        setCurrentIndex(current);
    scrollTo(current);
}
