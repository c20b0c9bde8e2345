#pragma once

#include "catalogue/Food.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The dish cards of one menu page, in display order (left to right, then top to bottom).
//
// Roles:
//   "foodno"        (FoodnoRole, QString)        the dish number;
//   "name"          (NameRole, QString)          the styled name as rich text, sold-out mark included;
//   "price"         (PriceRole, QString)         the price label ("￥ 12.00 / 份", "时价", ...);
//   "memberPrice"   (MemberPriceRole, QString)   "会员 ￥ 9.00", or empty when not shown;
//   "recommended"   (RecommendedRole, bool)      the recommended badge;
//   "amount"        (AmountRole, QString)        the ordered amount, trailing zeros cut;
//   "amountVisible" (AmountVisibleRole, bool)    the ordered-amount badge: an amount other than "0";
//   "picture"       (PictureRole, QUrl)          the thumbnail; empty until made, or when missing.
//   "pictureKnown"  (PictureKnownRole, bool)     whether the thumbnail task has answered.
class DishCardModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the menu's page model")
public:
    enum Roles {
        FoodnoRole = Qt::UserRole + 1,
        NameRole,
        PriceRole,
        MemberPriceRole,
        RecommendedRole,
        AmountRole,
        AmountVisibleRole,
        PictureRole,
        PictureKnownRole,
    };

    explicit DishCardModel(const QList<Food> &foods, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<Food> &foods() const { return foods_; }

    // Each applies to every card of the dish on this page.
    void setAmount(const QString &foodno, const QString &amount);
    void setPicture(const QString &foodno, const QUrl &picture);
    // The sold-out list changed: redraw the dish's name.
    void refreshName(const QString &foodno);

    // The card texts of a dish, shared with the detail screen.
    static QString nameHtml(const Food &food);
    // Shown only for a dish that is not sold at market price and whose member price is above 0 and
    // below its price.
    static QString memberPriceText(const Food &food);

private:
    struct Card {
        QString amount = QStringLiteral("0");
        QUrl picture;
        bool pictureKnown = false;
    };
    template <typename Change> void changeCards(const QString &foodno, const QList<int> &roles, Change change);

    QList<Food> foods_;
    QList<Card> cards_;
};
