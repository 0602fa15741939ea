#include "platform/ui/WindowAccessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace tavlo {
namespace {

QAccessibleInterface* plainWindow(const QString& key, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QMetaObject* type = object->metaObject();
    // Asked once per class from the object's own upwards: answer only for
    // the object's own class, and only when it derives from QWidget itself.
    if (key != QLatin1String(type->className()) || type->superClass() != &QWidget::staticMetaObject)
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (widget->windowType() != Qt::Window)
        return nullptr;
    // The name of a window's interface is its caption.
    return new QAccessibleWidget(widget, QAccessible::Window);
}

}  // namespace

void installWindowAccessibility()
{
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(&plainWindow);
}

}  // namespace tavlo
