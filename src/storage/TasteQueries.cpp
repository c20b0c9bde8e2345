#include "storage/DBManager.h"

#include "settings/LanguageManager.h"
#include "storage/SerialDatabase.h"
#include "storage/SqlStatement.h"

using namespace Qt::StringLiterals;

namespace {
const QString kBoundCategoryNo = u"-1"_s;
const QString kLineStyle = u"P"_s;

// The numbers of the cooking methods bound to a dish, one per binding row.
QStringList selectBoundTasteNos(sqlite3 *db, const QString &foodno)
{
    SqlStatement query(db, "select tasteno from FoodTasteInfo where foodno = ?");
    query.bind(1, foodno);
    return readAllRows(query, [](const SqlStatement &row) { return row.text(0); });
}

QList<TasteCatInfo> selectCategories(sqlite3 *db, const QString &style)
{
    SqlStatement query(
        db, "select TasteCatNo, TasteCatName, TasteCatStyle from TasteCatInfo where TasteCatStyle = ?");
    query.bind(1, style);
    return readAllRows(query, [](const SqlStatement &row) {
        return TasteCatInfo{row.text(0), row.text(1), row.text(2)};
    });
}

QList<TasteInfo> selectTastes(sqlite3 *db)
{
    SqlStatement query(db,
                       "select TasteNo, TasteName, TasteCatNo, QtyStyle, AmtStyle, TasteAmt from TasteInfo");
    return readAllRows(query, [](const SqlStatement &row) {
        TasteInfo taste;
        taste.TasteNo = row.text(0);
        taste.TasteName = row.text(1);
        taste.TasteCatNo = row.text(2);
        taste.QtyStyle = row.text(3);
        taste.AmtStyle = row.text(4);
        taste.TasteAmt = float(row.real(5));
        return taste;
    });
}

// The bound methods in table order, each once per binding row that names it.
QList<TasteInfo> boundTastes(const QList<TasteInfo> &tastes, const QStringList &boundNos)
{
    QHash<QString, int> bindings;
    for (const QString &no : boundNos)
        ++bindings[no];
    QList<TasteInfo> bound;
    for (const TasteInfo &taste : tastes) {
        for (int n = bindings.value(taste.TasteNo); n > 0; --n)
            bound.append(taste);
    }
    return bound;
}
} // namespace

void DBManager::isFoodHasBindingTasteInfoByStyle(const QString &style, const QString &foodno,
                                                 const Callback<bool> &callback)
{
    bool hasBinding = false;
    if (style == kLineStyle)
        runOn(baseData(), [&](sqlite3 *db) { hasBinding = !selectBoundTasteNos(db, foodno).isEmpty(); });
    if (callback)
        callback(hasBinding);
}

void DBManager::getTasteInfoByStyle(
    const QString &style, const QString &foodno,
    const Callback<const QList<TasteCatInfo> &, const QList<TasteInfo> &, const TasteMap &> &callback)
{
    QList<TasteCatInfo> categories;
    QStringList boundNos;
    QList<TasteInfo> tastes;
    runOn(baseData(), [&](sqlite3 *db) {
        categories = selectCategories(db, style);
        if (style == kLineStyle)
            boundNos = selectBoundTasteNos(db, foodno);
        tastes = selectTastes(db);
    });

    if (!boundNos.isEmpty()) {
        categories.prepend(TasteCatInfo{
            kBoundCategoryNo, LanguageManager::defaultManager().readString(u"绑定做法"_s), kLineStyle});
    }
    QHash<QString, QList<TasteInfo>> byCategory;
    for (const TasteInfo &taste : std::as_const(tastes))
        byCategory[taste.TasteCatNo].append(taste);
    TasteMap tastesByCategory;
    for (const TasteCatInfo &category : std::as_const(categories))
        tastesByCategory.insert(category.TasteCatNo, byCategory.value(category.TasteCatNo));
    if (!boundNos.isEmpty())
        tastesByCategory.insert(kBoundCategoryNo, boundTastes(tastes, boundNos));

    if (callback)
        callback(categories, tastes, tastesByCategory);
}
