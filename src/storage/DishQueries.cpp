#include "storage/DBManager.h"

#include "storage/FoodRows.h"
#include "storage/SerialDatabase.h"
#include "storage/SqlStatement.h"

using namespace Qt::StringLiterals;

namespace {
QList<Food> selectFoods(sqlite3 *db, const QString &sql, const QStringList &parameters = {})
{
    SqlStatement query(db, sql);
    for (qsizetype i = 0; i < parameters.size(); ++i)
        query.bind(int(i + 1), parameters.at(i));
    FoodRows::Reader reader;
    return readAllRows(query, [&reader](const SqlStatement &row) { return reader.readFood(row); });
}

// A component or exchange option of a set meal: never ordered by itself, whatever its row says.
Food readSetMealPart(FoodRows::Reader &reader, const SqlStatement &row)
{
    Food food = reader.readFood(row);
    food.info->FoodType = u"M"_s;
    return food;
}

QList<Food> selectComponents(sqlite3 *db, const QString &suitno)
{
    SqlStatement query(db, FoodRows::columns() + u", S.foodQty, S.forceChange, S.fIndex, S.suitno"_s +
                               FoodRows::joins() +
                               u" left join SuitFoodInfo S on A.foodno = S.foodno where S.suitno = ? "
                               "order by S.fIndex"_s);
    query.bind(1, suitno);
    FoodRows::Reader reader;
    return readAllRows(query, [&reader](const SqlStatement &row) {
        Food component = readSetMealPart(reader, row);
        component.OrgFoodNo = component.info->foodno;
        component.suitFoodQty = float(row.real(18));
        component.forceChange = row.text(19);
        component.suiteIndex = row.integer(20);
        component.suitno = row.text(21);
        return component;
    });
}
} // namespace

void DBManager::getAllFoodInfo(const Callback<const QList<Food> &> &callback, bool isTemp)
{
    QList<Food> foods;
    runOn(baseData(), [&](sqlite3 *db) { foods = selectFoods(db, FoodRows::dishListSql(isTemp)); });
    if (callback)
        callback(foods);
}

void DBManager::queryFoodInfosWithSql(const QString &sql, const Callback<const QList<Food> &> &callback,
                                      const QStringList &parameters)
{
    QList<Food> foods;
    runOn(baseData(), [&](sqlite3 *db) { foods = selectFoods(db, sql, parameters); });
    if (callback)
        callback(foods);
}

void DBManager::getFoodInfo2(const Callback<const QList<FoodInfo> &> &callback)
{
    QList<FoodInfo> dishes;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db,
                           "select foodno, foodName, spellName, salePrice1 from FoodInfo order by foodno");
        dishes = readAllRows(query, [](const SqlStatement &row) {
            FoodInfo dish;
            dish.foodno = row.text(0);
            dish.foodName = row.text(1);
            dish.spellName = row.text(2);
            dish.salePrice1 = float(row.real(3));
            return dish;
        });
    });
    if (callback)
        callback(dishes);
}

void DBManager::getFoodItemsizeWithFoodno(const QString &foodno,
                                          const Callback<const QList<FoodItemsize> &> &callback)
{
    QList<FoodItemsize> sizes;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select foodno, itemsize, salePrice1 from FoodItemsize where foodno = ?");
        query.bind(1, foodno);
        sizes = readAllRows(query, [&foodno](const SqlStatement &row) {
            FoodItemsize size;
            size.foodno = foodno;
            size.itemsize = row.text(1);
            size.salePrice1 = float(row.real(2));
            return size;
        });
    });
    if (callback)
        callback(sizes);
}

void DBManager::getTFoodDataWithFood(Food &food)
{
    food.arrSuiteFoods.clear();
    const QString setMealNo = food.info ? food.info->foodno : QString();
    runOn(baseData(), [&](sqlite3 *db) {
        food.arrSuiteFoods = selectComponents(db, setMealNo);
        SqlStatement changes(db, FoodRows::columns() + u", SC.changeAmt"_s + FoodRows::joins() +
                                     u" left join SuitFoodChange SC on A.foodno = SC.changeFoodno "
                                     "where SC.suitno = ? and SC.foodno = ?"_s);
        FoodRows::Reader reader;
        for (Food &component : food.arrSuiteFoods) {
            changes.reset();
            changes.bind(1, component.suitno).bind(2, component.info->foodno);
            component.arrSuiteFoodsChange = readAllRows(changes, [&](const SqlStatement &row) {
                Food option = readSetMealPart(reader, row);
                option.suitno = component.suitno;
                option.changeAmt = float(row.real(18));
                return option;
            });
        }
    });
}
