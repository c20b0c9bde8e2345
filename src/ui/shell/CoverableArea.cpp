#include "CoverableArea.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QQmlContext>
#include <QQmlProperty>
#include <QQuickWindow>

namespace {
// Qt Quick builds the tree from the item tree, skipping items without accessibility properties;
// this node answers for the area instead and, while it is covered, has no children.
class CoverableAreaAccessible : public QAccessibleObject {
public:
    explicit CoverableAreaAccessible(CoverableArea *area) : QAccessibleObject(area) {}

    QWindow *window() const override { return area()->window(); }
    QAccessible::Role role() const override { return QAccessible::Pane; }
    QString text(QAccessible::Text) const override { return {}; }

    QAccessibleInterface *parent() const override
    {
        QQuickWindow *window = area()->window();
        for (QQuickItem *up = area()->parentItem(); up; up = up->parentItem()) {
            if (window && up == window->contentItem())
                return QAccessible::queryAccessibleInterface(window);
            if (QAccessibleInterface *node = QAccessible::queryAccessibleInterface(up))
                return node;
        }
        return nullptr;
    }
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface *child(int index) const override { return children().value(index); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return static_cast<int>(children().indexOf(child));
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QList<QAccessibleInterface *> nodes = children();
        for (auto node = nodes.crbegin(); node != nodes.crend(); ++node) {
            if (QAccessibleInterface *inner = (*node)->childAt(x, y))
                return inner;
            if (!(*node)->state().invisible && (*node)->rect().contains(x, y))
                return *node;
        }
        return nullptr;
    }
    QRect rect() const override
    {
        const CoverableArea *item = area();
        if (!item->window() || !item->isVisible())
            return {};
        const QRectF scene = item->mapRectToScene(item->boundingRect());
        return {item->window()->mapToGlobal(scene.topLeft().toPoint()), scene.size().toSize()};
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !area()->isVisible() || !area()->window() || !area()->window()->isVisible();
        return state;
    }

private:
    CoverableArea *area() const { return static_cast<CoverableArea *>(object()); }

    // The nearest accessible descendants, in item order, as Qt Quick lists them.
    QList<QAccessibleInterface *> children() const
    {
        QList<QAccessibleInterface *> nodes;
        if (!area()->covered())
            collect(area(), nodes);
        return nodes;
    }
    static void collect(const QQuickItem *item, QList<QAccessibleInterface *> &nodes)
    {
        for (QQuickItem *child : item->childItems()) {
            if (QAccessibleInterface *node = QAccessible::queryAccessibleInterface(child))
                nodes.append(node);
            else
                collect(child, nodes);
        }
    }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    auto *area = qobject_cast<CoverableArea *>(object);
    return area && className == QLatin1String(CoverableArea::staticMetaObject.className())
               ? new CoverableAreaAccessible(area)
               : nullptr;
}
} // namespace

CoverableArea::CoverableArea(QQuickItem *parent) : QQuickItem(parent)
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(&accessibleFor), true);
}

void CoverableArea::setCovered(bool covered)
{
    if (covered_ == covered)
        return;
    covered_ = covered;
    // Readers that keep a copy of the tree learn that this node's children changed.
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
    emit coveredChanged();
}

void CoverableArea::componentComplete()
{
    QQuickItem::componentComplete();
    // Qt Quick makes a node only of an item that carries accessibility properties.
    QQmlProperty role(this, QStringLiteral("Accessible.role"), qmlContext(this));
    if (!role.write(QVariant::fromValue(QAccessible::Pane)))
        qWarning("CoverableArea: the accessibility role could not be set; the area stays reachable");
}
