#include "KeyTaps.h"
#include <QMetaMethod>
#include <QQuickItem>

bool KeyTaps::tap(int key, QQuickItem *item)
{
    if (!item || (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space))
        return false;
    // The item's `Accessible` attached object is its child; its press action is a signal that the
    // control's `Accessible.onPressAction` handles (whatever its role: a field's too).
    for (QObject *child : item->children()) {
        if (!child->inherits("QQuickAccessibleAttached"))
            continue;
        const QMetaObject *meta = child->metaObject();
        const QMetaMethod press = meta->method(meta->indexOfSignal("pressAction()"));
        return press.isValid() && press.invoke(child);
    }
    return false;
}
