#include "DishCardModel.h"

#include "catalogue/StyledText.h"
#include "foundation/CommonUtils.h"
#include "settings/LanguageManager.h"

DishCardModel::DishCardModel(const QList<Food> &foods, QObject *parent)
    : QAbstractListModel(parent), foods_(foods), cards_(foods.size())
{
}

int DishCardModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(foods_.size());
}

QVariant DishCardModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Food &food = foods_.at(index.row());
    const Card &card = cards_.at(index.row());
    switch (role) {
    case FoodnoRole:
        return food.info->foodno;
    case NameRole:
        return nameHtml(food);
    case PriceRole:
        return food.getPrice();
    case MemberPriceRole:
        return memberPriceText(food);
    case RecommendedRole:
        return food.isTuiJian();
    case AmountRole:
        return card.amount;
    case AmountVisibleRole:
        return card.amount != u"0";
    case PictureRole:
        return card.picture;
    case PictureKnownRole:
        return card.pictureKnown;
    default:
        return {};
    }
}

QHash<int, QByteArray> DishCardModel::roleNames() const
{
    return {{FoodnoRole, "foodno"},           {NameRole, "name"},
            {PriceRole, "price"},             {MemberPriceRole, "memberPrice"},
            {RecommendedRole, "recommended"}, {AmountRole, "amount"},
            {AmountVisibleRole, "amountVisible"}, {PictureRole, "picture"},
            {PictureKnownRole, "pictureKnown"}};
}

template <typename Change>
void DishCardModel::changeCards(const QString &foodno, const QList<int> &roles, Change change)
{
    for (int row = 0; row < foods_.size(); ++row) {
        if (foods_.at(row).info->foodno != foodno)
            continue;
        change(cards_[row]);
        emit dataChanged(index(row), index(row), roles);
    }
}

void DishCardModel::setAmount(const QString &foodno, const QString &amount)
{
    const QString shown = CommonUtils::removeStringZero(amount);
    changeCards(foodno, {AmountRole, AmountVisibleRole}, [&shown](Card &card) { card.amount = shown; });
}

void DishCardModel::setPicture(const QString &foodno, const QUrl &picture)
{
    changeCards(foodno, {PictureRole, PictureKnownRole}, [&picture](Card &card) {
        card.picture = picture;
        card.pictureKnown = true;
    });
}

void DishCardModel::refreshName(const QString &foodno)
{
    changeCards(foodno, {NameRole}, [](Card &) {});
}

QString DishCardModel::nameHtml(const Food &food)
{
    return food.info->displayStyleFoodName().toHtml();
}

QString DishCardModel::memberPriceText(const Food &food)
{
    const float member = food.memberPrice();
    if (food.isShiJia() || member <= 0 || food.salePrice1() <= member)
        return {};
    return QString::asprintf("%s ￥ %.2f",
                             qUtf8Printable(LanguageManager::defaultManager().readString(QStringLiteral("会员"))),
                             double(member));
}
