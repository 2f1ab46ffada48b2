#include "playbook/librarydelegate.h"

#include "playbook/librarymodel.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QPainter>

namespace {

constexpr int kMargin = 6;

} // namespace

LibraryDelegate::LibraryDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QRect LibraryDelegate::textRect(const QStyleOptionViewItem &option) const
{
    const int left = option.rect.left() + kMargin + thumbnailSize().width() + kMargin;
    return QRect(
        left, option.rect.top() + kMargin, option.rect.right() - kMargin - left, option.rect.height() - 2 * kMargin);
}

void LibraryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    painter->save();
    const QRect box(option.rect.left() + kMargin,
        option.rect.top() + (option.rect.height() - thumbnailSize().height()) / 2, thumbnailSize().width(),
        thumbnailSize().height());
    const QString error = index.data(LibraryModel::ErrorRole).toString();
    if (!error.isEmpty()) {
        const QIcon broken = style->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, widget);
        const int side = std::min(box.width(), box.height()) * 2 / 3;
        broken.paint(painter, QRect(box.center() - QPoint(side / 2, side / 2), QSize(side, side)));
    } else {
        const QImage thumbnail = index.data(LibraryModel::ThumbnailRole).value<QImage>();
        if (thumbnail.isNull()) {
            // Still being drawn: a quiet box where it will be.
            painter->setPen(Qt::NoPen);
            painter->setBrush(option.palette.color(QPalette::Midlight));
            painter->drawRoundedRect(box.adjusted(4, 4, -4, -4), 3, 3);
        } else {
            painter->drawImage(box, thumbnail);
        }
    }

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor text = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    QColor quiet = text;
    quiet.setAlphaF(0.7);
    const QRect lines = textRect(option);
    QFont nameFont = option.font;
    nameFont.setBold(true);
    const QFontMetrics nameMetrics(nameFont);
    const QFontMetrics metrics(option.font);
    int y = lines.top();
    painter->setFont(nameFont);
    painter->setPen(text);
    painter->drawText(QRect(lines.left(), y, lines.width(), nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
        nameMetrics.elidedText(index.data().toString(), Qt::ElideRight, lines.width()));
    y += nameMetrics.height() + 2;

    painter->setFont(option.font);
    painter->setPen(quiet);
    const QStringList tags = index.data(LibraryModel::TagsRole).toStringList();
    const QString second = !error.isEmpty() ? tr("Cannot be read") : tags.join(QStringLiteral(", "));
    if (!second.isEmpty()) {
        painter->drawText(QRect(lines.left(), y, lines.width(), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(second, Qt::ElideRight, lines.width()));
    }
    y += metrics.height() + 2;
    const QDateTime modified = index.data(LibraryModel::ModifiedRole).toDateTime();
    painter->drawText(QRect(lines.left(), y, lines.width(), metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
        metrics.elidedText(
            QLocale().toString(modified.toLocalTime(), QLocale::ShortFormat), Qt::ElideRight, lines.width()));
    painter->restore();
}

QSize LibraryDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    QFont bold = option.font;
    bold.setBold(true);
    const int text = QFontMetrics(bold).height() + 2 * QFontMetrics(option.font).height() + 4;
    return QSize(thumbnailSize().width() + 3 * kMargin + 120, std::max(thumbnailSize().height(), text) + 2 * kMargin);
}

void LibraryDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    // The name is typed where it stands.
    QFont bold = option.font;
    bold.setBold(true);
    const QRect lines = textRect(option);
    editor->setGeometry(lines.left() - 2, lines.top() - 2, lines.width() + 4, QFontMetrics(bold).height() + 6);
}
