#include "PopupFactories.h"

#include "FoodItemSizeViewController.h"
#include "QuickTasteSetViewController.h"
#include "TDetailsViewController.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

namespace PopupFactories {

void registerAll(PopViewManager &manager)
{
    manager.registerFactory(PopName::FoodItemSizeViewController,
                            [](const QVariantList &args) -> PopRootViewController * {
                                if (args.size() < 2)
                                    return nullptr;
                                return new FoodItemSizeViewController(args.at(0).value<Food>(),
                                                                      args.at(1).value<QList<FoodItemsize>>());
                            });
    manager.registerFactory(PopName::TDetailsViewController, [](const QVariantList &args) -> PopRootViewController * {
        return args.isEmpty() ? nullptr : new TDetailsViewController(args.at(0).value<Food>());
    });
    manager.registerFactory(PopName::QuickTasteSetViewController,
                            [](const QVariantList &args) -> PopRootViewController * {
                                const auto lines = args.value(0).value<QList<std::shared_ptr<FoodOrder>>>();
                                return lines.isEmpty() ? nullptr : new QuickTasteSetViewController(lines);
                            });
}

} // namespace PopupFactories
