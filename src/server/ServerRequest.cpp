#include "server/ServerRequest.h"

#include "foundation/CommonUtils.h"
#include "server/ClientCommand.h"
#include "server/RequestQueue.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"

namespace {
const QString kXmlFileField = QStringLiteral("xmlFile");
const QString kPost = QStringLiteral("POST");
const QString kGet = QStringLiteral("GET");

QString messageFor(HttpFailureKind kind)
{
    const LanguageManager &language = LanguageManager::defaultManager();
    switch (kind) {
    case HttpFailureKind::ConnectionFailure:
        return language.readString(QStringLiteral("网络连接错误"));
    case HttpFailureKind::Timeout:
        return language.readString(QStringLiteral("网络超时"));
    case HttpFailureKind::Authentication:
        return language.readString(QStringLiteral("密码不匹配"));
    default:
        return language.readString(QStringLiteral("未知错误"));
    }
}

ServerError httpLayerError(HttpFailureKind kind)
{
    return ServerError{ServerError::kHttpDomain, qint64(kind), messageFor(kind)};
}
} // namespace

ServerRequest::ServerRequest() : timeoutSeconds_(ConfigManager::defaultManager().timeout()) {}

std::shared_ptr<ServerRequest> ServerRequest::requestWithUrl(const QString &url)
{
    std::shared_ptr<ServerRequest> request(new ServerRequest);
    request->urlString_ = url;
    return request;
}

std::shared_ptr<ServerRequest> ServerRequest::requestWithXmlString(const QString &xml)
{
    auto request = requestWithUrl(ConfigManager::defaultManager().getServerAddress().value_or(QString()));
    request->setRequestMethod(kPost);
    request->addPostValue(xml, kXmlFileField);
    return request;
}

std::shared_ptr<ServerRequest> ServerRequest::requestWithCommand(const ClientCommand &command)
{
    return requestWithXmlString(command.toString());
}

RequestQueue &ServerRequest::sharedQueue()
{
    static RequestQueue queue;
    return queue;
}

QString ServerRequest::requestMethod() const
{
    if (requestMethod_)
        return *requestMethod_;
    return postData_.isEmpty() && fileData_.isEmpty() ? kGet : kPost;
}

void ServerRequest::addParameter(const std::optional<QString> &value, const QString &key)
{
    if (value)
        params_.insert(key, CommonUtils::stringByEscapingForURLArgument(*value));
}

void ServerRequest::addLongParameter(qint64 value, const QString &key)
{
    params_.insert(key, QString::number(value));
}

void ServerRequest::addIntParameter(qint32 value, const QString &key)
{
    params_.insert(key, QString::number(value));
}

void ServerRequest::addDateParameter(const QDateTime &date, const QString &key)
{
    addLongParameter(date.toMSecsSinceEpoch(), key);
}

void ServerRequest::addPostValue(const std::optional<QString> &value, const QString &key)
{
    if (value)
        postData_.insert(key, *value);
    else
        postData_.remove(key);
}

void ServerRequest::addPostIntValue(qint32 value, const QString &key)
{
    postData_.insert(key, QString::number(value));
}

void ServerRequest::addPostData(const QByteArray &data, const QString &key)
{
    fileData_.append(HttpFilePart{data, key});
}

bool ServerRequest::go()
{
    return sharedQueue().submit(shared_from_this());
}

QString ServerRequest::fullUrl() const
{
    QString url = urlString_;
    bool first = true;
    for (auto it = params_.cbegin(); it != params_.cend(); ++it) {
        url += first ? u'?' : u'&';
        url += it.key() + u'=' + it.value();
        first = false;
    }
    return url;
}

bool ServerRequest::sameExchangeAs(const ServerRequest &other) const
{
    return urlString_ == other.urlString_ && params_ == other.params_ && postData_ == other.postData_;
}

std::optional<ServerError> ServerRequest::checkError(const HttpResponse &response)
{
    if (response.failure)
        return httpLayerError(response.failure->kind);
    if (response.status != 200)
        return ServerError{ServerError::kStatusDomain, qint64(response.status), std::nullopt};
    return std::nullopt;
}

std::optional<ServerRequest::Outcome> ServerRequest::exchange() const
{
    try {
        Outcome outcome;
        if (urlString_.isEmpty()) {
            // No server address configured: nothing to connect to, but the caller still waits
            // for an answer.
            outcome.error = httpLayerError(HttpFailureKind::ConnectionFailure);
            return outcome;
        }
        HttpRequest request;
        request.url = fullUrl();
        request.method = requestMethod();
        for (auto it = postData_.cbegin(); it != postData_.cend(); ++it)
            request.formFields.append({it.key(), it.value()});
        request.fileParts = fileData_;
        request.timeoutSeconds = timeoutSeconds_;
        HttpResponse response = HttpClient::perform(request);
        outcome.error = checkError(response);
        if (!outcome.error)
            outcome.body = std::move(response.body);
        return outcome;
    } catch (...) {
        // A request never takes its worker down; the caller simply gets no callback.
        return std::nullopt;
    }
}

void ServerRequest::deliver(const Outcome &outcome) const
{
    try {
        if (!outcome.error) {
            if (responseBlock_)
                responseBlock_(outcome.body);
        } else if (errorBlock_) {
            errorBlock_(*outcome.error);
        }
    } catch (...) {
        // As in `exchange`: a throwing callback ends the request quietly.
    }
}
