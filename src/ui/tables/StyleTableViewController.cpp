#include "StyleTableViewController.h"

#include "dining/DiningRoom.h"
#include "foundation/CommonUtils.h"
#include "foundation/UserNotice.h"
#include "services/Catalogue.h"
#include "settings/LanguageManager.h"

#include <QJSEngine>

using namespace Qt::StringLiterals;

StyleTableViewController::StyleTableViewController(int operation, const QString &tableno, QObject *parent)
    : PopRootViewController(parent), services_(Services::installed()), operation_(operation),
      tableno_(tableno), fields_(2)
{
    for (QObject *member : std::initializer_list<QObject *>{&entries_, &candidates_, &fields_})
        QJSEngine::setObjectOwnership(member, QJSEngine::CppOwnership);
    fields_.setKeypad(SearchField, KeypadFields::Letters);
    fields_.setKeypad(AmountField, KeypadFields::Digits);
    connect(&fields_, &KeypadFields::textsChanged, this, &StyleTableViewController::fieldsEdited);
    // The keypad's OK key searches too, and ends the editing.
    connect(&fields_, &KeypadFields::okPressed, this, [this](int index) {
        fields_.endEditing();
        if (index == SearchField)
            filterWithKey(fields_.text(SearchField));
    });
    const QList<LeftMenu> entries = DishOperations::entriesFor(operation, tableno);
    entries_.setEntries(entries);
    for (int row = 0; row < entries.size(); ++row) {
        if (entries.at(row).style == LeftMenu::AmountStyle)
            fields_.setText(AmountField, entries.at(row).amount);
    }
    initLanguage();
    selectEntry(DishOperations::firstSelected(operation));
}

void StyleTableViewController::initLanguage()
{
    title_ = localised(DishOperations::titleKey(operation_));
    confirmText_ = localised(u"确定"_s);
    cancelText_ = localised(u"取消"_s);
    emit captionsChanged();
    setColumnTitles(columnKeys_);
    entries_.relabel();
}

void StyleTableViewController::setColumnTitles(const QStringList &keys)
{
    columnKeys_ = keys;
    columnTitles_.clear();
    for (const QString &key : keys)
        columnTitles_.append(localised(key));
    emit columnTitlesChanged();
}

void StyleTableViewController::selectEntry(int row)
{
    if (isDismissing() || row < 0 || row >= entries_.entries().size())
        return;
    selected_ = row;
    entries_.check(row);
    emit selectedEntryChanged();
    // The right side starts empty: no columns, no search, no candidates.
    setColumnTitles({});
    fields_.endEditing();
    fields_.setText(SearchField, QString());
    arrRightData_.clear();
    candidates_.setShown({});
    loadCandidates(entries_.entries().at(row).style);
}

void StyleTableViewController::loadCandidates(int style)
{
    const Catalogue &catalogue = *services_.catalogue;
    switch (style) {
    case LeftMenu::BigCatStyle:
        setColumnTitles({u"大类编号"_s, u"大类名称"_s});
        for (const FoodBigCatInfo &cat : catalogue.bigCategories())
            arrRightData_.append({{cat.bcatno, cat.bcatName}, {cat.bcatno, cat.bcatName}, cat.bcatno, {}});
        break;
    case LeftMenu::SmallCatStyle:
        setColumnTitles({u"小类编号"_s, u"小类名称"_s});
        for (const FoodSmallCatInfo &cat : catalogue.smallCategories())
            arrRightData_.append({{cat.scatno, cat.scatName}, {cat.scatno, cat.scatName}, cat.scatno, {}});
        break;
    case LeftMenu::DishStyle:
        setColumnTitles({u"商品编号"_s, u"商品名称"_s, u"售价"_s, u"数量"_s});
        loadSaleList();
        return;
    case LeftMenu::ReasonStyle:
        setColumnTitles({u"编号"_s, u"原因名称"_s});
        for (const RtnReasonInfo &reason : catalogue.returnReasons())
            arrRightData_.append({{reason.reasonNo, reason.reasonName},
                                  {reason.reasonNo, reason.reasonName},
                                  reason.reasonNo,
                                  {}});
        break;
    default:
        return;
    }
    filterWithKey(QString());
}

void StyleTableViewController::loadSaleList()
{
    const int request = ++saleListRequest_;
    const int entry = selected_;
    services_.dining->readSaleList(
        this, tableno_, operation_ == DishOperations::Weigh, DiningRoom::Shown::FailuresOnly,
        [this, request, entry](const std::optional<QList<Row2>> &lines) {
            // Late: the dialog closed, or the operator went on to another entry.
            if (!lines || isDismissing() || request != saleListRequest_ || entry != selected_)
                return;
            saleListArrived(*lines);
        });
}

void StyleTableViewController::saleListArrived(const QList<Row2> &lines)
{
    arrRightData_.clear();
    for (const FoodInfo &dish : DishOperations::soldDishes(services_.catalogue->dishNames(), lines)) {
        const QString price = u"￥"_s + CommonUtils::format2(dish.salePrice1);
        arrRightData_.append({{dish.foodno, dish.foodName, price, CommonUtils::format2(dish.qty)},
                              {dish.foodno, dish.foodName, dish.spellName},
                              dish.foodno,
                              dish.itemseq});
    }
    filterWithKey(searchKey_);
}

void StyleTableViewController::filterWithKey(const QString &key)
{
    QList<Candidate> shown;
    for (const Candidate &candidate : std::as_const(arrRightData_)) {
        if (DishOperations::matchesKey(candidate.searchTexts, key))
            shown.append(candidate);
    }
    candidates_.setShown(shown);
}

void StyleTableViewController::fieldsEdited()
{
    const QString search = fields_.text(SearchField);
    if (search != searchKey_) {
        searchKey_ = search;
        filterWithKey(search);
    }
    const QString amount = fields_.text(AmountField);
    const QList<LeftMenu> &entries = entries_.entries();
    for (int row = 0; row < entries.size(); ++row) {
        if (entries.at(row).style == LeftMenu::AmountStyle)
            entries_.change(row, [&amount](LeftMenu &entry) { entry.amount = amount; });
    }
}

void StyleTableViewController::pickCandidate(int row)
{
    if (isDismissing() || row < 0 || row >= candidates_.shown().size() || selected_ < 0)
        return;
    const Candidate picked = candidates_.shown().at(row);
    const bool weighing = operation_ == DishOperations::Weigh;
    entries_.change(selected_, [&picked, weighing](LeftMenu &entry) {
        switch (entry.style) {
        case LeftMenu::BigCatStyle:
            entry.bCatno = picked.value;
            break;
        case LeftMenu::SmallCatStyle:
            entry.sCatno = picked.value;
            break;
        case LeftMenu::DishStyle:
            entry.foodno = picked.value;
            if (weighing)
                entry.itemseq = picked.itemseq;
            break;
        case LeftMenu::ReasonStyle:
            entry.reason = picked.value;
            break;
        default:
            break;
        }
    });
    candidates_.pick(row);
}

void StyleTableViewController::typeText(int field, const QString &text)
{
    if (!isDismissing())
        fields_.setText(field, text);
}

void StyleTableViewController::confirm()
{
    if (isDismissing())
        return;
    fields_.endEditing();
    const QList<LeftMenu> &entries = entries_.entries();
    const QString problem = DishOperations::confirmProblem(operation_, entries, selected_);
    if (!problem.isEmpty()) {
        UserNotice::error(localised(problem));
        return;
    }
    const bool single = operation_ == DishOperations::Hurry || operation_ == DishOperations::Release;
    const QList<LeftMenu> selection = single ? QList<LeftMenu>{entries.value(selected_)} : entries;
    dismissSelf();
    emit confirmed(operation_, selection);
}

void StyleTableViewController::cancel()
{
    if (isDismissing())
        return;
    fields_.endEditing();
    dismissSelf();
}
