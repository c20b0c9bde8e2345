#include "BackOffice.h"

#include "foundation/UserNotice.h"
#include "package/UpdateFileDownloader.h"
#include "server/ActGuQing.h"
#include "server/CommandMaker.h"
#include "server/NetworkChecker.h"
#include "server/Reporter.h"
#include "server/ResponseParser.h"
#include "server/ServerError.h"
#include "server/ServerExchange.h"
#include "server/UpdateChecker.h"
#include "settings/ConfigManager.h"

namespace BackOffice {

bool serverReachable()
{
    return NetworkChecker::sharedInstance().canConnect();
}

void recheckServer()
{
    NetworkChecker::sharedInstance().check();
}

void startSoldOutPoll()
{
    ActGuQing::sharedInstance().start();
}

void followSoldOutSettings()
{
    const ConfigManager &config = ConfigManager::defaultManager();
    ActGuQing &poller = ActGuQing::sharedInstance();
    if (!poller.isPolling())
        return;
    if (config.isAutoRefreshSoldOut() && config.autoRefreshSoldOutIntervalTime() > 0)
        poller.start();
    else
        poller.stop();
}

void fetchSoldOutList(QObject *owner, std::function<void(const QList<Row3> &rows)> onRows)
{
    ServerExchange::send(owner, CommandMaker::getGqFoodList(), [onRows](const ServerReply &reply) {
        if (!reply.readable)
            return;
        if (!reply.isAccepted()) {
            ServerExchange::showRefusal(reply);
            return;
        }
        onRows(ResponseParser::parseGqFoodList(*reply.xml).value_or(QList<Row3>()));
    });
}

bool fetchTableStates(QObject *owner, std::function<void(const std::optional<QList<Row>> &rows)> told)
{
    return ServerExchange::sendQuietly(
        owner, CommandMaker::getRoomDeskStateWithRoomNo(),
        [told](const ServerReply &reply) {
            if (reply.readable && reply.code && !reply.isAccepted())
                UserNotice::info(reply.message);
            told(reply.isAccepted() ? ResponseParser::parseGetRoomDeskState(*reply.xml) : std::nullopt);
        },
        [told](const ServerError &error) {
            UserNotice::error(error.description());
            told(std::nullopt);
        },
        ServerExchange::Indicator::None);
}

void reportAndCheckForUpdate()
{
    UpdateChecker::sharedInstance().check();
    Reporter::sharedInstance().reportClientInfo();
}

bool beginBaseDataDownload()
{
    return UpdateFileDownloader::sharedInstance().beginToDownload();
}

void deleteBaseData()
{
    UpdateFileDownloader::sharedInstance().deleteData();
}

} // namespace BackOffice
