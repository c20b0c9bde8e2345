#pragma once

#include "catalogue/Food.h"

#include <QByteArray>
#include <QString>

class SqlStatement;

// The dish query shared by every list of dishes: its 18 columns, in this order, and its joins.
namespace FoodRows {
// A.foodno ... A.Remark (columns 0 to 15), then B.scatName and C.bcatName (16, 17).
QString columns();
// "from FoodInfo A" with its small category B and big category C.
QString joins();
// The list of temporary dishes (`isTemp`) or of all others.
QString dishListSql(bool isTemp);

// Reads the rows of one dish query. Category numbers and names, flags and units mostly repeat from
// one row to the next; an unchanged value shares the previous row's text, which spares a large
// menu thousands of small allocations.
class Reader {
public:
    // Columns 0 to 15 into a dish; `itemsize` is also its `orgItemSize`.
    void readInfo(const SqlStatement &row, FoodInfo &info);
    // Columns 0 to 17 into a menu item.
    Food readFood(const SqlStatement &row);

private:
    class RepeatedText {
    public:
        QString read(const SqlStatement &row, int column);

    private:
        QByteArray bytes_;
        QString text_;
    };

    RepeatedText catno_, foodType_, currpriceFlag_, tjFlag_, tempFoodFlag_, unitname_, itemsize_;
    RepeatedText scatName_, bcatName_;
};
} // namespace FoodRows
