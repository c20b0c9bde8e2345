#include "OrderListModel.h"

#include "catalogue/StyledText.h"
#include "catalogue/TasteInfo.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

namespace {
StyledText nameText(const FoodOrder &line)
{
    if (line.itemsize.isEmpty())
        return line.displayStyleFoodName();
    QString name = LanguageManager::defaultManager().readString(u"%@（%@）"_s);
    const qsizetype first = name.indexOf(u"%@"_s);
    if (first >= 0)
        name.replace(first, 2, line.foodName);
    const qsizetype second = name.indexOf(u"%@"_s, first < 0 ? 0 : first + line.foodName.size());
    if (second >= 0)
        name.replace(second, 2, line.itemsize);
    return line.displayStyleSoldoutFoodName(name);
}
} // namespace

OrderListModel::OrderListModel(QObject *parent) : QAbstractListModel(parent) {}

int OrderListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

QString OrderListModel::styledName(const FoodOrder &line)
{
    return nameText(line).toHtml();
}

QString OrderListModel::plainName(const FoodOrder &line)
{
    return nameText(line).text;
}

QString OrderListModel::stateColor(const QString &printState)
{
    if (printState == u"0")
        return u"green"_s;
    if (printState == u"1")
        return u"yellow"_s;
    if (printState == u"2")
        return u"red"_s;
    return {};
}

QVariant OrderListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FoodOrder &line = *lines_.at(index.row());
    switch (role) {
    case NameRole:
        return styledName(line);
    case PlainNameRole:
        return plainName(line);
    case CategoryRole:
        return line.scatName;
    case QuantityRole:
        return line.OrderQuantity();
    case TasteRole:
        return TasteInfo::displayTasteString(line.arrTaste);
    case StateLabelRole:
        return FoodOrder::printStateText(line.PrintState);
    case StateColorRole:
        return stateColor(line.PrintState);
    case PriceRole:
        return line.PriceSale1();
    case IsComponentRole:
        return line.isMFoodType();
    case PriceActiveRole:
        return (line.isTempFood() || line.isShiJia()) && !line.isMFoodType() && !line.isZengSong();
    case IsGiftRole:
        return line.isZengSong();
    case GiftVisibleRole:
        return giftMode_ && !line.isMFoodType();
    default:
        return {};
    }
}

QHash<int, QByteArray> OrderListModel::roleNames() const
{
    return {{NameRole, "name"},
            {PlainNameRole, "plainName"},
            {CategoryRole, "category"},
            {QuantityRole, "quantity"},
            {TasteRole, "taste"},
            {StateLabelRole, "stateLabel"},
            {StateColorRole, "stateColor"},
            {PriceRole, "price"},
            {IsComponentRole, "isComponent"},
            {PriceActiveRole, "priceActive"},
            {IsGiftRole, "isGift"},
            {GiftVisibleRole, "giftVisible"}};
}

void OrderListModel::reload(const QList<Line> &lines)
{
    if (lines == lines_) {
        if (!lines_.isEmpty())
            emit dataChanged(index(0), index(int(lines_.size()) - 1));
        return;
    }
    // Rows are removed and inserted rather than reset: a view may still be making a delegate.
    if (!lines_.isEmpty()) {
        beginRemoveRows({}, 0, int(lines_.size()) - 1);
        lines_.clear();
        endRemoveRows();
    }
    if (!lines.isEmpty()) {
        beginInsertRows({}, 0, int(lines.size()) - 1);
        lines_ = lines;
        endInsertRows();
    }
    emit countChanged();
}

void OrderListModel::setGiftMode(bool on)
{
    if (on == giftMode_)
        return;
    giftMode_ = on;
    if (!lines_.isEmpty())
        emit dataChanged(index(0), index(int(lines_.size()) - 1), {GiftVisibleRole});
}
