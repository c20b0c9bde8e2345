#include "ServerExchange.h"

#include "foundation/UserNotice.h"
#include "server/ResponseParser.h"
#include "server/ServerError.h"
#include "server/ServerRequest.h"
#include "settings/LanguageManager.h"

#include <QCoreApplication>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

void onMainThread(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}
} // namespace

ServerReply ServerReply::read(const QByteArray &body)
{
    ServerReply reply;
    reply.xml = std::make_shared<const XmlReply>(body);
    std::optional<QString> error;
    reply.code = ResponseParser::parseResponseData(*reply.xml, u"ReturnCode"_s, &error);
    reply.readable = !error;
    reply.message = ResponseParser::parseResponseData(*reply.xml, u"ReturnMsg"_s).value_or(QString());
    return reply;
}

QString ServerExchange::failureText(const ServerError &error)
{
    return error.shownText();
}

void ServerExchange::showRefusal(const ServerReply &reply)
{
    if (!reply.readable)
        UserNotice::error(localised(u"解析错误"_s));
    else if (reply.message.isEmpty())
        UserNotice::error(localised(u"操作失败"_s));
    else
        UserNotice::error(reply.message);
}

bool ServerExchange::showOutcome(const ServerReply &reply)
{
    if (!reply.isAccepted()) {
        showRefusal(reply);
        return false;
    }
    UserNotice::success(reply.message.isEmpty() ? localised(u"操作成功"_s) : reply.message);
    return true;
}

bool ServerExchange::send(QObject *owner, const ClientCommand &command, ReplyHandler onReply,
                          FailureHandler onFailure)
{
    return sendQuietly(owner, command, std::move(onReply), [onFailure](const ServerError &error) {
        const QString text = failureText(error);
        UserNotice::error(text);
        if (onFailure)
            onFailure(text);
    });
}

bool ServerExchange::sendQuietly(QObject *owner, const ClientCommand &command, ReplyHandler onReply,
                                 ErrorHandler onFailure, Indicator indicator)
{
    return exchange(owner, ServerRequest::requestWithCommand(command), std::move(onReply),
                    std::move(onFailure), indicator);
}

bool ServerExchange::sendTextQuietly(QObject *owner, const QString &xml, ReplyHandler onReply,
                                     ErrorHandler onFailure, Indicator indicator)
{
    return exchange(owner, ServerRequest::requestWithXmlString(xml), std::move(onReply), std::move(onFailure),
                    indicator);
}

bool ServerExchange::exchange(QObject *owner, const std::shared_ptr<ServerRequest> &request,
                              ReplyHandler onReply, ErrorHandler onFailure, Indicator indicator)
{
    const bool shown = indicator == Indicator::Shown;
    if (shown)
        UserNotice::showProgress(QString());
    const QPointer<QObject> guard(owner);
    request->setResponseBlock([guard, onReply, shown](const QByteArray &body) {
        ServerReply reply = ServerReply::read(body);
        onMainThread([guard, onReply, shown, reply = std::move(reply)] {
            if (shown)
                UserNotice::hideProgress();
            if (guard && onReply)
                onReply(reply);
        });
    });
    request->setErrorBlock([guard, onFailure, shown](const ServerError &error) {
        onMainThread([guard, onFailure, shown, error] {
            if (shown)
                UserNotice::hideProgress();
            if (guard && onFailure)
                onFailure(error);
        });
    });
    if (request->go())
        return true;
    if (shown)
        UserNotice::hideProgress();
    return false;
}
