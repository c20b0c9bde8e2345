#include "GqFoodListView.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "services/BackOffice.h"
#include "settings/LanguageManager.h"

#include <QJSEngine>

using namespace Qt::StringLiterals;

void GqFoodListModel::setRows(const QList<Row3> &rows)
{
    beginResetModel();
    rows_.clear();
    for (const Row3 &row : rows)
        rows_.append({row.foodno.value_or(QString()), row.foodName.value_or(QString()),
                      row.leftQty.value_or(QString())});
    endResetModel();
}

int GqFoodListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant GqFoodListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Line &row = rows_.at(index.row());
    switch (role) {
    case FoodnoRole:
        return row.foodno;
    case FoodNameRole:
        return row.foodName;
    case LeftQtyRole:
        return row.leftQty;
    default:
        return {};
    }
}

QHash<int, QByteArray> GqFoodListModel::roleNames() const
{
    return {{FoodnoRole, "foodno"}, {FoodNameRole, "foodName"}, {LeftQtyRole, "leftQty"}};
}

GqFoodListView::GqFoodListView(QObject *parent) : QObject(parent)
{
    QJSEngine::setObjectOwnership(&model_, QJSEngine::CppOwnership);
    NotificationCenter::defaultCenter().addObserver(this, Notify::LanguageChanged,
                                                    [this](const Notification &) { initLanguage(); });
    initLanguage();
}

void GqFoodListView::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    headings_ = {language.readString(u"商品编号"_s), language.readString(u"商品名称"_s),
                 language.readString(u"沽清数量"_s)};
    emit headingsChanged();
}

void GqFoodListView::setup()
{
    BackOffice::fetchSoldOutList(this, [this](const QList<Row3> &rows) { model_.setRows(rows); });
}
