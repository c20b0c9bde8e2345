// The pop-ups the ordering core asks for, answered from the arguments of the "add" that caused
// them: the size chooser from size=, the set-meal details from swap= and qty=, the quick taste
// setter from taste=. Each answer does what the pop-up's confirmation does and then closes it.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "TasteChoice.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/SetMealExchange.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopRootViewController.h"
#include "toolkit/PopViewManager.h"

#include <QTimer>

namespace {
// A pop-up that has done its work: it leaves the stack as soon as it is on it.
PopRootViewController *answered()
{
    auto *popup = new PopRootViewController;
    QTimer::singleShot(0, popup, &PopRootViewController::dismissSelf);
    return popup;
}
} // namespace

void ConsoleSession::registerPopupAnswers()
{
    PopViewManager &popups = PopViewManager::defaultManager();
    popups.registerFactory(PopName::FoodItemSizeViewController,
                           [this](const QVariantList &args) { return answerSizeChooser(args); });
    popups.registerFactory(PopName::TDetailsViewController,
                           [this](const QVariantList &args) { return answerSetMealDetails(args); });
    popups.registerFactory(PopName::QuickTasteSetViewController,
                           [this](const QVariantList &args) { return answerQuickTasteSetter(args); });
}

PopRootViewController *ConsoleSession::answerSizeChooser(const QVariantList &args)
{
    if (args.size() < 2 || !answers_.size)
        return nullptr;
    const Food food = args.at(0).value<Food>();
    const QList<FoodItemsize> sizes = args.at(1).value<QList<FoodItemsize>>();
    const auto chosen = std::find_if(sizes.cbegin(), sizes.cend(), [this](const FoodItemsize &size) {
        return size.itemsize == *answers_.size;
    });
    if (chosen == sizes.cend())
        return nullptr;
    orders().addFood(food, *chosen, answers_.qty);
    orderListChanged();
    return answered();
}

PopRootViewController *ConsoleSession::answerSetMealDetails(const QVariantList &args)
{
    if (args.isEmpty())
        return nullptr;
    Food setMeal = args.at(0).value<Food>();
    const QStringList original = SetMealExchange::originalFoodnos(setMeal);
    for (const auto &[position, foodno] : std::as_const(answers_.swaps)) {
        if (position < 0 || position >= setMeal.arrSuiteFoods.size())
            return nullptr;
        const QList<Food> &options = setMeal.arrSuiteFoods.at(position).arrSuiteFoodsChange;
        const auto option = std::find_if(options.cbegin(), options.cend(), [&foodno](const Food &food) {
            return food.info && food.info->foodno == foodno;
        });
        if (option == options.cend())
            return nullptr;
        SetMealExchange::exchange(setMeal, original, position, option - options.cbegin());
    }
    orders().addFood(setMeal, std::nullopt, answers_.qty);
    orderListChanged();
    return answered();
}

PopRootViewController *ConsoleSession::answerQuickTasteSetter(const QVariantList &args)
{
    const QList<Line> waiting = args.value(0).value<QList<Line>>();
    if (!answers_.tastes.isEmpty()) {
        for (const Line &line : waiting) {
            QString error;
            const auto tastes =
                TasteChoice(QStringLiteral("P"), line->foodno).choose(answers_.tastes, &error);
            if (tastes)
                orders().changeLine(line, [&tastes](FoodOrder &changed) { changed.arrTaste = *tastes; });
            else
                ConsoleOutput::error(error);
        }
    }
    // The setter has no cancel: the waiting lines always join the order.
    orders().processOrderCache();
    return answered();
}
