#include "TasteViewController.h"

#include "catalogue/TasteSelection.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

namespace {
QList<FoodTile> tiles(const QList<TasteInfo> &tastes)
{
    QList<FoodTile> tiles;
    for (const TasteInfo &taste : tastes)
        tiles.append({taste.TasteName, TasteSelection::cellAmountText(taste), {}});
    return tiles;
}

QString text(const QString &key)
{
    return LanguageManager::defaultManager().readString(key);
}
} // namespace

TasteViewController::TasteViewController(const Line &line, QObject *parent)
    : PopRootViewController(parent), line_(line)
{
    connect(&categories_, &CategoryScrollModel::itemDidSelected, this, &TasteViewController::showCategory);
    connect(&offered_, &FoodInfoScrollModel::selectCell, this, [this](int index) {
        if (index >= 0 && index < offeredTastes_.size() &&
            TasteSelection::add(chosenTastes_, offeredTastes_.at(index)))
            showChosen();
    });
    connect(&chosen_, &FoodInfoScrollModel::selectCell, this, [this](int index) {
        if (index < 0 || index >= chosenTastes_.size())
            return;
        chosenTastes_.removeAt(index);
        setAmountText({});
        showChosen();
    });
    DBManager::defaultManager().getTasteInfoByStyle(
        line_ ? u"P"_s : u"B"_s, line_ ? line_->foodno : QString(),
        [this](const QList<TasteCatInfo> &categories, const QList<TasteInfo> &,
               const DBManager::TasteMap &byCategory) {
            tasteCategories_ = categories;
            tastesByCategory_ = byCategory;
        });
    QStringList titles;
    for (const TasteCatInfo &category : std::as_const(tasteCategories_))
        titles.append(category.TasteCatName);
    categories_.reloadData(titles);
    showCategory(0);
    OrderManager &orders = OrderManager::defaultManager();
    if (line_)
        orders.changeLine(line_, [this](FoodOrder &target) { chosenTastes_ = target.arrTaste; });
    else
        orders.changePack([this](OrderPack &pack) { chosenTastes_ = pack.arrTaste; });
    showChosen();
    initLanguage();
}

void TasteViewController::initLanguage()
{
    title_ = line_ ? line_->foodName : text(u"整单备注"_s);
    emit titleChanged();
}

void TasteViewController::showCategory(int index)
{
    offeredTastes_ = index >= 0 && index < tasteCategories_.size()
                         ? tastesByCategory_.value(tasteCategories_.at(index).TasteCatNo)
                         : QList<TasteInfo>();
    offered_.reloadData(tiles(offeredTastes_));
}

void TasteViewController::showChosen()
{
    chosen_.reloadData(tiles(chosenTastes_));
}

void TasteViewController::setManualText(const QString &text)
{
    if (text == manualText_)
        return;
    if (TasteInfo::hasInputContainInvalidChar(text)) {
        emit manualTextChanged(); // refused: the field shows the text it had
        return;
    }
    manualText_ = text;
    emit manualTextChanged();
    setAmountText({});
}

void TasteViewController::setAmountText(const QString &text)
{
    if (text == amountText_)
        return;
    amountText_ = text;
    emit amountTextChanged();
}

void TasteViewController::addManual()
{
    if (manualText_.isEmpty()) {
        UserNotice::error(text(u"请输入做法"_s));
        return;
    }
    // The pack form has no surcharge field.
    if (!TasteSelection::setManual(chosenTastes_, manualText_, line_ ? amountText_ : QString())) {
        UserNotice::error(text(TasteInfo::hasInputContainInvalidChar(manualText_) ? u"请输入做法"_s
                                                                                  : u"请输入正确的金额"_s));
        return;
    }
    manualText_.clear();
    emit manualTextChanged();
    setAmountText({});
    showChosen();
}

void TasteViewController::confirm()
{
    if (isDismissing())
        return;
    OrderManager &orders = OrderManager::defaultManager();
    if (line_)
        orders.changeLine(line_, [this](FoodOrder &target) { target.arrTaste = chosenTastes_; });
    else
        orders.changePack([this](OrderPack &pack) { pack.arrTaste = chosenTastes_; });
    PostNotificationInMainThread(Notify::UpdateOrderList);
    dismissSelf();
}

void TasteViewController::cancel()
{
    if (!isDismissing())
        dismissSelf();
}
