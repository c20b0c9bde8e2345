#include "ScreenExchange.h"

#include "foundation/UserNotice.h"
#include "server/ResponseParser.h"
#include "server/ServerError.h"
#include "server/ServerRequest.h"
#include "settings/LanguageManager.h"

#include <QCoreApplication>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {
QString localised(const QString &key)
{
    return LanguageManager::defaultManager().readString(key);
}

void onMainThread(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}
} // namespace

ScreenReply ScreenReply::read(const QByteArray &body)
{
    ScreenReply reply;
    reply.xml = std::make_shared<const XmlReply>(body);
    std::optional<QString> error;
    reply.code = ResponseParser::parseResponseData(*reply.xml, u"ReturnCode"_s, &error);
    reply.readable = !error;
    reply.message = ResponseParser::parseResponseData(*reply.xml, u"ReturnMsg"_s).value_or(QString());
    return reply;
}

QString ScreenExchange::failureText(const ServerError &error)
{
    return error.shownText();
}

void ScreenExchange::showRefusal(const ScreenReply &reply)
{
    if (!reply.readable)
        UserNotice::error(localised(u"解析错误"_s));
    else if (reply.message.isEmpty())
        UserNotice::error(localised(u"操作失败"_s));
    else
        UserNotice::error(reply.message);
}

bool ScreenExchange::showOutcome(const ScreenReply &reply)
{
    if (!reply.isAccepted()) {
        showRefusal(reply);
        return false;
    }
    UserNotice::success(reply.message.isEmpty() ? localised(u"操作成功"_s) : reply.message);
    return true;
}

bool ScreenExchange::send(QObject *owner, const ClientCommand &command, ReplyHandler onReply,
                          FailureHandler onFailure)
{
    return sendQuietly(owner, command, std::move(onReply), [onFailure](const ServerError &error) {
        const QString text = failureText(error);
        UserNotice::error(text);
        if (onFailure)
            onFailure(text);
    });
}

bool ScreenExchange::sendQuietly(QObject *owner, const ClientCommand &command, ReplyHandler onReply,
                                 std::function<void(const ServerError &error)> onFailure)
{
    UserNotice::showProgress(QString());
    const QPointer<QObject> guard(owner);
    auto request = ServerRequest::requestWithCommand(command);
    request->setResponseBlock([guard, onReply](const QByteArray &body) {
        ScreenReply reply = ScreenReply::read(body);
        onMainThread([guard, onReply, reply = std::move(reply)] {
            UserNotice::hideProgress();
            if (guard && onReply)
                onReply(reply);
        });
    });
    request->setErrorBlock([guard, onFailure](const ServerError &error) {
        onMainThread([guard, onFailure, error] {
            UserNotice::hideProgress();
            if (guard && onFailure)
                onFailure(error);
        });
    });
    if (request->go())
        return true;
    UserNotice::hideProgress();
    return false;
}
