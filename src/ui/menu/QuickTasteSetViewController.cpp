#include "QuickTasteSetViewController.h"

#include "catalogue/TasteSelection.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"

namespace {
QList<FoodTile> tiles(const QList<TasteInfo> &tastes)
{
    QList<FoodTile> tiles;
    for (const TasteInfo &taste : tastes)
        tiles.append({taste.TasteName, TasteSelection::cellAmountText(taste), {}});
    return tiles;
}
} // namespace

QuickTasteSetViewController::QuickTasteSetViewController(const QList<Line> &lines, QObject *parent)
    : PopRootViewController(parent), lines_(lines)
{
    connect(&categories_, &CategoryScrollModel::itemDidSelected, this, &QuickTasteSetViewController::showCategory);
    connect(&offered_, &FoodInfoScrollModel::selectCell, this, [this](int index) {
        if (index < 0 || index >= offeredTastes_.size())
            return;
        if (TasteSelection::add(chosenTastes_, offeredTastes_.at(index)))
            write();
    });
    connect(&chosen_, &FoodInfoScrollModel::selectCell, this, [this](int index) {
        if (index < 0 || index >= chosenTastes_.size())
            return;
        chosenTastes_.removeAt(index);
        setAmountText({});
        write();
    });
    selectLine(0);
}

QStringList QuickTasteSetViewController::lineNames() const
{
    QStringList names;
    for (const Line &line : lines_)
        names.append(line->foodName);
    return names;
}

void QuickTasteSetViewController::selectLine(int index)
{
    if (index < 0 || index >= lines_.size())
        return;
    selectedLine_ = index;
    emit selectedLineChanged();
    const Line &line = lines_.at(index);
    DBManager::defaultManager().getTasteInfoByStyle(
        QStringLiteral("P"), line->foodno,
        [this](const QList<TasteCatInfo> &categories, const QList<TasteInfo> &, const DBManager::TasteMap &byCategory) {
            tasteCategories_ = categories;
            tastesByCategory_ = byCategory;
        });
    QStringList titles;
    for (const TasteCatInfo &category : std::as_const(tasteCategories_))
        titles.append(category.TasteCatName);
    categories_.reloadData(titles);
    showCategory(0);
    chosenTastes_ = line->arrTaste;
    showChosen();
}

void QuickTasteSetViewController::showCategory(int index)
{
    offeredTastes_ = index >= 0 && index < tasteCategories_.size()
                         ? tastesByCategory_.value(tasteCategories_.at(index).TasteCatNo)
                         : QList<TasteInfo>();
    offered_.reloadData(tiles(offeredTastes_));
}

void QuickTasteSetViewController::showChosen()
{
    chosen_.reloadData(tiles(chosenTastes_));
}

void QuickTasteSetViewController::write()
{
    showChosen();
    if (selectedLine_ < 0)
        return;
    OrderManager::defaultManager().changeLine(lines_.at(selectedLine_),
                                              [this](FoodOrder &line) { line.arrTaste = chosenTastes_; });
}

void QuickTasteSetViewController::setManualText(const QString &text)
{
    if (text == manualText_)
        return;
    if (TasteInfo::hasInputContainInvalidChar(text)) {
        // Refused: the field shows the text it had.
        emit manualTextChanged();
        return;
    }
    manualText_ = text;
    emit manualTextChanged();
    setAmountText({});
}

void QuickTasteSetViewController::setAmountText(const QString &text)
{
    if (text == amountText_)
        return;
    amountText_ = text;
    emit amountTextChanged();
}

void QuickTasteSetViewController::addManual()
{
    if (manualText_.isEmpty()) {
        UserNotice::error(LanguageManager::defaultManager().readString(QStringLiteral("请输入做法")));
        return;
    }
    if (!TasteSelection::setManual(chosenTastes_, manualText_, amountText_)) {
        UserNotice::error(LanguageManager::defaultManager().readString(QStringLiteral("请输入正确的金额")));
        return;
    }
    manualText_.clear();
    emit manualTextChanged();
    setAmountText({});
    write();
}

void QuickTasteSetViewController::confirm()
{
    if (isDismissing())
        return;
    OrderManager::defaultManager().processOrderCache();
    dismissSelf();
}
