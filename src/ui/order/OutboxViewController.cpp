#include "OutboxViewController.h"

#include "catalogue/CatalogueRecords.h"
#include "catalogue/TasteInfo.h"
#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/FoodOrder.h"
#include "order/OrderPack.h"
#include "order/Outbox.h"
#include "services/Services.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

#include <QDateTime>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
Outbox *outbox()
{
    return Services::installed().outbox;
}

// As the order list totals it: the lines, then the whole order's taste surcharges.
QString amountOf(const QString &heldText)
{
    Guadan held;
    held.content = heldText;
    const std::shared_ptr<OrderPack> pack = OrderPack::setupWithGuaDan(held);
    if (!pack)
        return {};
    float sum = 0;
    for (const auto &line : std::as_const(pack->ordersInPack))
        sum += line->getSinglePrice();
    return CommonUtils::format2(sum + TasteInfo::surcharge(pack->arrTaste, sum));
}
} // namespace

OutboxViewController::OutboxViewController(QObject *parent) : PopRootViewController(parent)
{
    NotificationCenter::defaultCenter().addObserver(this, Notify::OutboxChanged,
                                                    [this](const Notification &) { reload(); });
    reload();
}

void OutboxViewController::open()
{
    // A guest holding the tablet does not manage the waiters' queue: the badge and the staff entry alike.
    if (ConfigManager::defaultManager().isCusMode()) {
        UserNotice::info(localised(u"当前是顾客模式，可在设置中切换"_s));
        return;
    }
    PopViewManager::defaultManager().pop(PopName::OutboxViewController);
}

void OutboxViewController::reload()
{
    rows_.clear();
    if (Outbox *queue = outbox()) {
        const QList<OutboxRow> entries = queue->entries();
        const bool showsAmounts = ConfigManager::defaultManager().showsAmounts();
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const OutboxRow &row = entries.at(i);
            // Only the oldest is ever on its way.
            const QString state = i == 0 && queue->isSending() ? u"正在发送"_s
                                  : row.unconfirmed            ? u"结果未知"_s
                                                               : u"等待发送"_s;
            rows_.append(QVariantMap{
                {u"flowNo"_s, row.flowNo},
                {u"table"_s, row.tableNo},
                {u"time"_s, QDateTime::fromSecsSinceEpoch(row.queuedTime).toString(u"HH:mm"_s)},
                {u"lines"_s, row.lineCount},
                {u"amount"_s, showsAmounts ? amountOf(row.heldText) : localised(u"不显示"_s)},
                {u"state"_s, localised(state)},
                {u"error"_s, row.lastError},
                {u"unconfirmed"_s, row.unconfirmed},
            });
        }
    }
    emit rowsChanged();
}

void OutboxViewController::retry()
{
    if (Outbox *queue = outbox())
        queue->retryNow();
}

void OutboxViewController::cancelOrder(const QString &flowNo, const QString &table)
{
    QString question = localised(u"桌台%1的订单将不再发送，移入挂单"_s).arg(table);
    // Sent again from the held orders it gets a new flow number, which the server cannot match.
    if (std::any_of(rows_.cbegin(), rows_.cend(), [&](const QVariant &row) {
            const QVariantMap shown = row.toMap();
            return shown.value(u"flowNo"_s) == flowNo && shown.value(u"unconfirmed"_s).toBool();
        }))
        question += u'\n' + localised(u"它可能已送达厨房：从挂单再次下单可能重复"_s);
    // The answer may come after the list is gone: it needs only the outbox.
    UserNotice::confirm(localised(u"取消待发送订单"_s), question, localised(u"返回"_s), localised(u"确定"_s),
                        [flowNo](bool confirmed) {
                            Outbox *queue = outbox();
                            if (confirmed && queue && queue->cancel(flowNo))
                                UserNotice::success(localised(u"已移入挂单"_s));
                        });
}

void OutboxViewController::close()
{
    if (!isDismissing())
        dismissSelf();
}
