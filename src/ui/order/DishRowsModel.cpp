#include "DishRowsModel.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/TaskManager.h"

#include <algorithm>

#include "foundation/CommonUtils.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

DishRowsModel::DishRowsModel(QObject *parent) : QAbstractListModel(parent)
{
    NotificationCenter::defaultCenter().addObserver(this, Notify::TaskOrderAmount,
                                                    [this](const Notification &note) {
                                                        const QStringList result = note.object.toStringList();
                                                        if (result.size() >= 2)
                                                            setAmount(result.at(0), result.at(1));
                                                    });
}

void DishRowsModel::askAmounts(int first, int last)
{
    last = std::min(last, count() - 1);
    for (int row = std::max(first, 0); row <= last; ++row)
        TaskManager::defaultManager().runOrderAmountTaskWithFoodIdentity(rows_.at(row).dish.info->foodno);
}

int DishRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant DishRowsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const DishRow &row = rows_.at(index.row());
    const FoodInfo &info = *row.dish.info;
    switch (role) {
    case FoodnoRole:
        return info.foodno;
    case NameRole:
        return info.displayStyleFoodName().toHtml();
    case SpellRole:
        return info.spellName;
    case RemarkRole:
        return info.Remark;
    case PriceRole:
        return priceText(row.dish);
    case AmountRole:
        return amounts_.value(info.foodno, u"0"_s);
    case SectionRole:
        return row.section.isEmpty() ? QString() : row.section + u'\t' + row.sectionName;
    case SectionNameRole:
        return row.sectionName;
    case SelectedRole:
        return index.row() == selected_;
    default:
        return {};
    }
}

QHash<int, QByteArray> DishRowsModel::roleNames() const
{
    return {{FoodnoRole, "foodno"},    {NameRole, "name"},
            {SpellRole, "spell"},      {RemarkRole, "remark"},
            {PriceRole, "price"},      {AmountRole, "amount"},
            {SectionRole, "section"},  {SectionNameRole, "sectionName"},
            {SelectedRole, "selected"}};
}

QString DishRowsModel::priceText(const Food &dish)
{
    const QString unit = dish.info->unitname.isEmpty() ? LanguageManager::defaultManager().readString(u"例"_s)
                                                       : dish.info->unitname;
    return QString::asprintf("￥%.2f / ", double(dish.info->salePrice1)) + unit;
}

void DishRowsModel::resetTo(QList<DishRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    rowsOfDish_.clear();
    for (int i = 0; i < rows_.size(); ++i)
        rowsOfDish_[rows_.at(i).dish.info->foodno].append(i);
    selected_ = -1;
    endResetModel();
    emit countChanged();
    emit selectionChanged();
}

void DishRowsModel::reload(const QList<Food> &dishes)
{
    QList<DishRow> rows;
    rows.reserve(dishes.size());
    for (const Food &dish : dishes)
        rows.append({dish, {}, {}});
    resetTo(std::move(rows));
}

void DishRowsModel::reload(const QList<DishSearch::Section> &sections)
{
    QList<DishRow> rows;
    for (const DishSearch::Section &section : sections) {
        for (const Food &dish : section.dishes)
            rows.append({dish, section.category.scatno, section.category.scatName});
    }
    resetTo(std::move(rows));
}

void DishRowsModel::setAmount(const QString &foodno, const QString &amount)
{
    const QString shown = CommonUtils::removeStringZero(amount);
    if (amounts_.value(foodno, u"0"_s) == shown)
        return;
    amounts_.insert(foodno, shown);
    for (int row : rowsOfDish_.value(foodno))
        emit dataChanged(index(row), index(row), {AmountRole});
}

void DishRowsModel::select(int row)
{
    if (row < 0 || row >= rows_.size())
        return;
    const int previous = std::exchange(selected_, row);
    if (previous >= 0 && previous != row)
        emit dataChanged(index(previous), index(previous), {SelectedRole});
    emit dataChanged(index(row), index(row), {SelectedRole});
    emit selectionChanged();
}
