#pragma once

#include "catalogue/DishSearch.h"
#include "catalogue/Food.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The rows of the dish search screens: matching dishes, flat, in section order. Each row keeps
// the ordered amount last reported for its dish (also across searches); the rows of one dish are
// found through a map rebuilt with every reload, so an amount reaches its rows at once. The model
// takes the amounts reported by the order tasks ("kTaskOrderAmount") itself.
//
// Roles:
//   "foodno"    (FoodnoRole, QString)    the dish number;
//   "name"      (NameRole, QString)      the name as rich text, with the sold-out mark;
//   "spell"     (SpellRole, QString)     the mnemonic;
//   "remark"    (RemarkRole, QString)    the description;
//   "price"     (PriceRole, QString)     "￥28.00 / 份", "例" for a dish without a unit;
//   "amount"    (AmountRole, QString)    the ordered amount, "0" until reported;
//   "section"   (SectionRole, QString)   the section key: the small category's number, a tab and its
//                                         name (two categories of one name stay apart);
//   "sectionName" (SectionNameRole, QString) the small category's name;
//   "selected"  (SelectedRole, bool)     the row selected last.
class DishRowsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by a screen")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectionChanged)
public:
    enum Roles {
        FoodnoRole = Qt::UserRole + 1,
        NameRole,
        SpellRole,
        RemarkRole,
        PriceRole,
        AmountRole,
        SectionRole,
        SectionNameRole,
        SelectedRole
    };

    // The rows whose amounts a screen asks for after a reload, before the view reports what it shows.
    static constexpr int kFirstVisibleRows = 12;

    explicit DishRowsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(rows_.size()); }
    int selectedIndex() const { return selected_; }
    const Food &dish(int row) const { return rows_.at(row).dish; }

    // One section-less list (the search pop-up).
    void reload(const QList<Food> &dishes);
    // The sections one after the other (quick order).
    void reload(const QList<DishSearch::Section> &sections);
    void setAmount(const QString &foodno, const QString &amount);
    void select(int row);
    // Asks the order tasks for the ordered amounts of rows first..last (the view, when a scroll
    // comes to rest).
    Q_INVOKABLE void askAmounts(int first, int last);

    // "￥%.2f / unit", "例" standing in for a missing unit.
    static QString priceText(const Food &dish);

signals:
    void countChanged();
    void selectionChanged();

private:
    struct DishRow {
        Food dish;
        QString section;
        QString sectionName;
    };
    void resetTo(QList<DishRow> rows);

    QList<DishRow> rows_;
    QHash<QString, QList<int>> rowsOfDish_;
    QHash<QString, QString> amounts_;
    int selected_ = -1;
};
