#pragma once

#include "catalogue/TasteInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Turns the taste words of a command (a taste number, or "manual:NAME[:AMOUNT]") into the list the
// taste editors would build: catalogue tastes of the editor's style (for a line's dish, its bound
// tastes too), each number at most once, at most one manual taste (a later one replaces it and
// goes to the end).
class TasteChoice {
public:
    // `style` "P" for a line of dish `foodno`, "B" for the order's remarks.
    TasteChoice(const QString &style, const QString &foodno);

    // The chosen tastes in order; absent, with `error` set, when a word cannot be used.
    std::optional<QList<TasteInfo>> choose(const QStringList &words, QString *error) const;

private:
    QList<TasteInfo> offered_;
};
