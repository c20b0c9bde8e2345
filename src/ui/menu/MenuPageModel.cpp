#include "MenuPageModel.h"

#include <QQmlEngine>

MenuPageModel::MenuPageModel(QObject *parent) : QAbstractListModel(parent) {}

int MenuPageModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(pages_.size());
}

QVariant MenuPageModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const MenuPages::Page &page = pages_.at(index.row());
    switch (role) {
    case RowsRole:
        return page.rows;
    case ColumnsRole:
        return page.columns;
    case CardsRole:
        return QVariant::fromValue(cards(index.row()));
    default:
        return {};
    }
}

QHash<int, QByteArray> MenuPageModel::roleNames() const
{
    return {{RowsRole, "rows"}, {ColumnsRole, "columns"}, {CardsRole, "cards"}};
}

void MenuPageModel::reset(const QList<MenuPages::Page> &pages)
{
    beginResetModel();
    for (const QPointer<DishCardModel> &made : std::as_const(cards_))
        delete made.data();
    pages_ = pages;
    cards_ = QList<QPointer<DishCardModel>>(pages.size());
    pagesOfFood_.clear();
    for (int i = 0; i < pages_.size(); ++i) {
        for (const Food &food : pages_.at(i).foods) {
            QList<int> &shownOn = pagesOfFood_[food.info->foodno];
            if (shownOn.isEmpty() || shownOn.last() != i)
                shownOn.append(i);
        }
    }
    endResetModel();
}

DishCardModel *MenuPageModel::cards(int page) const
{
    if (page < 0 || page >= pages_.size())
        return nullptr;
    if (!cards_.at(page)) {
        auto *made = new DishCardModel(pages_.at(page).foods, const_cast<MenuPageModel *>(this));
        QQmlEngine::setObjectOwnership(made, QQmlEngine::CppOwnership);
        cards_[page] = made;
    }
    return cards_.at(page);
}

QList<DishCardModel *> MenuPageModel::madeCardsOf(const QString &foodno) const
{
    QList<DishCardModel *> made;
    for (int page : pagesOfFood_.value(foodno)) {
        if (cards_.at(page))
            made.append(cards_.at(page));
    }
    return made;
}
