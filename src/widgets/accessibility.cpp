#include "widgets/accessibility.h"

#include "widgets/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <algorithm>

namespace accessibility {

namespace {

class ClickLabelInterface : public QAccessibleWidget {
public:
    explicit ClickLabelInterface(ClickLabel *label)
        : QAccessibleWidget(label, qobject_cast<LabelButton *>(label) ? QAccessible::Button : QAccessible::Link)
    {
    }

    QStringList actionNames() const override { return { pressAction() }; }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<ClickLabel *>(widget())->clicked();
    }
};

const char *const kLeftToRight = "hoopwright_readLeftToRight";

class LeftToRightInterface : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return int(children().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> list = children();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(children().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> children() const
    {
        QList<QWidget *> list = widget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        list.removeIf([](const QWidget *w) { return w->isWindow(); });
        std::stable_sort(list.begin(), list.end(), [](const QWidget *a, const QWidget *b) {
            return a->y() != b->y() && (a->geometry().bottom() < b->y() || b->geometry().bottom() < a->y())
                ? a->y() < b->y()
                : a->x() < b->x();
        });
        return list;
    }
};

QAccessibleInterface *create(const QString &className, QObject *object)
{
    if (object && object->isWidgetType() && object->property(kLeftToRight).toBool())
        return new LeftToRightInterface(static_cast<QWidget *>(object));
    if (className == QLatin1String("ClickLabel") || className == QLatin1String("LabelButton"))
        return new ClickLabelInterface(static_cast<ClickLabel *>(object));
    if (className == QLatin1String("Marker"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

void install()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(create);
    }
}

void readLeftToRight(QWidget *container)
{
    container->setProperty(kLeftToRight, true);
}

} // namespace accessibility
