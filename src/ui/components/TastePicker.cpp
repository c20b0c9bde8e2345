#include "TastePicker.h"

#include "catalogue/TasteSelection.h"
#include "foundation/UserNotice.h"
#include "services/Catalogue.h"
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
} // namespace

TastePicker::TastePicker(QObject *parent) : QObject(parent), services_(Services::installed())
{
    connect(&categories_, &CategoryScrollModel::itemDidSelected, this, &TastePicker::showCategory);
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
}

void TastePicker::load(const QString &style, const QString &foodno, const QList<TasteInfo> &chosen)
{
    takesSurcharge_ = style != u"B";
    TasteChoices offered = services_.catalogue->tastes(style, foodno);
    tasteCategories_ = std::move(offered.categories);
    tastesByCategory_ = std::move(offered.byCategory);
    QStringList titles;
    for (const TasteCatInfo &category : std::as_const(tasteCategories_))
        titles.append(category.TasteCatName);
    categories_.reloadData(titles);
    showCategory(0);
    chosenTastes_ = chosen;
    chosen_.reloadData(tiles(chosenTastes_));
}

void TastePicker::showCategory(int index)
{
    offeredTastes_ = index >= 0 && index < tasteCategories_.size()
                         ? tastesByCategory_.value(tasteCategories_.at(index).TasteCatNo)
                         : QList<TasteInfo>();
    offered_.reloadData(tiles(offeredTastes_));
}

void TastePicker::showChosen()
{
    chosen_.reloadData(tiles(chosenTastes_));
    emit chosenChanged();
}

void TastePicker::setManualText(const QString &text)
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

void TastePicker::setAmountText(const QString &text)
{
    if (text == amountText_)
        return;
    amountText_ = text;
    emit amountTextChanged();
}

void TastePicker::addManual()
{
    LanguageManager &language = LanguageManager::defaultManager();
    if (manualText_.isEmpty()) {
        UserNotice::error(language.readString(u"请输入做法"_s));
        return;
    }
    if (!TasteSelection::setManual(chosenTastes_, manualText_, takesSurcharge_ ? amountText_ : QString())) {
        UserNotice::error(language.readString(
            TasteInfo::hasInputContainInvalidChar(manualText_) ? u"请输入做法"_s : u"请输入正确的金额"_s));
        return;
    }
    manualText_.clear();
    emit manualTextChanged();
    setAmountText({});
    showChosen();
}
