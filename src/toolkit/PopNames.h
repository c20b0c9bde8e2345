#pragma once

#include <QString>
#include <QStringList>

// The names under which pop-up factories are registered with PopViewManager: the pop-ups'
// controller classes. TasteViewController comes in two forms (an order line's tastes and the whole
// order's tastes); its one factory tells them apart by the argument it is given.
namespace PopName {
inline const QString FoodItemSizeViewController = QStringLiteral("FoodItemSizeViewController");
inline const QString TDetailsViewController = QStringLiteral("TDetailsViewController");
inline const QString TasteViewController = QStringLiteral("TasteViewController");
inline const QString SaleQtyChangeViewController = QStringLiteral("SaleQtyChangeViewController");
inline const QString CusNumChangeViewController = QStringLiteral("CusNumChangeViewController");
inline const QString SalePriceChangeViewController = QStringLiteral("SalePriceChangeViewController");
inline const QString TempFoodViewController = QStringLiteral("TempFoodViewController");
inline const QString GuaDanViewController = QStringLiteral("GuaDanViewController");
inline const QString TableChooseViewController = QStringLiteral("TableChooseViewController");
inline const QString StyleTableViewController = QStringLiteral("StyleTableViewController");
inline const QString CheckoutOrderViewController = QStringLiteral("CheckoutOrderViewController");
inline const QString SearchViewController = QStringLiteral("SearchViewController");
inline const QString QuickTasteSetViewController = QStringLiteral("QuickTasteSetViewController");
inline const QString OutboxViewController = QStringLiteral("OutboxViewController");

// Every name above: each must have a factory.
inline QStringList all()
{
    return {FoodItemSizeViewController,  TDetailsViewController,      TasteViewController,
            SaleQtyChangeViewController, CusNumChangeViewController,  SalePriceChangeViewController,
            TempFoodViewController,      GuaDanViewController,        TableChooseViewController,
            StyleTableViewController,    CheckoutOrderViewController, SearchViewController,
            QuickTasteSetViewController, OutboxViewController};
}
} // namespace PopName

// Extra properties the manager sets on a pop-up it builds.
namespace PopProperty {
// The table chooser's request id, echoed in its confirmation; set only when one is given.
inline const QString RequestId = QStringLiteral("requestId");
// The search pop-up's flag: reload the order list when it closes.
inline const QString ShouldReloadOrderList = QStringLiteral("shouldReloadOrderList");
} // namespace PopProperty
