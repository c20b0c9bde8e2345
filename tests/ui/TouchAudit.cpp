#include "TouchAudit.h"

#include "UiTestSupport.h"

#include <QAccessible>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>

namespace TouchAudit {
namespace {
// A delegate thinner than this is a layout that collapsed, not a design.
constexpr qreal kSliver = 4;

bool hasTapHandler(const QQuickItem *item)
{
    const QObjectList &children = item->children();
    return std::any_of(children.cbegin(), children.cend(),
                       [](const QObject *child) { return child->inherits("QQuickTapHandler"); });
}

// Texts take the left button only to follow their links, and let every other press through.
bool takesPress(const QQuickItem *item)
{
    return ((item->acceptedMouseButtons() & Qt::LeftButton) && !item->inherits("QQuickText")) ||
           hasTapHandler(item);
}

// Children from the top of the stack down, as presses reach them.
QList<QQuickItem *> topFirst(const QQuickItem *item)
{
    QList<QQuickItem *> children = item->childItems();
    std::stable_sort(children.begin(), children.end(),
                     [](const QQuickItem *a, const QQuickItem *b) { return a->z() < b->z(); });
    std::reverse(children.begin(), children.end());
    return children;
}

QQuickItem *targetIn(QQuickItem *item, QPointF scenePoint)
{
    if (!item->isVisible() || !item->isEnabled())
        return nullptr;
    const bool inside = item->contains(item->mapFromScene(scenePoint));
    if (item->clip() && !inside)
        return nullptr;
    for (QQuickItem *child : topFirst(item)) {
        if (QQuickItem *found = targetIn(child, scenePoint))
            return found;
    }
    return inside && takesPress(item) ? item : nullptr;
}

// The part of the item on screen: its rectangle cut by every clipping ancestor, in scene points.
QRectF shownRect(const QQuickItem *item)
{
    QRectF rect = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    for (const QQuickItem *up = item->parentItem(); up && !rect.isEmpty(); up = up->parentItem()) {
        if (up->clip())
            rect &= up->mapRectToScene(QRectF(0, 0, up->width(), up->height()));
    }
    return rect;
}

qreal shownOpacity(const QQuickItem *item)
{
    qreal opacity = 1;
    for (; item; item = item->parentItem())
        opacity *= item->opacity();
    return opacity;
}

// Items that take presses without being something to tap: lists (they flick), scroll bars, the
// shields over the whole window under pop-ups and questions, and a field's text input that the
// field's own tap gives the focus.
bool isTapTarget(const QQuickItem *item, const QSizeF &window)
{
    if (!takesPress(item) || item->inherits("QQuickFlickable") || item->inherits("QQuickScrollBar"))
        return false;
    if (item->width() >= window.width() && item->height() >= window.height())
        return false;
    return !(item->inherits("QQuickTextInput") && !item->property("activeFocusOnPress").toBool());
}

QString describe(const QQuickItem *item)
{
    QString name = item->objectName().isEmpty() ? QString::fromLatin1(item->metaObject()->className())
                                                : item->objectName();
    const QString text = item->property("text").toString();
    if (!text.isEmpty())
        name += QStringLiteral(" \"%1\"").arg(text);
    for (const QQuickItem *up = item->parentItem(); up; up = up->parentItem()) {
        if (!up->objectName().isEmpty())
            return name + QStringLiteral(" in ") + up->objectName();
    }
    return name;
}

QString where(const QRectF &rect)
{
    return QStringLiteral("at %1,%2 %3x%4")
        .arg(rect.x(), 0, 'f', 0)
        .arg(rect.y(), 0, 'f', 0)
        .arg(rect.width(), 0, 'f', 0)
        .arg(rect.height(), 0, 'f', 0);
}

// What a screen reader reads for a tap target: the name of the target or of the nearest control
// around it (a button's face holds its tap area). Empty when neither is a named control.
QString accessibleName(QQuickItem *item)
{
    static const QList<QAccessible::Role> controls{
        QAccessible::Button,  QAccessible::CheckBox, QAccessible::RadioButton, QAccessible::EditableText,
        QAccessible::PageTab, QAccessible::ComboBox, QAccessible::ListItem};
    for (QQuickItem *up = item; up; up = up->parentItem()) {
        const QAccessibleInterface *control = QAccessible::queryAccessibleInterface(up);
        if (control && controls.contains(control->role()))
            return control->text(QAccessible::Name).trimmed();
    }
    return {};
}

void collect(QQuickItem *item, QList<QQuickItem *> &out)
{
    if (!item->isVisible())
        return;
    out.append(item);
    for (QQuickItem *child : item->childItems())
        collect(child, out);
}
} // namespace

QQuickItem *pressTarget(QQuickWindow &window, QPointF scenePoint)
{
    return targetIn(window.contentItem(), scenePoint);
}

QQuickItem *activeScope(QQuickWindow &window)
{
    QQuickItem *root = window.contentItem();
    if (QQuickItem *dialog = UiTest::findItem(root, QStringLiteral("noticeDialog"));
        dialog && dialog->isVisible())
        return dialog;
    const QList<QQuickItem *> frames = UiTest::findItems(root, QStringLiteral("popFrame"));
    for (auto frame = frames.crbegin(); frame != frames.crend(); ++frame) {
        if ((*frame)->property("active").toBool())
            return *frame;
    }
    QQuickItem *stack = UiTest::findItem(root, QStringLiteral("screenStack"));
    return stack ? stack->property("currentItem").value<QQuickItem *>() : root;
}

QStringList check(QQuickWindow &window, QQuickItem *scope, const QString &screen)
{
    QStringList faults;
    if (!scope)
        return {screen + QStringLiteral(": nothing takes input")};
    const QSizeF size = window.size();
    const QRectF bounds(QPointF(0, 0), size);
    QList<QQuickItem *> items;
    collect(scope, items);
    for (QQuickItem *item : std::as_const(items)) {
        const QRectF shown = shownRect(item);
        if (shown.isEmpty() || shownOpacity(item) < 0.01)
            continue;
        if (item->inherits("QQuickItemView")) {
            const auto *content = item->property("contentItem").value<QQuickItem *>();
            for (const QQuickItem *delegate : content ? content->childItems() : QList<QQuickItem *>()) {
                if (delegate->isVisible() && !shownRect(delegate).isEmpty() &&
                    (delegate->width() < kSliver || delegate->height() < kSliver))
                    faults << QStringLiteral("%1: %2 is a sliver %3")
                                  .arg(screen, describe(delegate), where(shownRect(delegate)));
            }
        }
        if (!item->isEnabled() || !isTapTarget(item, size))
            continue;
        const QString name = describe(item);
        // Half a point of slack: layouts place items at fractions of a point.
        if (item->width() < kMinTarget - 0.5 || item->height() < kMinTarget - 0.5)
            faults << QStringLiteral("%1: %2 is smaller than %3 points %4")
                          .arg(screen, name)
                          .arg(kMinTarget)
                          .arg(where(shown));
        if (!bounds.adjusted(-0.5, -0.5, 0.5, 0.5).contains(shown))
            faults << QStringLiteral("%1: %2 reaches out of the window %3").arg(screen, name, where(shown));
        if (accessibleName(item).isEmpty())
            faults << QStringLiteral("%1: %2 has no accessible name %3").arg(screen, name, where(shown));
        QQuickItem *reached = pressTarget(window, shown.center());
        if (reached != item)
            faults << QStringLiteral("%1: a press at the centre of %2 %3 reaches %4")
                          .arg(screen, name, where(shown),
                               reached ? describe(reached) : QStringLiteral("nothing"));
    }
    return faults;
}
} // namespace TouchAudit
