#pragma once

#include "order/FoodOrder.h"

#include <QAbstractListModel>
#include <QList>
#include <QtQml/qqmlregistration.h>

#include <memory>

// The rows of the order list: row i shows line i of the order. The model keeps the lines it was
// last given; a reload with the same lines in the same order only refreshes their contents, so a
// quantity step does not rebuild the rows, while any other change removes and inserts them.
//
// Roles:
//   "name"        (NameRole, QString)        the name as styled text: "name（size）" when the line
//                                             has a size, with the sold-out mark;
//   "plainName"   (PlainNameRole, QString)   the same name without markup;
//   "category"    (CategoryRole, QString)    the small category's name;
//   "quantity"    (QuantityRole, QString)    the quantity ("%.2f");
//   "taste"       (TasteRole, QString)       the tastes as shown ("无" for none);
//   "stateLabel"  (StateLabelRole, QString)  "即起", "等叫", "不出" (another state as it stands);
//   "stateColor"  (StateColorRole, QString)  "green", "yellow", "red", or "" for another state;
//   "price"       (PriceRole, QString)       the unit price, "赠送" for a gift;
//   "isComponent" (IsComponentRole, bool)    a set meal's component: no remove, plus or minus,
//                                             and its quantity does not react;
//   "priceActive" (PriceActiveRole, bool)    the price opens the price editor: a temporary or
//                                             market-price dish that is neither component nor gift;
//   "isGift"      (IsGiftRole, bool)         the line is given away;
//   "giftVisible" (GiftVisibleRole, bool)    the gift toggle shows: gift mode, not a component.
class OrderListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the order list")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    using Line = std::shared_ptr<FoodOrder>;
    enum Roles {
        NameRole = Qt::UserRole + 1,
        PlainNameRole,
        CategoryRole,
        QuantityRole,
        TasteRole,
        StateLabelRole,
        StateColorRole,
        PriceRole,
        IsComponentRole,
        PriceActiveRole,
        IsGiftRole,
        GiftVisibleRole
    };

    explicit OrderListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(lines_.size()); }
    Line line(int row) const { return lines_.value(row); }
    bool giftMode() const { return giftMode_; }

    void reload(const QList<Line> &lines);
    void setGiftMode(bool on);

    // The name a row shows, with markup or plain.
    static QString styledName(const FoodOrder &line);
    static QString plainName(const FoodOrder &line);
    static QString stateColor(const QString &printState);

signals:
    void countChanged();

private:
    QList<Line> lines_;
    bool giftMode_ = false;
};
