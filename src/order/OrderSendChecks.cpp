#include "order/OrderSendChecks.h"

#include "order/OrderManager.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/NetworkChecker.h"
#include "server/ResponseParser.h"
#include "server/ServerExchange.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

namespace OrderSendChecks {

namespace {
bool isBlank(const std::optional<QString> &text)
{
    return text.value_or(QString()).isEmpty();
}
} // namespace

Stop check(OrderManager &orders)
{
    if (!LoginManager::isLogin())
        return Stop::NotLoggedIn;
    if (!NetworkChecker::sharedInstance().canConnect())
        return Stop::NoNetwork;
    if (orders.arrOrders().isEmpty())
        return Stop::NoLines;

    const ConfigManager &config = ConfigManager::defaultManager();
    if (config.lockTable()) {
        const QString bound = config.bindTableNo().value_or(QString());
        if (bound.isEmpty())
            return Stop::NoBoundTable;
        if (!orders.isLocked()) {
            orders.changePack([&bound](OrderPack &pack) {
                pack.DeskNo = bound;
                pack.WaiterMan = LoginManager::accountId();
            });
        }
        if (isBlank(orders.orderPack()->CustCount))
            return Stop::AskTableState;
    } else {
        const std::shared_ptr<OrderPack> pack = orders.orderPack();
        if (isBlank(pack->DeskNo) || isBlank(pack->CustCount))
            return Stop::ChooseTable;
    }
    return orders.hasShiJiaPriceZero() ? Stop::ShiJiaPriceZero : Stop::None;
}

QString message(Stop stop)
{
    QString key;
    switch (stop) {
    case Stop::NoNetwork:
        key = u"没有连接到网络或后台监控服务没有开启，请检查"_s;
        break;
    case Stop::NoLines:
        key = u"请先点菜"_s;
        break;
    case Stop::NoBoundTable:
        key = u"请先设置绑定桌台"_s;
        break;
    case Stop::ShiJiaPriceZero:
        key = u"时价菜的价格不能为 0，请先修改"_s;
        break;
    case Stop::None:
    case Stop::NotLoggedIn:
    case Stop::AskTableState:
    case Stop::ChooseTable:
        return {};
    }
    return LanguageManager::defaultManager().readString(key);
}

std::optional<QString> guestsInUse(const QList<Row> &rows, const QString &deskNo)
{
    for (const Row &row : rows) {
        if (row.deskNo != deskNo)
            continue;
        if (!row.useIndex || *row.useIndex == u"0" || isBlank(row.custNumber))
            return std::nullopt;
        return row.custNumber;
    }
    return std::nullopt;
}

bool askGuestsInUse(QObject *context, const QString &deskNo,
                    std::function<void(std::optional<QString>)> answer)
{
    return ServerExchange::send(
        context, CommandMaker::getRoomDeskStateWithDeskNo(deskNo),
        [deskNo, answer](const ServerReply &reply) {
            std::optional<QString> guests;
            if (reply.isAccepted()) {
                const auto rows = ResponseParser::parseGetRoomDeskState(*reply.xml);
                guests = guestsInUse(rows.value_or(QList<Row>()), deskNo);
            }
            answer(guests);
        },
        [answer](const QString &) { answer(std::nullopt); });
}

} // namespace OrderSendChecks
