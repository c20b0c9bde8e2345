#include "KeyTaps.h"
#include <QAccessible>
#include <QQuickItem>

bool KeyTaps::tap(int key, QQuickItem *item)
{
    if (!item || (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space))
        return false;
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(item);
    QAccessibleActionInterface *actions = face ? face->actionInterface() : nullptr;
    if (!actions)
        return false;
    const QStringList names = actions->actionNames();
    for (const QString &action :
         {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction()}) {
        if (names.contains(action)) {
            actions->doAction(action);
            return true;
        }
    }
    return false;
}
