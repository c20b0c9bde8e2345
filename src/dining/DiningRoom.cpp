#include "DiningRoom.h"

#include "dining/TableBoard.h"
#include "dining/UncertainOutcomes.h"
#include "foundation/UserNotice.h"
#include "server/CommandMaker.h"
#include "server/ResponseParser.h"
#include "server/ServerExchange.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

namespace {
// One read of rows: the parsed rows when the server accepted, else absent after what `shown` asks.
template <class Rows>
void readRows(QObject *context, const ClientCommand &command, DiningRoom::Shown shown,
              std::function<std::optional<Rows>(const XmlReply &)> parse,
              std::function<void(const std::optional<Rows> &)> done)
{
    using Shown = DiningRoom::Shown;
    const bool sent = ServerExchange::send(
        context, command,
        [shown, parse, done](const ServerReply &reply) {
            if (reply.isAccepted()) {
                done(parse(*reply.xml).value_or(Rows()));
                return;
            }
            if (shown == Shown::Everything || (shown == Shown::RefusalsOnly && reply.readable))
                ServerExchange::showRefusal(reply);
            done(std::nullopt);
        },
        [done](const QString &) { done(std::nullopt); });
    if (!sent)
        done(std::nullopt);
}
} // namespace

DiningRoom::DiningRoom()
    : askRepeat_([](const ClientCommand &command, std::function<void(bool)> answer) {
          UserNotice::confirm(QString(), localised(UncertainOutcomes::repeatQuestionKey(command)),
                              localised(u"取消"_s), localised(u"确定"_s), std::move(answer));
      })
{
}

void DiningRoom::readStates(QObject *context, Shown shown,
                            std::function<void(const std::optional<QList<Row>> &rows)> done)
{
    readRows<QList<Row>>(
        context, CommandMaker::getRoomDeskStateWithRoomNo(), shown,
        [](const XmlReply &xml) { return ResponseParser::parseGetRoomDeskState(xml); }, std::move(done));
}

void DiningRoom::readSaleList(QObject *context, const QString &tableNo, bool weighing, Shown shown,
                              std::function<void(const std::optional<QList<Row2>> &lines)> done)
{
    readRows<QList<Row2>>(
        context, CommandMaker::getDeskSaleList(tableNo), shown,
        [weighing](const XmlReply &xml) { return ResponseParser::parseDeskSaleList(xml, weighing); },
        std::move(done));
}

void DiningRoom::reportStates(QObject *context, const QStringList &tableNos, Done done)
{
    readStates(context, Shown::Everything, [tableNos, done](const std::optional<QList<Row>> &rows) {
        if (!rows) {
            done(Result::Refused);
            return;
        }
        // Each table's first row, whether or not the catalogue knows the table.
        QList<DeskInfo> tables;
        for (const QString &tableNo : tableNos)
            tables.append({tableNo, {}, {}});
        UserNotice::info(TableBoard::statesText(tableNos, TableBoard::statesByTable(tables, *rows)));
        done(Result::Reported);
    });
}
