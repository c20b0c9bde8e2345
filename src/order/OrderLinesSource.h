#pragma once

#include "storage/DBManager.h"

#include <QString>

// Where an order pack finds the lines of the current order to hold them. The order manager owns the lines and
// registers itself (OrderPack::setLinesSource), so the pack can write and clear them without
// this layer knowing the manager.
class OrderLinesSource {
public:
    virtual ~OrderLinesSource() = default;

    // The "<Guadan ... />" elements of every line, in order.
    virtual QString guaDanData() = 0;
    // Empties the order once it has been held.
    virtual void deleteAllFoodOrders() = 0;
    // True when the order may not be held now; the source has told the waiter why.
    virtual bool refusesHold() { return false; }
    // Stores the held-order text as a new held order; true when stored.
    virtual bool saveHeldOrder(const QString &content)
    {
        bool saved = false;
        DBManager::mainDBManager().saveOrderPack(content, [&saved](bool done) { saved = done; });
        return saved;
    }
};
