#include "server/SupportChecker.h"

#include "foundation/MainThread.h"
#include "foundation/UserNotice.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

SupportChecker &SupportChecker::sharedChecker()
{
    static SupportChecker checker;
    return checker;
}

qint64 SupportChecker::stampValue(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == u'-' || trimmed[end] == u'+'))
        ++end;
    const qsizetype digitsStart = end;
    while (end < trimmed.size() && trimmed[end] >= u'0' && trimmed[end] <= u'9' && end - digitsStart < 18)
        ++end;
    if (end == digitsStart)
        return 0;
    return trimmed.left(end).toLongLong();
}

QString SupportChecker::dataVer()
{
    QString stamp;
    DBManager::defaultManager().getDataVer([&stamp](const StoreInfo &info) { stamp = info.pvalue; });
    return stamp;
}

bool SupportChecker::checkIsSupportZengSong()
{
    const QString stamp = dataVer();
    const bool supported = !stamp.isEmpty() && stampValue(stamp) > kZengSongStamp;
    if (!supported)
        updateDataVer2();
    return supported;
}

bool SupportChecker::checkShoudUpdaterSvrDataVer(const QString &requiredVersion)
{
    if (requiredVersion.isEmpty())
        return true;
    const QString stamp = dataVer();
    const bool outdated = stamp.isEmpty() || stampValue(stamp) < stampValue(requiredVersion);
    if (outdated)
        updateDataVer(requiredVersion);
    return outdated;
}

void SupportChecker::updateDataVer(const QString &version)
{
    runOnMainThread([version] {
        QString message = localised(QStringLiteral("席维通服务程序版本过低，请先升级。（V.%@）"));
        message.replace(QStringLiteral("%@"), version);
        UserNotice::alert(localised(QStringLiteral("提示")), message, localised(QStringLiteral("确定")));
    });
}

void SupportChecker::updateDataVer2()
{
    runOnMainThread([] {
        UserNotice::alert(localised(QStringLiteral("提示")),
                          localised(QStringLiteral("席维通服务程序版本过低，请先升级。")),
                          localised(QStringLiteral("确定")));
    });
}
