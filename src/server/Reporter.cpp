#include "server/Reporter.h"

#include "foundation/CommonUtils.h"
#include "server/CommandMaker.h"
#include "server/MakerServiceAddress.h"
#include "server/ResponseParser.h"
#include "server/ServerExchange.h"
#include "server/ServerRequest.h"
#include "settings/DeviceIdentity.h"
#include "storage/DBManager.h"

namespace {
QString escaped(const QString &text)
{
    return CommonUtils::stringByEscapingForURLArgument(text);
}
} // namespace

Reporter &Reporter::sharedInstance()
{
    static Reporter instance;
    return instance;
}

void Reporter::reportClientInfo()
{
    // The whole report runs on the request queue's workers, so waiting for the queue waits for it.
    auto request = ServerRequest::requestWithCommand(CommandMaker::checkServerStatus());
    request->setResponseBlock([this](const QByteArray &body) { handleReply(body); });
    request->setErrorBlock([this](const ServerError &) { updateInfo(QString(), QString()); });
    request->go();
}

void Reporter::handleReply(const QByteArray &body)
{
    const ServerReply reply = ServerReply::read(body);
    if (!reply.isAccepted())
        return;
    const ParaList para = ResponseParser::parseParaList(*reply.xml).value_or(ParaList());
    updateInfo(para.serverDogNo.value_or(QString()), para.serverVer.value_or(QString()));
}

QString Reporter::storeName()
{
    QString name;
    DBManager::defaultManager().getStoroInfo([&name](const QList<StoreInfo> &parameters) {
        for (const StoreInfo &parameter : parameters) {
            if (parameter.pname == QStringLiteral("StoreName"))
                name = parameter.pvalue;
        }
    });
    return name;
}

QString Reporter::reportUrl(const QString &unique, const QString &partner, const QString &storeName,
                            const QString &svrVer)
{
    return MakerServiceAddress::baseUrl() + QStringLiteral("/menu/api/ExClientInfo.aspx?unique=") +
           escaped(unique) + QStringLiteral("&partner=") + escaped(partner) + QStringLiteral("&storename=") +
           escaped(storeName) + QStringLiteral("&longitude=&latitude=&svrVersion=") + escaped(svrVer) +
           QStringLiteral("&clientVersion=") + QString::number(kClientVersion) +
           QStringLiteral("&clientType=1");
}

void Reporter::updateInfo(const QString &partner, const QString &svrVer)
{
    auto request = ServerRequest::requestWithUrl(
        reportUrl(DeviceIdentity::keyChainUUID(), partner, storeName(), svrVer));
    request->setRequestMethod(QStringLiteral("GET"));
    {
        QMutexLocker lock(&mutex_);
        request_ = request;
    }
    request->go();
}
