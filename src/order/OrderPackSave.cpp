#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderLinesSource.h"
#include "order/OrderPack.h"
#include "settings/LanguageManager.h"

void OrderPack::saveGuaDan(const std::function<void(bool)> &completion) const
{
    const auto finish = [completion](bool saved) {
        if (completion)
            completion(saved);
    };

    OrderLinesSource *source = linesSource();
    if (source && source->refusesHold()) {
        finish(false);
        return;
    }
    const QString detail = source ? source->guaDanData() : QString();
    if (detail.isEmpty()) {
        UserNotice::error(localised(QStringLiteral("挂单失败（0）")));
        finish(false);
        return;
    }

    const QString content = toStringWithDetails(detail, true);
    const bool saved = source->saveHeldOrder(content);
    if (saved) {
        UserNotice::success(localised(QStringLiteral("挂单成功")));
        source->deleteAllFoodOrders();
        PostNotificationInMainThread(Notify::UpdateOrderList);
    } else {
        UserNotice::error(localised(QStringLiteral("保存失败（1）")));
    }
    finish(saved);
}
