#include "order/OrderSender.h"

#include "foundation/LogCategories.h"
#include "foundation/MainThread.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/ServerError.h"
#include "server/ServerExchange.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {
// What the waiter is told when a send does not go through, besides the server's own words.
// After a send without a definite answer: the order may be in the kitchen already.
const QString kSendAgain = u"下单结果未知，请再次下单"_s;
// A reply that said nothing readable.
const QString kUnreadable = u"解析错误"_s;
// The server check is on its way already (the home screen's client report asks it too).
const QString kCheckUnderWay = u"正在检查服务器状态，请稍后再试"_s;
// This very order is on its way already; its own answer will tell.
const QString kOrderUnderWay = u"点单正在发送，请稍候"_s;

using Outcome = OrderSender::Outcome;
constexpr auto kNoIndicator = ServerExchange::Indicator::None;

void finish(const OrderSender::Done &done, Outcome outcome)
{
    if (done)
        done(outcome);
}

void showAccepted(const ServerReply &reply)
{
    if (reply.message.contains(u"沽清未成功"_s))
        UserNotice::alert(localised(u"提示"_s), reply.message, localised(u"确定"_s));
    else
        UserNotice::success(reply.message);
    if (ConfigManager::defaultManager().ctLogoutAfterSend() == 6) {
        UserNotice::info(localised(u"当前用户已注销"_s));
        LoginManager::defaultManager().logout();
    }
}
} // namespace

OrderSender &OrderSender::defaultSender()
{
    // Never destroyed, like the manager it sends for: replies may still arrive while statics go.
    static OrderSender *const sender = new OrderSender(OrderManager::defaultManager());
    return *sender;
}

QString OrderSender::refusalText(const ServerReply &reply)
{
    return reply.readable || !reply.message.isEmpty() ? reply.message : localised(kUnreadable);
}

OrderSender::OrderSender(OrderManager &orders) : orders_(orders), context_(std::make_unique<QObject>())
{
    if (QCoreApplication *app = QCoreApplication::instance(); app && context_->thread() != app->thread())
        context_->moveToThread(app->thread());
}

OrderSender::~OrderSender() = default;

QString OrderSender::sendText()
{
    orders_.numberLinesForSend();
    QString text;
    orders_.readOrder([&text](const OrderPack &pack, const QList<OrderManager::Line> &lines) {
        text = pack.toSendString(lines);
    });
    return text;
}

void OrderSender::send(Done done)
{
    sendOrderPack(sendText(), std::move(done));
}

void OrderSender::sendOrderPack(const QString &sendText, Done done)
{
    const bool sent = ServerExchange::sendQuietly(
        context_.get(), CommandMaker::checkServerStatus(),
        [this, sendText, done](const ServerReply &reply) {
            UserNotice::hideProgress();
            if (!reply.readable) {
                // Stopping without a word would leave the waiter guessing whether the order went.
                UserNotice::error(refusalText(reply));
                finish(done, Outcome::Refused);
            } else if (reply.isAccepted()) {
                sendOrderPackStep2(sendText, done);
            } else {
                UserNotice::info(reply.message);
                finish(done, Outcome::Refused);
            }
        },
        [done](const ServerError &error) {
            UserNotice::hideProgress();
            UserNotice::error(ServerExchange::failureText(error));
            finish(done, error.isRefusal() ? Outcome::Refused : Outcome::Failed);
        },
        kNoIndicator);
    if (!sent) {
        // Its answer goes to whoever asked; the waiter simply sends again in a moment.
        UserNotice::hideProgress();
        UserNotice::info(localised(kCheckUnderWay));
        finish(done, Outcome::AlreadyBusy);
    }
}

void OrderSender::sendOrderPackStep2(const QString &sendText, Done done)
{
    UserNotice::showProgress(QString());
    orderUnderWay_ = true;
    // From here until a definite answer the server may have the order: it is locked, and the lock
    // and the flow number are on disk before the order leaves, so that not even a crash during the
    // request lets it be changed and sent again under the same number.
    const QPointer<QObject> context(context_.get());
    qCInfo(lcOrder).noquote() << "order locked for sending";
    orders_.lockForSend([this, context, sendText, done] {
        SettingsStore::shared().sync();
        runOnMainThread([this, context, sendText, done] {
            if (context)
                postOrder(sendText, done);
        });
    });
}

void OrderSender::postOrder(const QString &sendText, Done done)
{
    const std::shared_ptr<OrderKeeper> keeper = orders_.keeper();
    const std::shared_ptr<OrderPack> pack = orders_.orderPack();
    const QString label = QStringLiteral("order table %1 flow %2")
                              .arg(pack ? pack->DeskNo.value_or(QString()) : QString(),
                                   pack ? pack->UniqueFlowNo.value_or(QString()) : QString());
    const bool sent = ServerExchange::sendTextQuietly(
        context_.get(), sendText, label,
        [this, keeper, done, label](const ServerReply &reply) {
            orderUnderWay_ = false;
            if (!reply.readable) {
                qCWarning(lcOrder).noquote() << label << "stays locked: the reply could not be read";
                // Whether the server took the order is unknown: it stays locked for another send.
                UserNotice::hideProgress();
                UserNotice::error(refusalText(reply));
                UserNotice::info(localised(kSendAgain));
                PostNotificationInMainThread(Notify::SendOrderPackFailed);
                finish(done, Outcome::Refused);
                return;
            }
            if (!reply.isAccepted()) {
                qCInfo(lcOrder).noquote() << label << "refused, editable again";
                orders_.unlockAfterRefusal();
                UserNotice::hideProgress();
                UserNotice::error(refusalText(reply));
                PostNotificationInMainThread(Notify::SendOrderPackFailed);
                finish(done, Outcome::Refused);
                return;
            }
            qCInfo(lcOrder).noquote() << label << "taken, kept order cleared";
            // Gone from the disk before anyone is told, so a crash from here on never brings it back.
            if (keeper)
                keeper->forget();
            orders_.clearAfterSend();
            UserNotice::hideProgress();
            showAccepted(reply);
            PostNotificationInMainThread(Notify::SendOrderPackSuccess);
            finish(done, Outcome::Sent);
        },
        [this, done, label](const ServerError &error) {
            orderUnderWay_ = false;
            UserNotice::hideProgress();
            UserNotice::error(ServerExchange::failureText(error));
            qCInfo(lcOrder).noquote()
                << label
                << (error.isRefusal() ? "refused, editable again" : "stays locked: no definite answer");
            if (error.isRefusal()) {
                // A definite answer too: the server did not take the order (too large, malformed, ...).
                orders_.unlockAfterRefusal();
                PostNotificationInMainThread(Notify::SendOrderPackFailed);
                finish(done, Outcome::Refused);
                return;
            }
            UserNotice::info(localised(kSendAgain));
            finish(done, Outcome::Failed);
        },
        kNoIndicator);
    if (!sent) {
        orderUnderWay_ = false;
        UserNotice::hideProgress();
        UserNotice::info(localised(kOrderUnderWay));
        finish(done, Outcome::AlreadyBusy);
    }
}
