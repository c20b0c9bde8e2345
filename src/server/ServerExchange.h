#pragma once

#include "server/XmlReply.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

struct ClientCommand;
struct ServerError;
class ServerRequest;

// A server's answer to a screen's command, read once on the request's worker.
struct ServerReply {
    std::shared_ptr<const XmlReply> xml; // the whole reply, for the screen's lists
    bool readable = false;
    std::optional<QString> code; // "ReturnCode"
    QString message;             // "ReturnMsg", empty without one

    bool isAccepted() const { return readable && code == QStringLiteral("0"); }
    static ServerReply read(const QByteArray &body);
};

// One exchange with the ordering server, the way every caller does it (screens, background polls,
// the console): the reply parsed once on the worker, then the hop to the main thread, where the
// indicator (when the caller wants one) goes first. A reply or failure that arrives after the
// caller (`owner`) is gone touches nothing but the indicator; an exchange without an owner (a
// process-wide poll) is always told. An exchange that ends without any answer (something thrown on
// the worker) ends as an "未知错误" failure, so nobody waits for ever. A transport failure shows its
// message, or the error's description when it has none; never an empty notice.
class ServerExchange {
public:
    using ReplyHandler = std::function<void(const ServerReply &reply)>;
    using FailureHandler = std::function<void(const QString &shownText)>;
    using ErrorHandler = std::function<void(const ServerError &error)>;
    // Screens block the window while they wait; background polls and the console do not.
    enum class Indicator { Blocking, None };

    // Sends `command`. `onReply` gets every answered exchange (readable or not) on the main thread;
    // `onFailure`, when given, runs after the failure's notice. False when the queue dropped it as
    // a duplicate of an exchange still on its way: then the indicator is taken down at once and
    // neither handler ever runs.
    static bool send(QObject *owner, const ClientCommand &command, ReplyHandler onReply,
                     FailureHandler onFailure = {});

    // As send(), but a failure shows no notice: `onFailure` gets the error itself, on the main thread,
    // while the owner lives.
    static bool sendQuietly(QObject *owner, const ClientCommand &command, ReplyHandler onReply,
                            ErrorHandler onFailure, Indicator indicator = Indicator::Blocking);
    // As sendQuietly(), for a command that is written out already (an order's text); `label` names
    // it in the support log (never the text itself).
    static bool sendTextQuietly(QObject *owner, const QString &xml, const QString &label, ReplyHandler onReply,
                                ErrorHandler onFailure, Indicator indicator = Indicator::Blocking);

    // What a transport failure shows: its message, or its description when it has none.
    static QString failureText(const ServerError &error);
    // An error notice with the server's refusal: its message, or "操作失败" when it gave none, or
    // "解析错误" for a reply that could not be read.
    static void showRefusal(const ServerReply &reply);
    // The outcome of a command that only reports: the server's message (or "操作成功") as a success
    // when accepted, else the refusal. True when accepted.
    static bool showOutcome(const ServerReply &reply);

    // The support log's name for a command: its name, its tables and its size.
    static QString describe(const ClientCommand &command);

private:
    static bool exchange(QObject *owner, const std::shared_ptr<ServerRequest> &request, const QString &label,
                         ReplyHandler onReply, ErrorHandler onFailure, Indicator indicator);
};
