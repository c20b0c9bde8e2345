#pragma once

#include <QString>

// Where an order pack finds the lines of the current order. The order manager owns the lines and
// registers itself (OrderPack::setLinesSource), so the pack can write and clear them without
// this layer knowing the manager.
class OrderLinesSource {
public:
    virtual ~OrderLinesSource() = default;

    // The "<Data ... />" elements of every line, in order (numbering the lines as it goes).
    virtual QString sendData() = 0;
    // The "<Guadan ... />" elements of every line, in order.
    virtual QString guaDanData() = 0;
    // Empties the order once it has been held.
    virtual void deleteAllFoodOrders() = 0;
};
