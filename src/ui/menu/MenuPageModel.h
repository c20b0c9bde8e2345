#pragma once

#include "DishCardModel.h"
#include "catalogue/MenuPages.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The menu grid's pages, side by side. A page's cards are built when the page is first shown and
// kept while the menu lives, so a card scrolled away and back keeps what its tasks reported.
//
// Roles:
//   "rows"     (RowsRole, int)             the page's rows of cards;
//   "columns"  (ColumnsRole, int)          its columns;
//   "cards"    (CardsRole, DishCardModel*) its cards, made on first read and owned by this model.
class MenuPageModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the menu screen")
public:
    enum Roles { RowsRole = Qt::UserRole + 1, ColumnsRole, CardsRole };

    explicit MenuPageModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void reset(const QList<MenuPages::Page> &pages);
    // The page's cards, made now when they were not yet; null for an index outside the grid.
    DishCardModel *cards(int page) const;
    // The cards already made of the pages that show the dish.
    QList<DishCardModel *> madeCardsOf(const QString &foodno) const;

private:
    QList<MenuPages::Page> pages_;
    mutable QList<QPointer<DishCardModel>> cards_;
    QHash<QString, QList<int>> pagesOfFood_;
};
