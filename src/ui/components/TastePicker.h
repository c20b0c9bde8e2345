#pragma once

#include "CategoryScrollModel.h"
#include "FoodInfoScrollModel.h"
#include "catalogue/CatalogueRecords.h"
#include "catalogue/TasteInfo.h"
#include "services/Services.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// What every taste editor shows and how it picks: the taste categories of a style (for a line's
// dish its bound tastes first), the offered tastes of the chosen category, the chosen list, and a
// typed (manual) taste with an optional surcharge. A tap on an offered taste adds it once; a tap on
// a chosen one removes it and clears the surcharge; typing clears the surcharge and a separator is
// refused. The editor that owns it decides when the chosen list reaches the order (chosenChanged).
class TastePicker : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by a taste editor")
    Q_PROPERTY(CategoryScrollModel *categories READ categories CONSTANT)
    Q_PROPERTY(FoodInfoScrollModel *offered READ offered CONSTANT)
    Q_PROPERTY(FoodInfoScrollModel *chosen READ chosen CONSTANT)
    Q_PROPERTY(QString manualText READ manualText WRITE setManualText NOTIFY manualTextChanged)
    Q_PROPERTY(QString amountText READ amountText WRITE setAmountText NOTIFY amountTextChanged)
public:
    explicit TastePicker(QObject *parent = nullptr);

    // Offers the tastes of `style` ("P" for a line of dish `foodno`, "B" for the order's remarks)
    // and starts the chosen list as `chosen`. Style "B" takes no surcharge.
    void load(const QString &style, const QString &foodno, const QList<TasteInfo> &chosen);

    CategoryScrollModel *categories() { return &categories_; }
    FoodInfoScrollModel *offered() { return &offered_; }
    FoodInfoScrollModel *chosen() { return &chosen_; }
    const QList<TasteInfo> &chosenTastes() const { return chosenTastes_; }
    QString manualText() const { return manualText_; }
    void setManualText(const QString &text);
    QString amountText() const { return amountText_; }
    void setAmountText(const QString &text);

    // "添 加": the manual taste, "请输入做法" without a name, "请输入正确的金额" for a surcharge that
    // is not a number.
    Q_INVOKABLE void addManual();

signals:
    void chosenChanged();
    void manualTextChanged();
    void amountTextChanged();

private:
    void showCategory(int index);
    void showChosen();

    const Services &services_;
    bool takesSurcharge_ = true;
    QList<TasteCatInfo> tasteCategories_;
    QHash<QString, QList<TasteInfo>> tastesByCategory_;
    QList<TasteInfo> offeredTastes_;
    QList<TasteInfo> chosenTastes_;
    CategoryScrollModel categories_;
    FoodInfoScrollModel offered_;
    FoodInfoScrollModel chosen_;
    QString manualText_;
    QString amountText_;
};
