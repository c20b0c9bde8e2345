#pragma once

#include "order/FoodOrder.h"
#include "order/OrderLinesSource.h"

// Stands in for the order manager: writes its lines as they are and counts the clearings.
class FakeOrderLines : public OrderLinesSource {
public:
    QList<std::shared_ptr<FoodOrder>> lines;
    int clearCount = 0;

    QString sendData() override
    {
        QString out;
        for (const auto &line : lines)
            out += line->toDataString();
        return out;
    }

    QString guaDanData() override
    {
        QString out;
        for (const auto &line : lines)
            out += line->toGuadanString();
        return out;
    }

    void deleteAllFoodOrders() override
    {
        lines.clear();
        ++clearCount;
    }
};
