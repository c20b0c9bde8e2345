#include "PopupFactories.h"

#include "CheckoutOrderViewController.h"
#include "FoodItemSizeViewController.h"
#include "GuaDanViewController.h"
#include "LineNumberEditors.h"
#include "OutboxViewController.h"
#include "QuickTasteSetViewController.h"
#include "SearchViewController.h"
#include "StyleTableViewController.h"
#include "TDetailsViewController.h"
#include "TableChooseViewController.h"
#include "TasteViewController.h"
#include "TempFoodViewController.h"
#include "dining/DiningRoom.h"
#include "order/OrderManager.h"
#include "services/Services.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

namespace PopupFactories {

void registerAll(PopViewManager &manager)
{
    manager.registerFactory(PopName::FoodItemSizeViewController,
                            [](const QVariantList &args) -> PopRootViewController * {
                                if (args.size() < 2)
                                    return nullptr;
                                return new FoodItemSizeViewController(
                                    args.at(0).value<Food>(), args.at(1).value<QList<FoodItemsize>>());
                            });
    manager.registerFactory(
        PopName::TDetailsViewController, [](const QVariantList &args) -> PopRootViewController * {
            return args.isEmpty() ? nullptr : new TDetailsViewController(args.at(0).value<Food>());
        });
    manager.registerFactory(PopName::QuickTasteSetViewController,
                            [](const QVariantList &args) -> PopRootViewController * {
                                const auto lines = args.value(0).value<QList<std::shared_ptr<FoodOrder>>>();
                                return lines.isEmpty() ? nullptr : new QuickTasteSetViewController(lines);
                            });
    // An order line gives the line form; the order pack (or nothing) the whole-order form.
    manager.registerFactory(
        PopName::TasteViewController, [](const QVariantList &args) -> PopRootViewController * {
            return new TasteViewController(args.value(0).value<std::shared_ptr<FoodOrder>>());
        });
    manager.registerFactory(PopName::SaleQtyChangeViewController,
                            [](const QVariantList &args) -> PopRootViewController * {
                                const auto line = args.value(0).value<std::shared_ptr<FoodOrder>>();
                                return line ? new SaleQtyChangeViewController(line) : nullptr;
                            });
    manager.registerFactory(PopName::SalePriceChangeViewController,
                            [](const QVariantList &args) -> PopRootViewController * {
                                const auto line = args.value(0).value<std::shared_ptr<FoodOrder>>();
                                return line ? new SalePriceChangeViewController(line) : nullptr;
                            });
    manager.registerFactory(
        PopName::CusNumChangeViewController,
        [](const QVariantList &) -> PopRootViewController * { return new CusNumChangeViewController; });
    manager.registerFactory(
        PopName::TableChooseViewController, [](const QVariantList &args) -> PopRootViewController * {
            auto pack = args.value(0).value<std::shared_ptr<OrderPack>>();
            return new TableChooseViewController(pack ? pack : OrderManager::defaultManager().orderPack());
        });
    manager.registerFactory(
        PopName::GuaDanViewController,
        [](const QVariantList &) -> PopRootViewController * { return new GuaDanViewController; });
    manager.registerFactory(
        PopName::SearchViewController,
        [](const QVariantList &) -> PopRootViewController * { return new SearchViewController; });
    manager.registerFactory(
        PopName::OutboxViewController,
        [](const QVariantList &) -> PopRootViewController * { return new OutboxViewController; });
    manager.registerFactory(
        PopName::TempFoodViewController,
        [](const QVariantList &) -> PopRootViewController * { return new TempFoodViewController; });
    // The bill of a table: its number and the sale list the server gave.
    manager.registerFactory(
        PopName::CheckoutOrderViewController, [](const QVariantList &args) -> PopRootViewController * {
            const QString deskNo = args.value(0).toString();
            if (deskNo.isEmpty() || !args.value(1).canConvert<QList<Row2>>())
                return nullptr;
            return new CheckoutOrderViewController(deskNo, args.at(1).value<QList<Row2>>());
        });
    // A dish operation on a table. Asked for by name there is no board to hand the choice to: it is
    // sent the way a board sends it, its outcome shown whatever became of the dialog.
    PopViewManager *const owner = &manager;
    manager.registerFactory(
        PopName::StyleTableViewController, [owner](const QVariantList &args) -> PopRootViewController * {
            const int operation = args.value(0, -1).toInt();
            const QString deskNo = args.value(1).toString();
            if (operation < DishOperations::Hurry || operation > DishOperations::Weigh || deskNo.isEmpty())
                return nullptr;
            auto *dialog = new StyleTableViewController(operation, deskNo);
            QObject::connect(dialog, &StyleTableViewController::confirmed, dialog,
                             [owner](int confirmed, const QList<LeftMenu> &selection) {
                                 Services::installed().dining->sendSelection(owner, confirmed, selection, {});
                             });
            return dialog;
        });
}

} // namespace PopupFactories
