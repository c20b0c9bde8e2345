#pragma once

#include "server/HttpClient.h"
#include "server/ServerError.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

struct ClientCommand;
class RequestQueue;

// One exchange with the ordering server: a form posted to the server's base address, run on a
// worker of the shared queue, its outcome handed to exactly one of the two callbacks. Both
// callbacks run on that worker; callers move display work to the main thread themselves.
// Configure a request fully before `go`; it is not touched from outside afterwards.
class ServerRequest : public std::enable_shared_from_this<ServerRequest> {
public:
    using ResponseBlock = std::function<void(const QByteArray &body)>;
    using ErrorBlock = std::function<void(const ServerError &error)>;

    static std::shared_ptr<ServerRequest> requestWithUrl(const QString &url);
    // A POST to the server's base address with the form field "xmlFile" = the command's text,
    // rendered now. Without a configured server address the request has no URL and ends with
    // the connection-failure error.
    static std::shared_ptr<ServerRequest> requestWithCommand(const ClientCommand &command);
    static std::shared_ptr<ServerRequest> requestWithXmlString(const QString &xml);

    // The queue every request runs on: at most 4 at once, the rest wait in submission order.
    static RequestQueue &sharedQueue();

    QString urlString() const { return urlString_; }
    const QMap<QString, QString> &params() const { return params_; }
    const QMap<QString, QString> &postData() const { return postData_; }
    const QList<HttpFilePart> &fileData() const { return fileData_; }
    // "POST" when never set and there is form data or a file part, else "GET".
    QString requestMethod() const;
    void setRequestMethod(const QString &method) { requestMethod_ = method; }
    qint64 tag() const { return tag_; }
    void setTag(qint64 tag) { tag_ = tag; }
    // Taken from the settings when the request is made (on the caller's thread).
    qint64 timeoutSeconds() const { return timeoutSeconds_; }
    void setTimeoutSeconds(qint64 seconds) { timeoutSeconds_ = seconds; }

    // Query parameters; values are escaped for a URL argument, keys used as they stand.
    void addParameter(const std::optional<QString> &value, const QString &key);
    void addLongParameter(qint64 value, const QString &key);
    void addIntParameter(qint32 value, const QString &key);
    // Milliseconds since 1970-01-01 00:00 UTC.
    void addDateParameter(const QDateTime &date, const QString &key);
    // Form fields; an absent value removes the field.
    void addPostValue(const std::optional<QString> &value, const QString &key);
    void addPostIntValue(qint32 value, const QString &key);
    // A file part; the form is then sent as multipart.
    void addPostData(const QByteArray &data, const QString &key);

    void setResponseBlock(ResponseBlock block) { responseBlock_ = std::move(block); }
    void setErrorBlock(ErrorBlock block) { errorBlock_ = std::move(block); }

    // Submits to the shared queue and returns at once. A request equal to one still waiting or
    // running there (same URL, parameters and form fields) is dropped: false, and neither of its
    // callbacks is ever called. That is what makes a double tap send once.
    bool go();

    // What an exchange ended with: the body on success, else the error.
    struct Outcome {
        std::optional<ServerError> error;
        QByteArray body;
    };
    // The two halves of `main`, for the queue, which retires the request between them. `exchange`
    // calls no callback; absent when something was thrown.
    std::optional<Outcome> exchange() const;
    void deliver(const Outcome &outcome) const;

    // `urlString` with the parameters appended: "?k=v" for the first, "&k=v" for the others.
    QString fullUrl() const;
    bool sameExchangeAs(const ServerRequest &other) const;

    // Success (no error) only for a completed exchange with status 200.
    static std::optional<ServerError> checkError(const HttpResponse &response);

private:
    ServerRequest();

    QString urlString_;
    QMap<QString, QString> params_;
    QMap<QString, QString> postData_;
    QList<HttpFilePart> fileData_;
    std::optional<QString> requestMethod_;
    qint64 tag_ = 0;
    qint64 timeoutSeconds_ = 8;
    ResponseBlock responseBlock_;
    ErrorBlock errorBlock_;
};
