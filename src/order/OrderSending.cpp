// Sending the order in two steps: a server check, then the order itself. Replies arrive on a
// request worker; every message, notification and completion they cause is handed to the main
// thread, in the order they were caused.

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/ResponseParser.h"
#include "server/ServerRequest.h"
#include "server/XmlReply.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QThread>

namespace {
using Outcome = OrderManager::SendOutcome;
using Done = std::function<void(Outcome)>;

// After a send without a definite answer: the order may be in the kitchen already.
const QString kSendAgain = QStringLiteral("下单结果未知，请再次下单");


void onMainThread(std::function<void()> work)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        work();
    else
        QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

void finish(const Done &done, Outcome outcome)
{
    if (done)
        onMainThread([done, outcome] { done(outcome); });
}

struct Reply {
    bool readable = false;
    std::optional<QString> code;
    QString message;
};

Reply readReply(const QByteArray &body)
{
    const XmlReply parsed(body);
    std::optional<QString> error;
    Reply reply;
    reply.code = ResponseParser::parseResponseData(parsed, QStringLiteral("ReturnCode"), &error);
    reply.message =
        ResponseParser::parseResponseData(parsed, QStringLiteral("ReturnMsg")).value_or(QString());
    reply.readable = !error;
    return reply;
}

bool isAccepted(const Reply &reply)
{
    return reply.code == QStringLiteral("0");
}

// The server's message, or, for a reply that said nothing readable, a message that tells so.
QString refusalText(const Reply &reply)
{
    return reply.readable || !reply.message.isEmpty() ? reply.message : localised(QStringLiteral("解析错误"));
}
} // namespace

void OrderManager::sendOrderPack(const QString &sendText, std::function<void(SendOutcome)> done)
{
    auto request = ServerRequest::requestWithCommand(CommandMaker::checkServerStatus());
    request->setResponseBlock([this, sendText, done](const QByteArray &body) {
        UserNotice::hideProgress();
        const Reply reply = readReply(body);
        if (!reply.readable) {
            // Stopping without a word would leave the waiter guessing whether the order went.
            UserNotice::error(refusalText(reply));
            finish(done, Outcome::Refused);
        } else if (isAccepted(reply)) {
            onMainThread([this, sendText, done] { sendOrderPackStep2(sendText, done); });
        } else {
            UserNotice::info(reply.message);
            finish(done, Outcome::Refused);
        }
    });
    request->setErrorBlock([done](const ServerError &error) {
        UserNotice::hideProgress();
        UserNotice::error(error.shownText());
        finish(done, error.isRefusal() ? Outcome::Refused : Outcome::Failed);
    });
    if (!request->go()) {
        // The same check is already on its way (the home screen's client report asks it too). Its
        // answer goes to whoever asked; the waiter simply sends again in a moment.
        UserNotice::hideProgress();
        UserNotice::info(localised(QStringLiteral("正在检查服务器状态，请稍后再试")));
        finish(done, Outcome::AlreadyBusy);
    }
}

void OrderManager::sendOrderPackStep2(const QString &sendText, std::function<void(SendOutcome)> done)
{
    UserNotice::showProgress(QString());
    // From here until a definite answer the server may have the order: it is locked, and the lock
    // and the flow number are on disk before the order leaves, so that not even a crash during the
    // request lets it be changed and sent again under the same number.
    lockForSend([this, sendText, done] {
        SettingsStore::shared().sync();
        onMainThread([this, sendText, done] { postOrder(sendText, done); });
    });
}

void OrderManager::postOrder(const QString &sendText, std::function<void(SendOutcome)> done)
{
    const std::shared_ptr<OrderKeeper> keeper = this->keeper();
    auto request = ServerRequest::requestWithXmlString(sendText);
    request->setResponseBlock([this, keeper, done](const QByteArray &body) {
        const Reply reply = readReply(body);
        if (!reply.readable) {
            // Whether the server took the order is unknown: it stays locked for another send.
            UserNotice::hideProgress();
            UserNotice::error(refusalText(reply));
            UserNotice::info(localised(kSendAgain));
            PostNotificationInMainThread(Notify::SendOrderPackFailed);
            finish(done, Outcome::Refused);
            return;
        }
        if (!isAccepted(reply)) {
            onMainThread([this] { unlockAfterRefusal(); });
            UserNotice::hideProgress();
            UserNotice::error(refusalText(reply));
            PostNotificationInMainThread(Notify::SendOrderPackFailed);
            finish(done, Outcome::Refused);
            return;
        }
        // Gone from the disk before anyone is told, so a crash from here on never brings it back.
        if (keeper)
            keeper->forget();
        onMainThread([this] { clearAfterSend(); });
        UserNotice::hideProgress();
        if (reply.message.contains(QStringLiteral("沽清未成功")))
            UserNotice::alert(localised(QStringLiteral("提示")), reply.message,
                              localised(QStringLiteral("确定")));
        else
            UserNotice::success(reply.message);
        if (ConfigManager::defaultManager().ctLogoutAfterSend() == 6) {
            UserNotice::info(localised(QStringLiteral("当前用户已注销")));
            LoginManager::defaultManager().logout();
        }
        PostNotificationInMainThread(Notify::SendOrderPackSuccess);
        finish(done, Outcome::Sent);
    });
    request->setErrorBlock([this, done](const ServerError &error) {
        if (error.isRefusal()) {
            // A definite answer too: the server did not take the order (too large, malformed, ...).
            onMainThread([this] { unlockAfterRefusal(); });
            UserNotice::hideProgress();
            UserNotice::error(error.shownText());
            PostNotificationInMainThread(Notify::SendOrderPackFailed);
            finish(done, Outcome::Refused);
            return;
        }
        UserNotice::hideProgress();
        UserNotice::error(error.shownText());
        UserNotice::info(localised(kSendAgain));
        finish(done, Outcome::Failed);
    });
    if (!request->go()) {
        // This very order is on its way already; its own answer will tell.
        UserNotice::hideProgress();
        UserNotice::info(localised(QStringLiteral("点单正在发送，请稍候")));
        finish(done, Outcome::AlreadyBusy);
    }
}
