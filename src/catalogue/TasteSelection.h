#pragma once

#include "catalogue/TasteInfo.h"

#include <QList>
#include <QString>

// The rules every taste editor applies to its list of chosen tastes, shared by the screens and the
// console: a catalogue taste is there at most once (by `TasteNo`), and there is at most one manual
// taste, which a new one replaces at the end of the list.
namespace TasteSelection {
// Appends `taste` unless a taste with its `TasteNo` is already chosen; true when it was appended.
bool add(QList<TasteInfo> &chosen, const TasteInfo &taste);

// Replaces the manual taste by a new one named `name`, appended at the end. Its surcharge is the
// leading number of `amountText` when that is not empty. False, and nothing changes, when `name`
// is empty or holds a character a taste string cannot carry, or when `amountText` is not a number.
bool setManual(QList<TasteInfo> &chosen, const QString &name, const QString &amountText = {});

// A taste's surcharge as the editors' cells show it: "￥3.00" for a fixed amount ("A"), "比例10.00%"
// for anything else; empty when its amount is 0 or less.
QString cellAmountText(const TasteInfo &taste);
} // namespace TasteSelection
