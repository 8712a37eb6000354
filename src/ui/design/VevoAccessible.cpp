#include "ui/design/VevoAccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

class VevoAccessibleWidget final : public QAccessibleWidget
{
public:
    VevoAccessibleWidget(QWidget *widget, const VevoAccessibleValue &control)
        : QAccessibleWidget(widget, control.accessibleRole())
    {}

    // Asked afresh each time: Qt keeps this interface until the widget is
    // destroyed, and by then the control part of it may be gone.
    QString text(QAccessible::Text kind) const override
    {
        const auto *control = dynamic_cast<const VevoAccessibleValue *>(widget());
        if (kind == QAccessible::Value && control)
            return control->accessibleValue();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *createInterface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    const auto *control = dynamic_cast<const VevoAccessibleValue *>(widget);
    return control ? new VevoAccessibleWidget(widget, *control) : nullptr;
}

} // namespace

void installVevoAccessibility()
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
}

bool showsKeyboardFocus(const QWidget &widget)
{
    // Qt sets this on the window for Tab and clears it on a mouse press.
    return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}
