#include "ServerExchange.h"

#include "foundation/LogCategories.h"
#include "foundation/MainThread.h"
#include "foundation/UserNotice.h"
#include "server/ClientCommand.h"
#include "server/HttpClient.h"
#include "server/ResponseParser.h"
#include "server/ServerError.h"
#include "server/ServerRequest.h"
#include "settings/LanguageManager.h"

#include <QElapsedTimer>
#include <QPointer>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {
// The end of one exchange, delivered once on the main thread: the indicator comes down, then the
// owner (while it lives) hears the outcome. Shared by the request's two callbacks; when the request
// goes without calling either, its destructor ends the exchange as an unknown failure.
struct ExchangeEnd {
    QPointer<QObject> owner;
    bool owned = false; // without an owner, the outcome is always told
    ServerExchange::Indicator indicator;
    ServerExchange::ReplyHandler onReply;
    ServerExchange::ErrorHandler onFailure;
    QString label; // what the support log calls the command: its name, table and size
    QElapsedTimer clock;
    std::atomic<bool> ended = false;

    void finish(std::function<void()> tell)
    {
        if (ended.exchange(true))
            return;
        runOnMainThread([owner = owner, owned = owned, indicator = indicator, tell = std::move(tell)] {
            if (indicator == ServerExchange::Indicator::Blocking)
                UserNotice::hideProgress();
            if (owner || !owned)
                tell();
        });
    }
    void reply(ServerReply reply)
    {
        if (reply.isAccepted())
            qCInfo(lcServer).noquote() << label << "accepted in" << clock.elapsed() << "ms";
        else
            qCInfo(lcServer).noquote() << label << "refused in" << clock.elapsed() << "ms:"
                                          << (reply.readable ? reply.message : QStringLiteral("unreadable reply"));
        finish([onReply = onReply, reply = std::move(reply)] {
            if (onReply)
                onReply(reply);
        });
    }
    void fail(const ServerError &error)
    {
        if (!ended)
            qCInfo(lcServer).noquote() << label << "failed in" << clock.elapsed() << "ms:" << error.shownText();
        finish([onFailure = onFailure, error] {
            if (onFailure)
                onFailure(error);
        });
    }
    ~ExchangeEnd()
    {
        fail(ServerError{ServerError::kHttpDomain, qint64(HttpFailureKind::Internal),
                         localised(u"未知错误"_s)});
    }
};
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
    return exchange(owner, ServerRequest::requestWithCommand(command), describe(command), std::move(onReply),
                    std::move(onFailure), indicator);
}

bool ServerExchange::sendTextQuietly(QObject *owner, const QString &xml, const QString &label,
                                     ReplyHandler onReply, ErrorHandler onFailure, Indicator indicator)
{
    return exchange(owner, ServerRequest::requestWithXmlString(xml),
                    label + QStringLiteral(" size ") + QString::number(xml.toUtf8().size()), std::move(onReply),
                    std::move(onFailure), indicator);
}

QString ServerExchange::describe(const ClientCommand &command)
{
    // Never the password: the name, the tables and the size only.
    QString label = command.command.value_or(QStringLiteral("?"));
    for (const auto &[field, value] : {std::pair{"table", command.DeskNo}, std::pair{"from", command.SourceDeskNo},
                                       std::pair{"to", command.DestDeskNo}}) {
        if (value)
            label += u' ' + QLatin1StringView(field) + u' ' + *value;
    }
    return label + QStringLiteral(" size ") + QString::number(command.toString().toUtf8().size());
}

bool ServerExchange::exchange(QObject *owner, const std::shared_ptr<ServerRequest> &request, const QString &label,
                              ReplyHandler onReply, ErrorHandler onFailure, Indicator indicator)
{
    if (indicator == Indicator::Blocking)
        UserNotice::showProgress(QString());
    auto end = std::make_shared<ExchangeEnd>();
    end->owner = owner;
    end->owned = owner != nullptr;
    end->indicator = indicator;
    end->onReply = std::move(onReply);
    end->onFailure = std::move(onFailure);
    end->label = label;
    end->clock.start();
    qCInfo(lcServer).noquote() << "send" << label;
    request->setResponseBlock([end](const QByteArray &body) { end->reply(ServerReply::read(body)); });
    request->setErrorBlock([end](const ServerError &error) { end->fail(error); });
    if (request->go())
        return true;
    // Dropped as a duplicate: nothing is told, and the indicator comes down at once.
    end->ended = true;
    if (indicator == Indicator::Blocking)
        UserNotice::hideProgress();
    return false;
}
