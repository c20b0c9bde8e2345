// The held-order reader: any stored text, restored into a pack and adopted as the current order.
#include "foundation/AppPaths.h"
#include "order/OrderManager.h"
#include "order/OrderSender.h"
#include "order/OrderPack.h"
#include "order/TaskManager.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_held_order";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir home;
    static const bool homeSet = (AppPaths::setHome(home.path()), true);
    static OrderManager orders;
    static OrderSender sender(orders);
    Q_UNUSED(homeSet);

    Guadan stored;
    stored.content = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::shared_ptr<OrderPack> pack = OrderPack::setupWithGuaDan(stored)) {
        orders.genPackFromGuaDan(*pack);
        // What the order list then does with the lines: the texts, and deleting each one.
        orders.guaDanData();
        sender.sendText();
        for (const OrderManager::Line &line : orders.arrOrders())
            orders.deleteFoodOrder(line);
        orders.deleteAllFoodOrders();
        // The amounts and counts the order manager queued, and what they post.
        TaskManager::defaultManager().waitForDone();
        QCoreApplication::processEvents();
    }
    return 0;
}
