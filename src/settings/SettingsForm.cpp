#include "settings/SettingsForm.h"

#include "foundation/CommonUtils.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace SettingsForm {

qint64 integerValue(const QString &text)
{
    static const QRegularExpression leading(u"^\\s*([+-]?\\d{1,18})"_s);
    const QRegularExpressionMatch match = leading.match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

bool isPlausibleHost(const QString &host)
{
    for (const QChar c : host) {
        if (c.isSpace() || c == u'/' || c == u'@' || c == u'?' || c == u'#' || c == u'\\')
            return false;
    }
    return true;
}

namespace {
std::optional<QString> wholePort(const QString &text)
{
    static const QRegularExpression digits(u"^[0-9]{1,5}$"_s);
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int port = text.toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    return QString::number(port);
}
} // namespace

Result check(const Input &input)
{
    Result result;
    const QString ip = input.ip.trimmed();
    if (!ip.isEmpty()) {
        if (!isPlausibleHost(ip)) {
            result.error = u"请输入正确的服务器地址"_s;
            return result;
        }
        result.values.ip = ip;
    }
    if (!CommonUtils::isValidNumber(input.posNum)) {
        result.error = u"请输入正确的点菜机号"_s;
        return result;
    }
    result.values.posNum = input.posNum;
    const std::optional<QString> port = wholePort(input.port);
    if (!port) {
        result.error = u"请输入正确的服务器端口"_s;
        return result;
    }
    result.values.port = *port;
    if (!CommonUtils::isValidNumber(input.timeout)) {
        result.error = u"请输入正确的通讯等待时间"_s;
        return result;
    }
    result.values.timeout = integerValue(input.timeout);
    if (input.lockTable && input.bindTableNo.isEmpty()) {
        result.error = u"请输入绑定桌台号"_s;
        return result;
    }
    result.values.bindTableNo = input.bindTableNo;
    if (input.autoRefreshSoldOut && input.interval.isEmpty()) {
        result.error = u"请输入刷新售罄品项间隔（秒）"_s;
        return result;
    }
    result.values.interval = integerValue(input.interval);
    return result;
}

} // namespace SettingsForm
