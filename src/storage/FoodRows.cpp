#include "storage/FoodRows.h"

#include "storage/SqlStatement.h"

using namespace Qt::StringLiterals;

namespace FoodRows {

QString columns()
{
    return QStringLiteral("select A.foodno, A.catno, A.foodName, A.foodSubName, A.FoodType, A.currpriceFlag, "
                          "A.TjFlag, A.TempFoodFlag, A.spellName, A.salePrice1, A.salePrice2, A.salePrice3, "
                          "A.MemberPrice, A.unitname, A.itemsize, A.Remark, B.scatName, C.bcatName");
}

QString joins()
{
    return QStringLiteral(" from FoodInfo A left join FoodSmallCatInfo B on A.catno = B.scatno "
                          "left join FoodBigCatInfo C on B.bcatNo = C.bcatno");
}

QString dishListSql(bool isTemp)
{
    // The operator is one of two fixed texts, never the caller's.
    return columns() + joins() + u" where A.TempFoodFlag "_s + (isTemp ? u"="_s : u"<>"_s) + u" 'Y'"_s;
}

QString Reader::RepeatedText::read(const SqlStatement &row, int column)
{
    const QByteArrayView bytes = row.utf8(column);
    if (bytes != QByteArrayView(bytes_)) {
        bytes_ = bytes.toByteArray();
        text_ = QString::fromUtf8(bytes);
    }
    return text_;
}

void Reader::readInfo(const SqlStatement &row, FoodInfo &info)
{
    info.foodno = row.text(0);
    info.catno = catno_.read(row, 1);
    info.foodName = row.text(2);
    info.foodSubName = row.text(3);
    info.FoodType = foodType_.read(row, 4);
    info.currpriceFlag = currpriceFlag_.read(row, 5);
    info.TjFlag = tjFlag_.read(row, 6);
    info.TempFoodFlag = tempFoodFlag_.read(row, 7);
    info.spellName = row.text(8);
    info.salePrice1 = float(row.real(9));
    info.salePrice2 = float(row.real(10));
    info.salePrice3 = float(row.real(11));
    info.MemberPrice = float(row.real(12));
    info.unitname = unitname_.read(row, 13);
    info.itemsize = itemsize_.read(row, 14);
    info.orgItemSize = info.itemsize;
    info.Remark = row.text(15);
}

Food Reader::readFood(const SqlStatement &row)
{
    Food food;
    readInfo(row, *food.info);
    food.scatName = scatName_.read(row, 16);
    food.bcatName = bcatName_.read(row, 17);
    return food;
}

} // namespace FoodRows
