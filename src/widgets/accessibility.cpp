#include "widgets/accessibility.h"

#include "widgets/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>

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

QAccessibleInterface *create(const QString &className, QObject *object)
{
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

} // namespace accessibility
