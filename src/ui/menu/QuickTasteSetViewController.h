#pragma once

#include "CategoryScrollModel.h"
#include "FoodInfoScrollModel.h"
#include "catalogue/TasteInfo.h"
#include "order/FoodOrder.h"
#include "storage/DBManager.h"
#include "toolkit/PopRootViewController.h"

#include <QList>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <memory>

// The quick taste setter, opened when newly added dishes have bound cooking methods. It lists the
// waiting lines; for the selected one it offers the taste categories of style "P" (its bound tastes
// first), the chosen tastes, and a manual taste with an optional surcharge. Every change is written
// to the line at once. "关 闭" lets the waiting lines join the order: there is no cancel.
class QuickTasteSetViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "QuickTasteSetView")
    Q_PROPERTY(QStringList lineNames READ lineNames CONSTANT)
    Q_PROPERTY(int selectedLine READ selectedLine NOTIFY selectedLineChanged)
    Q_PROPERTY(CategoryScrollModel *categories READ categories CONSTANT)
    Q_PROPERTY(FoodInfoScrollModel *offered READ offered CONSTANT)
    Q_PROPERTY(FoodInfoScrollModel *chosen READ chosen CONSTANT)
    Q_PROPERTY(QString manualText READ manualText WRITE setManualText NOTIFY manualTextChanged)
    Q_PROPERTY(QString amountText READ amountText WRITE setAmountText NOTIFY amountTextChanged)
public:
    using Line = std::shared_ptr<FoodOrder>;

    explicit QuickTasteSetViewController(const QList<Line> &lines, QObject *parent = nullptr);

    QStringList lineNames() const;
    int selectedLine() const { return selectedLine_; }
    CategoryScrollModel *categories() { return &categories_; }
    FoodInfoScrollModel *offered() { return &offered_; }
    FoodInfoScrollModel *chosen() { return &chosen_; }
    QString manualText() const { return manualText_; }
    // Typing in the manual field clears the surcharge; a text with a separator is refused.
    void setManualText(const QString &text);
    QString amountText() const { return amountText_; }
    void setAmountText(const QString &text);

    Q_INVOKABLE void selectLine(int index);
    // "添 加": the manual taste ("请输入做法" without a name).
    Q_INVOKABLE void addManual();
    // "关 闭": the waiting lines join the order.
    Q_INVOKABLE void confirm();

signals:
    void selectedLineChanged();
    void manualTextChanged();
    void amountTextChanged();

private:
    void showCategory(int index);
    void showChosen();
    void write();

    QList<Line> lines_;
    int selectedLine_ = -1;
    QList<TasteCatInfo> tasteCategories_;
    DBManager::TasteMap tastesByCategory_;
    QList<TasteInfo> offeredTastes_;
    QList<TasteInfo> chosenTastes_;
    CategoryScrollModel categories_;
    FoodInfoScrollModel offered_;
    FoodInfoScrollModel chosen_;
    QString manualText_;
    QString amountText_;
};
