#pragma once

// What a finger meets on the real window: where a press at a point goes, and an audit of the tap
// targets of the part of the window that takes input.
#include <QPointF>
#include <QStringList>

class QQuickItem;
class QQuickWindow;

namespace TouchAudit {
// The smallest tap target a fingertip hits reliably, in points, both ways.
inline constexpr qreal kMinTarget = 44;

// The item a press at `scenePoint` reaches first, as Qt Quick delivers it: the topmost visible,
// enabled item under the point (inside every clipping ancestor) that takes the left button or has
// a tap handler. Null when none does.
QQuickItem *pressTarget(QQuickWindow &window, QPointF scenePoint);

// The part of the window that takes input now: the open question, else the top pop-up, else the
// current screen.
QQuickItem *activeScope(QQuickWindow &window);

// Every fault of the tap targets in `scope`, each line naming `screen` and the item: a visible,
// enabled target smaller than kMinTarget either way, reaching out of the window, not reached by a
// press at its centre (an item above it, or a child that takes the press), or without an accessible
// name (its own or its control's); and a visible delegate of a list or grid that is only a sliver
// (under 4 points) either way. Empty when all is well.
QStringList check(QQuickWindow &window, QQuickItem *scope, const QString &screen);
} // namespace TouchAudit
