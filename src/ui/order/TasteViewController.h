#pragma once

#include "CategoryScrollModel.h"
#include "FoodInfoScrollModel.h"
#include "catalogue/TasteInfo.h"
#include "order/FoodOrder.h"
#include "storage/DBManager.h"
#include "toolkit/PopRootViewController.h"

#include <QList>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <memory>

// The taste editor. In its line form (style "P") it edits one order line's tastes, titled with the
// dish's name and offering the dish's bound tastes first; in its pack form (style "B", "整单备注")
// it edits the whole order's remarks and has no surcharge field. The chosen list is a working copy:
// "确定" writes it to the target through OrderManager, "取消" drops it.
class TasteViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "TasteView")
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(bool packForm READ isPackForm CONSTANT)
    Q_PROPERTY(CategoryScrollModel *categories READ categories CONSTANT)
    Q_PROPERTY(FoodInfoScrollModel *offered READ offered CONSTANT)
    Q_PROPERTY(FoodInfoScrollModel *chosen READ chosen CONSTANT)
    Q_PROPERTY(QString manualText READ manualText WRITE setManualText NOTIFY manualTextChanged)
    Q_PROPERTY(QString amountText READ amountText WRITE setAmountText NOTIFY amountTextChanged)
public:
    using Line = std::shared_ptr<FoodOrder>;

    // The line form; a null line gives the pack form.
    explicit TasteViewController(const Line &line, QObject *parent = nullptr);

    QString title() const { return title_; }
    bool isPackForm() const { return !line_; }
    CategoryScrollModel *categories() { return &categories_; }
    FoodInfoScrollModel *offered() { return &offered_; }
    FoodInfoScrollModel *chosen() { return &chosen_; }
    const QList<TasteInfo> &chosenTastes() const { return chosenTastes_; }
    QString manualText() const { return manualText_; }
    // Every change clears the surcharge; a text with a separator is refused.
    void setManualText(const QString &text);
    QString amountText() const { return amountText_; }
    void setAmountText(const QString &text);

    void initLanguage() override;

    // "添 加": the manual taste, "请输入做法" without a name, "请输入正确的金额" for a surcharge that
    // is not a number.
    Q_INVOKABLE void addManual();
    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

signals:
    void titleChanged();
    void manualTextChanged();
    void amountTextChanged();

private:
    void showCategory(int index);
    void showChosen();

    Line line_;
    QString title_;
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
