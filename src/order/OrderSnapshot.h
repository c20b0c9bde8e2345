#pragma once

#include "order/FoodOrder.h"
#include "order/OrderPack.h"
#include "storage/KeptOrder.h"

#include <QList>

#include <optional>

// The order being taken, copied at one moment: what the order keeper writes and what the next
// start adopts. Lines are copies (their texts are shared, so copying is cheap); a component's set
// meal is named by its position, so links survive any renumbering.
struct OrderSnapshot {
    OrderPack pack;
    QList<FoodOrder> lines;
    // For each line, the position of the set meal it belongs to, or -1.
    QList<qsizetype> parents;
    // A send of this order is waiting for a definite answer (see OrderManager::isLocked).
    bool locked = false;

    bool isEmpty() const { return lines.isEmpty(); }

    // The stored form: every field of the pack and of each line as JSON, numbers exact.
    KeptOrderRow toRow() const;
    // None when the stored text is not a kept order this program wrote.
    static std::optional<OrderSnapshot> fromRow(const KeptOrderRow &row);
};
