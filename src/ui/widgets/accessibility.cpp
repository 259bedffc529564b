#include "ui/widgets/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// A window built straight on QWidget would be announced as an anonymous part of something
// else; it stands on its own and carries its title.
QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const QMetaObject* meta = widget->metaObject();
    // Only the program's own windows: the toolkit's (menus, tooltips) have interfaces of their
    // own.
    if (!widget->isWindow() || meta->superClass() != &QWidget::staticMetaObject ||
        className != QLatin1String(meta->className()) || className.startsWith(u'Q'))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

// Gives a control its hint as description when it is first polished and again whenever it
// takes the focus, before the focus is announced: hints change with the window's mode. A
// description of the control's own is left as it is.
class HintDescriptions : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Polish || event->type() == QEvent::FocusIn) &&
            watched->isWidgetType())
            describe(static_cast<QWidget*>(watched));
        return false;
    }

private:
    static void describe(QWidget* widget) {
        static const char* const copied = "lenkaroHintDescription";
        const QString hint = widget->statusTip();
        const QString description = widget->accessibleDescription();
        if (description == hint ||
            (!description.isEmpty() && description != widget->property(copied).toString()))
            return;
        widget->setAccessibleDescription(hint);
        widget->setProperty(copied, hint);
    }
};

} // namespace

void installAccessibility() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(windowInterface);
    qApp->installEventFilter(new HintDescriptions(qApp));
}
