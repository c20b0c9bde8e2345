#include "QuickTasteSetViewController.h"

#include "order/OrderManager.h"

QuickTasteSetViewController::QuickTasteSetViewController(const QList<Line> &lines, QObject *parent)
    : PopRootViewController(parent), lines_(lines)
{
    connect(&picker_, &TastePicker::chosenChanged, this, [this] {
        if (selectedLine_ < 0)
            return;
        const QList<TasteInfo> chosen = picker_.chosenTastes();
        OrderManager::defaultManager().changeLine(lines_.at(selectedLine_),
                                                  [&chosen](FoodOrder &line) { line.arrTaste = chosen; });
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
    // Loading the picker announces nothing: the line keeps exactly its own tastes.
    selectedLine_ = -1;
    picker_.load(QStringLiteral("P"), lines_.at(index)->foodno, lines_.at(index)->arrTaste);
    selectedLine_ = index;
    emit selectedLineChanged();
}

void QuickTasteSetViewController::confirm()
{
    if (isDismissing())
        return;
    OrderManager::defaultManager().processOrderCache();
    dismissSelf();
}
