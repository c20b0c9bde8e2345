#include "storage/DBManager.h"

#include "settings/LanguageManager.h"
#include "storage/SerialDatabase.h"
#include "storage/SqlStatement.h"

using namespace Qt::StringLiterals;

namespace {
FoodBigCatInfo readBigCat(const SqlStatement &row)
{
    FoodBigCatInfo category;
    category.bcatno = row.text(0);
    category.bcatName = row.text(1);
    return category;
}

// The rows of "select *": columns by name, since the table's column order is not ours.
QList<FoodSmallCatInfo> readSmallCatsWithLayout(SqlStatement &statement)
{
    const int scatno = statement.columnIndex(u"scatno");
    const int scatName = statement.columnIndex(u"scatName");
    const int bcatNo = statement.columnIndex(u"bcatNo");
    const int cpViewRow = statement.columnIndex(u"cpViewRow");
    const int cpViewCol = statement.columnIndex(u"cpViewCol");
    return readAllRows(statement, [&](const SqlStatement &row) {
        FoodSmallCatInfo category;
        category.scatno = row.text(scatno);
        category.scatName = row.text(scatName);
        category.bcatNo = row.text(bcatNo);
        category.layoutRow = row.integer(cpViewRow);
        category.layoutCol = row.integer(cpViewCol);
        return category;
    });
}
} // namespace

void DBManager::getFoodCatInfo(const Callback<const QList<FoodBigCatInfo> &, const SmallCatMap &> &callback)
{
    QList<FoodBigCatInfo> bigCats;
    QList<FoodSmallCatInfo> smallCats;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement bigQuery(db, "select bcatno, bcatName from FoodBigCatInfo");
        bigCats = readAllRows(bigQuery, readBigCat);
        SqlStatement smallQuery(db, "select * from FoodSmallCatInfo");
        smallCats = readSmallCatsWithLayout(smallQuery);
    });

    SmallCatMap smallCatsByBig;
    if (bigCats.isEmpty()) {
        FoodBigCatInfo all;
        all.bcatno = u"-no"_s;
        all.bcatName = LanguageManager::defaultManager().readString(u"全部"_s);
        bigCats.append(all);
    } else {
        QHash<QString, QList<FoodSmallCatInfo>> byBcatNo;
        for (const FoodSmallCatInfo &category : std::as_const(smallCats))
            byBcatNo[category.bcatNo].append(category);
        for (const FoodBigCatInfo &category : std::as_const(bigCats))
            smallCatsByBig.insert(category.bcatno, byBcatNo.value(category.bcatno));
    }
    if (callback)
        callback(bigCats, smallCatsByBig);
}

void DBManager::getAllFoodBigCat(const Callback<const QList<FoodBigCatInfo> &> &callback)
{
    QList<FoodBigCatInfo> categories;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select bcatno, bcatName from FoodBigCatInfo order by bcatno");
        categories = readAllRows(query, readBigCat);
    });
    if (callback)
        callback(categories);
}

void DBManager::getAllFoodSmallCat(const Callback<const QList<FoodSmallCatInfo> &> &callback)
{
    QList<FoodSmallCatInfo> categories;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select scatno, scatName, bcatNo from FoodSmallCatInfo order by scatno");
        categories = readAllRows(query, [](const SqlStatement &row) {
            FoodSmallCatInfo category;
            category.scatno = row.text(0);
            category.scatName = row.text(1);
            category.bcatNo = row.text(2);
            return category;
        });
    });
    if (callback)
        callback(categories);
}
