#include "server/ServerError.h"

#include "settings/LanguageManager.h"

namespace {
// Why the server refused, in a waiter's words.
QString refusalReason(qint64 status)
{
    switch (status) {
    case 400:
        return QStringLiteral("请求内容无法识别");
    case 401:
    case 403:
        return QStringLiteral("没有访问权限");
    case 404:
        return QStringLiteral("地址不存在，请检查服务器设置");
    case 408:
        return QStringLiteral("请求发送超时");
    case 413:
        return QStringLiteral("内容太多，超过服务器的上限");
    case 429:
        return QStringLiteral("请求太频繁，请稍后再试");
    default:
        return QStringLiteral("请求不被接受");
    }
}
} // namespace

bool ServerError::isRefusal() const
{
    return domain == kStatusDomain && code >= 400 && code <= 499;
}

QString ServerError::description() const
{
    QString text =
        QStringLiteral("Error Domain=") + domain + QStringLiteral(" Code=") + QString::number(code);
    if (message)
        text += QStringLiteral(" \"") + *message + u'"';
    return text;
}

QString ServerError::shownText() const
{
    const QString text = message.value_or(QString());
    if (!text.isEmpty())
        return text;
    if (!isRefusal())
        return description();
    const LanguageManager &language = LanguageManager::defaultManager();
    return language.readString(QStringLiteral("服务器拒绝了请求（HTTP %1）：%2"))
        .arg(QString::number(code), language.readString(refusalReason(code)));
}
