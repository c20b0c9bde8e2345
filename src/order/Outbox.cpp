#include "order/Outbox.h"

#include "foundation/LogCategories.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "order/OrderSendChecks.h"
#include "order/OrderSender.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/ServerError.h"
#include "server/ServerExchange.h"
#include "settings/LanguageManager.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {
constexpr auto kNoIndicator = ServerExchange::Indicator::None;
// Seconds before the next attempt after the first, second, ... failure in a row; the last repeats.
constexpr std::array kRetrySeconds{2, 4, 8, 16, 30};

const QString kDelivered = u"待发送订单已送达（%1）"_s;
const QString kNoKeeper = u"待发送订单无法保存"_s;
const QString kNotQueued = u"没有该待发送订单"_s;
const QString kOnItsWay = u"该订单正在发送，请稍后再试"_s;
const QString kRefusedTitle = u"待发送订单被拒绝（%1）"_s;
const QString kNoTable = u"请选择桌台"_s;
const QString kNotLoggedIn = u"未登录"_s;

QString label(const OutboxRow &row)
{
    return u"outbox table %1 flow %2"_s.arg(row.tableNo, row.flowNo);
}

bool isBlank(const std::optional<QString> &text)
{
    return !text || text->trimmed().isEmpty();
}
} // namespace

Outbox &Outbox::defaultOutbox()
{
    // Never destroyed, like the manager it sends for: replies may still arrive while statics go.
    static Outbox *const outbox = new Outbox(OrderManager::defaultManager(), OrderSender::defaultSender());
    return *outbox;
}

Outbox::Outbox(OrderManager &orders, OrderSender &sender)
    : orders_(orders), sender_(sender), context_(std::make_unique<QObject>())
{
    if (QCoreApplication *app = QCoreApplication::instance(); app && context_->thread() != app->thread())
        context_->moveToThread(app->thread());
    retry_ = new QTimer(context_.get());
    retry_->setSingleShot(true);
    QObject::connect(retry_, &QTimer::timeout, context_.get(), [this] { sendNext(); });
}

Outbox::~Outbox() = default;

std::shared_ptr<OrderKeeper> Outbox::keeper() const
{
    return orders_.keeper();
}

void Outbox::resume()
{
    const int queued = count();
    if (queued > 0)
        qCInfo(lcOrder).noquote() << "outbox resumes with" << queued << "orders";
    changed();
    sendNext();
}

bool Outbox::queueCurrent()
{
    const std::shared_ptr<OrderKeeper> keeper = this->keeper();
    if (!keeper) {
        UserNotice::error(localised(kNoKeeper));
        return false;
    }
    // Its answer would clear the order taken after it.
    if (sender_.orderUnderWay()) {
        UserNotice::error(localised(kOnItsWay));
        return false;
    }
    // The same checks as a send, except that the server need not answer.
    const OrderSendChecks::Stop stop = OrderSendChecks::check(orders_);
    if (stop == OrderSendChecks::Stop::NotLoggedIn) {
        UserNotice::error(localised(kNotLoggedIn));
        return false;
    }
    if (stop != OrderSendChecks::Stop::None && stop != OrderSendChecks::Stop::NoNetwork) {
        const QString message = OrderSendChecks::message(stop);
        UserNotice::error(message.isEmpty() ? localised(kNoTable) : message);
        return false;
    }
    const std::shared_ptr<OrderPack> pack = orders_.orderPack();
    if (orders_.arrOrders().isEmpty()) {
        UserNotice::error(OrderSendChecks::message(OrderSendChecks::Stop::NoLines));
        return false;
    }
    // Without the server the checks stopped early: the rest of them here.
    if (!pack || isBlank(pack->DeskNo) || isBlank(pack->CustCount)) {
        UserNotice::error(localised(kNoTable));
        return false;
    }
    if (orders_.hasShiJiaPriceZero()) {
        UserNotice::error(OrderSendChecks::message(OrderSendChecks::Stop::ShiJiaPriceZero));
        return false;
    }
    OutboxRow row;
    // Made once: every later send repeats exactly this text, numbers and waiter included.
    row.sendText = sender_.sendText();
    row.heldText = pack->toStringWithDetails(orders_.guaDanData(), true);
    row.flowNo = pack->UniqueFlowNo.value_or(QString());
    row.tableNo = pack->DeskNo.value_or(QString());
    row.lineCount = int(orders_.arrOrders().size());
    row.waiterId = LoginManager::accountId();
    row.queuedTime = QDateTime::currentSecsSinceEpoch();
    row.unconfirmed = orders_.isLocked();
    if (!keeper->queue(row)) {
        UserNotice::error(localised(kNoKeeper));
        return false;
    }
    qCInfo(lcOrder).noquote() << "queued" << label(row) << "lines" << row.lineCount << "unconfirmed"
                              << row.unconfirmed;
    orders_.clearAfterSend();
    changed();
    if (!sending_ && !retry_->isActive())
        sendNext();
    return true;
}

QList<OutboxRow> Outbox::entries(int limit) const
{
    const std::shared_ptr<OrderKeeper> keeper = this->keeper();
    return keeper ? keeper->outbox(limit) : QList<OutboxRow>();
}

void Outbox::retryNow()
{
    failures_ = 0;
    retry_->stop();
    sendNext();
}

bool Outbox::cancel(const QString &flowNo)
{
    const QList<OutboxRow> rows = entries();
    const auto found =
        std::find_if(rows.cbegin(), rows.cend(), [&](const OutboxRow &row) { return row.flowNo == flowNo; });
    if (found == rows.cend()) {
        UserNotice::error(localised(kNotQueued));
        return false;
    }
    // The oldest is the one a send in flight carries.
    if (sending_ && found == rows.cbegin()) {
        UserNotice::error(localised(kOnItsWay));
        return false;
    }
    if (!keeper()->holdQueued(found->id)) {
        UserNotice::error(localised(kNoKeeper));
        return false;
    }
    qCInfo(lcOrder).noquote() << "cancelled to held orders" << label(*found);
    changed();
    return true;
}

void Outbox::sendNext()
{
    if (sending_)
        return;
    // Only the oldest: reading the whole queue for every send made each send dearer the longer it was.
    const QList<OutboxRow> rows = entries(1);
    if (rows.isEmpty()) {
        failures_ = 0;
        return;
    }
    retry_->stop();
    sending_ = true;
    const OutboxRow head = rows.first();
    // The server check first: a server that does not answer it gets no order to lose.
    const bool asked = ServerExchange::sendQuietly(
        context_.get(), CommandMaker::checkServerStatus(),
        [this, head](const ServerReply &reply) {
            if (reply.readable && reply.isAccepted())
                post(head);
            else
                unanswered(head, OrderSender::refusalText(reply));
        },
        [this, head](const ServerError &error) { unanswered(head, ServerExchange::failureText(error)); },
        kNoIndicator);
    if (!asked) {
        // Someone else's check is on its way: try again after the interval.
        sending_ = false;
        waitBeforeNext();
        return;
    }
    // The list on screen shows the order on its way.
    PostNotificationInMainThread(Notify::OutboxChanged);
}

void Outbox::post(OutboxRow row)
{
    // Marked before it leaves: from here on the server may have it, so it must only go again unchanged.
    row.unconfirmed = true;
    ++row.attempts;
    keeper()->updateQueued(row);
    qCInfo(lcOrder).noquote() << "sending" << label(row) << "attempt" << row.attempts;
    const bool sent = ServerExchange::sendTextQuietly(
        context_.get(), row.sendText, label(row),
        [this, row](const ServerReply &reply) {
            if (!reply.readable)
                unanswered(row, OrderSender::refusalText(reply));
            else if (reply.isAccepted())
                delivered(row);
            else
                refused(row, OrderSender::refusalText(reply));
        },
        [this, row](const ServerError &error) {
            // A refusal is a definite answer too: the server did not take the order.
            if (error.isRefusal())
                refused(row, ServerExchange::failureText(error));
            else
                unanswered(row, ServerExchange::failureText(error));
        },
        kNoIndicator);
    if (!sent)
        unanswered(row, localised(kOnItsWay));
}

void Outbox::delivered(const OutboxRow &row)
{
    const bool removed = keeper()->removeQueued(row.id);
    qCInfo(lcOrder).noquote() << "delivered" << label(row) << "removed" << removed;
    sending_ = false;
    failures_ = 0;
    UserNotice::success(localised(kDelivered).arg(row.tableNo));
    changed();
    // Left in the store it would go again: harmless (the server counts it once), but not at once.
    removed ? sendNext() : waitBeforeNext();
}

void Outbox::refused(const OutboxRow &row, const QString &message)
{
    const bool held = keeper()->holdQueued(row.id);
    qCInfo(lcOrder).noquote() << "refused" << label(row) << "moved to held orders" << held;
    sending_ = false;
    // It stays until tapped: the order did not reach the kitchen and the waiter must know.
    orders_.play(u"bncancel"_s);
    UserNotice::alert(localised(kRefusedTitle).arg(row.tableNo), message, localised(u"确定"_s));
    PostNotificationInMainThread(Notify::SendOrderPackFailed);
    changed();
    held ? sendNext() : waitBeforeNext();
}

void Outbox::unanswered(OutboxRow row, const QString &error)
{
    row.lastError = error;
    keeper()->updateQueued(row);
    qCInfo(lcOrder).noquote() << "no definite answer" << label(row) << "unconfirmed" << row.unconfirmed;
    sending_ = false;
    ++failures_;
    changed();
    waitBeforeNext();
}

void Outbox::waitBeforeNext()
{
    const int step = std::min<int>(std::max(failures_, 1), int(kRetrySeconds.size())) - 1;
    retry_->start(kRetrySeconds.at(size_t(step)) * 1000);
}

void Outbox::changed()
{
    const std::shared_ptr<OrderKeeper> keeper = this->keeper();
    count_ = keeper ? keeper->queuedCount() : 0;
    PostNotificationInMainThread(Notify::OutboxChanged);
}
