#include "server/UpdateChecker.h"

#include "foundation/MainThread.h"
#include "foundation/UserNotice.h"
#include "server/HttpClient.h"
#include "server/MakerServiceAddress.h"
#include "server/ResponseParser.h"
#include "server/UrlOpener.h"
#include "server/XmlReply.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"

#include <QPointer>

#include <climits>

namespace {

// Fills each "%@" of the format with the next value, by concatenation.
QString fill(const QString &format, const QStringList &values)
{
    QString result;
    qsizetype from = 0;
    for (const QString &value : values) {
        const qsizetype at = format.indexOf(QStringLiteral("%@"), from);
        if (at < 0)
            break;
        result += format.mid(from, at - from) + value;
        from = at + 2;
    }
    return result + format.mid(from);
}

} // namespace

UpdateChecker &UpdateChecker::sharedInstance()
{
    static UpdateChecker instance;
    return instance;
}

UpdateChecker::UpdateChecker() : opener_(UrlOpener::openUrl)
{
    worker_.setMaxThreadCount(2);
}

UpdateChecker::~UpdateChecker()
{
    // A check still running is no longer the current one, and an answer already queued dies with
    // the context.
    ++generation_;
    worker_.waitForDone();
}

void UpdateChecker::check()
{
    const quint64 generation = ++generation_;
    HttpRequest request;
    request.url = MakerServiceAddress::baseUrl() + QStringLiteral("/update/update.xml");
    request.timeoutSeconds = ConfigManager::defaultManager().timeout();
    // The destructor waits for the worker, so the context outlives every run.
    worker_.start([this, request, generation] {
        const HttpResponse response = HttpClient::perform(request);
        if (response.failure || generation != generation_.load())
            return;
        runOnMainThread(&context_, [this, body = response.body, generation] {
            if (generation == generation_.load())
                handleDescription(body);
        });
    });
}

int UpdateChecker::intValue(const std::optional<QString> &text)
{
    if (!text)
        return 0;
    const QString trimmed = text->trimmed();
    qsizetype at = 0;
    bool negative = false;
    if (at < trimmed.size() && (trimmed[at] == u'-' || trimmed[at] == u'+'))
        negative = trimmed[at++] == u'-';
    qint64 value = 0;
    for (; at < trimmed.size() && trimmed[at] >= u'0' && trimmed[at] <= u'9'; ++at) {
        value = value * 10 + (trimmed[at].unicode() - u'0');
        if (value > qint64(INT_MAX) + 1)
            break;
    }
    if (negative)
        return value > qint64(INT_MAX) ? INT_MIN : int(-value);
    return value > INT_MAX ? INT_MAX : int(value);
}

void UpdateChecker::handleDescription(const QByteArray &body)
{
    const XmlReply description(body);
    auto read = [&description](const char *name) {
        return ResponseParser::parseResponseData(description, QString::fromLatin1(name));
    };
    const int versionCode = intValue(read("versionCode"));
    const QString versionName = read("versionName").value_or(QString());
    const QString message = read("description").value_or(QString());
    {
        QMutexLocker lock(&mutex_);
        updateUrl_ = read("url").value_or(QString());
    }
    if (versionCode < kFirstNewerVersionCode)
        return;

    const QString title =
        fill(localised(QStringLiteral("%@：%@")), {localised(QStringLiteral("发现新版本")), versionName});
    QPointer<QObject> context(&context_);
    UserNotice::confirm(title, message, localised(QStringLiteral("暂不更新")),
                        localised(QStringLiteral("立即更新")), [this, context](bool accepted) {
                            if (context)
                                alertView(accepted ? 1 : 0);
                        });
}

void UpdateChecker::alertView(int clickedButtonAtIndex)
{
    if (clickedButtonAtIndex == 0)
        return;
    const QUrl url(updateUrl(), QUrl::StrictMode);
    // The address comes from the network: only a web page is opened, never a local file or a
    // program's own scheme.
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")))
        return;
    std::function<bool(const QUrl &)> opener;
    {
        QMutexLocker lock(&mutex_);
        opener = opener_;
    }
    if (opener)
        opener(url);
}

QString UpdateChecker::updateUrl() const
{
    QMutexLocker lock(&mutex_);
    return updateUrl_;
}

void UpdateChecker::setUrlOpener(std::function<bool(const QUrl &)> opener)
{
    QMutexLocker lock(&mutex_);
    opener_ = std::move(opener);
}

bool UpdateChecker::waitForDone(int msecs)
{
    return worker_.waitForDone(msecs);
}
