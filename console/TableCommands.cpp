// Commands of the table board: table states, the table operations, the dish operations and the
// bill, built by the same rules as the board's buttons and dialogs.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "order/DishOperations.h"
#include "order/TableBoard.h"
#include "order/UncertainOutcomes.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/ResponseParser.h"
#include "server/ServerError.h"
#include "server/ServerRequest.h"
#include "server/XmlReply.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QMutex>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// What came back from one exchange, written on the request's worker.
struct Answer {
    QMutex mutex;
    bool done = false;
    std::optional<QByteArray> body;
    QString failure;
    bool refused = false;
};

// "cat=NO" or "dish=FOODNO" as a hurry or release entry; none for the whole table.
std::optional<LeftMenu> hurryEntry(const QString &desk, const QStringList &args)
{
    LeftMenu entry;
    entry.tableno = desk;
    if (args.size() < 2)
        return entry;
    const QString arg = args.at(1);
    if (arg.startsWith(u"cat="_s)) {
        entry.style = LeftMenu::BigCatStyle;
        entry.bCatno = arg.mid(4);
    } else if (arg.startsWith(u"dish="_s)) {
        entry.style = LeftMenu::DishStyle;
        entry.foodno = arg.mid(5);
    } else {
        return std::nullopt;
    }
    return entry;
}
} // namespace

ConsoleSession::TableAnswer ConsoleSession::askTableCommand(const ClientCommand &command) const
{
    auto answer = std::make_shared<Answer>();
    auto request = ServerRequest::requestWithCommand(command);
    request->setResponseBlock([answer](const QByteArray &body) {
        QMutexLocker lock(&answer->mutex);
        answer->body = body;
        answer->done = true;
    });
    request->setErrorBlock([answer](const ServerError &error) {
        const QString message = error.message.value_or(QString());
        QMutexLocker lock(&answer->mutex);
        answer->failure = message.isEmpty() ? error.shownText() : localised(message);
        answer->refused = UncertainOutcomes::outcomeOf(error) == UncertainOutcomes::Outcome::Refused;
        answer->done = true;
    });
    if (!request->go())
        return {std::nullopt, std::nullopt, u"the same request is still under way"_s};
    const auto answered = [answer] {
        QMutexLocker lock(&answer->mutex);
        return answer->done;
    };
    if (!waitFor(answered, exchangeWaitMs(1)))
        return {UncertainOutcomes::Outcome::Unknown, std::nullopt, u"no answer from the server"_s};
    QMutexLocker lock(&answer->mutex);
    if (!answer->body)
        return {answer->refused ? UncertainOutcomes::Outcome::Refused : UncertainOutcomes::Outcome::Unknown,
                std::nullopt, answer->failure};
    XmlReply reply(*answer->body);
    std::optional<QString> unreadable;
    const std::optional<QString> code =
        ResponseParser::parseResponseData(reply, u"ReturnCode"_s, &unreadable);
    if (unreadable)
        return {UncertainOutcomes::Outcome::Unknown, std::nullopt, localised(u"解析错误"_s)};
    const QString message = ResponseParser::parseResponseData(reply, u"ReturnMsg"_s).value_or(QString());
    if (code != u"0"_s)
        return {UncertainOutcomes::Outcome::Refused, reply,
                message.isEmpty() ? localised(u"操作失败"_s) : message};
    return {UncertainOutcomes::Outcome::Accepted, reply,
            message.isEmpty() ? localised(u"操作成功"_s) : message};
}

std::optional<XmlReply> ConsoleSession::exchangeTableCommand(const ClientCommand &command) const
{
    TableAnswer answer = askTableCommand(command);
    if (answer.outcome != UncertainOutcomes::Outcome::Accepted) {
        ConsoleOutput::error(answer.message);
        return std::nullopt;
    }
    return answer.reply;
}

void ConsoleSession::printTableStates(const QStringList &tableNos) const
{
    const std::optional<XmlReply> reply = exchangeTableCommand(CommandMaker::getRoomDeskStateWithRoomNo());
    if (!reply)
        return;
    QList<DeskInfo> all;
    DBManager::defaultManager().getAllTables([&all](const QList<DeskInfo> &read) { all = read; });
    ConsoleOutput::notice(TableBoard::statesText(
        tableNos, TableBoard::statesByTable(
                      all, ResponseParser::parseGetRoomDeskState(*reply).value_or(QList<Row>()))));
}

void ConsoleSession::runTableCommand(const std::optional<ClientCommand> &command,
                                     std::optional<float> quantityBefore) const
{
    if (!command) {
        ConsoleOutput::error(u"nothing to send"_s);
        return;
    }
    UncertainOutcomes &outcomes = UncertainOutcomes::sharedInstance();
    const UncertainOutcomes::Repeat repeat = outcomes.repeatOf(*command);
    if (repeat == UncertainOutcomes::Repeat::Confirm) {
        // The console's confirmation: the same command a second time.
        outcomes.confirmed(*command);
        ConsoleOutput::error(localised(UncertainOutcomes::repeatQuestionKey(*command)) + u' ' +
                             localised(u"再输入一次同一命令即发送"_s));
        return;
    }
    outcomes.sending(*command, quantityBefore);
    const TableAnswer answer = askTableCommand(*command);
    if (!answer.outcome) {
        ConsoleOutput::error(answer.message);
        return;
    }
    outcomes.ended(*command, *answer.outcome);
    switch (*answer.outcome) {
    case UncertainOutcomes::Outcome::Accepted:
        ConsoleOutput::ok(answer.message);
        break;
    case UncertainOutcomes::Outcome::Refused:
        // A repeat of a table operation that may have been done: the tables as they are now.
        if (repeat == UncertainOutcomes::Repeat::ReportStateOnRefusal && answer.reply)
            printTableStates(UncertainOutcomes::tablesOf(*command));
        else
            ConsoleOutput::error(answer.message);
        break;
    case UncertainOutcomes::Outcome::Unknown:
        ConsoleOutput::error(localised(u"结果未知：%1，请核对桌台后再操作"_s).arg(answer.message));
        printTableStates(UncertainOutcomes::tablesOf(*command));
        break;
    }
}

void ConsoleSession::tables(const QStringList &args)
{
    if (!requireArgs(args, 0, 1, "tables [ROOMNO]"))
        return;
    QList<DeskInfo> all;
    DBManager::defaultManager().getAllTables([&all](const QList<DeskInfo> &read) { all = read; });
    const QList<DeskInfo> shown = TableBoard::tablesInRoom(all, args.value(0, TableBoard::kAllRooms));
    const std::optional<XmlReply> reply = exchangeTableCommand(CommandMaker::getRoomDeskStateWithRoomNo());
    if (!reply)
        return;
    const QHash<QString, Row> states =
        TableBoard::statesByTable(all, ResponseParser::parseGetRoomDeskState(*reply).value_or(QList<Row>()));
    for (const DeskInfo &desk : shown) {
        const auto found = states.constFind(desk.deskno);
        const TableState state =
            TableState::of(found == states.cend() ? std::nullopt : std::optional<Row>(*found));
        ConsoleOutput::row({desk.deskno, desk.deskName, state.inUse ? u"1"_s : u"0"_s, state.guests,
                            QString::asprintf("%.2f", double(state.amount))});
    }
}

void ConsoleSession::openTable(const QStringList &args)
{
    if (requireArgs(args, 2, 3, "open DESK GUESTS [WAITER]"))
        runTableCommand(TableBoard::tableCommand(
            TableBoard::OpenTable, {args.at(0), args.at(1), args.value(2, LoginManager::accountId())}));
}

void ConsoleSession::editTable(const QStringList &args)
{
    if (requireArgs(args, 2, 3, "edit DESK GUESTS [WAITER]"))
        runTableCommand(TableBoard::tableCommand(
            TableBoard::EditTable, {args.at(0), args.at(1), args.value(2, LoginManager::accountId())}));
}

void ConsoleSession::moveTable(const QStringList &args)
{
    if (requireArgs(args, 2, 2, "move FROM TO"))
        runTableCommand(TableBoard::tableCommand(TableBoard::ChangeTable, args));
}

void ConsoleSession::mergeTables(const QStringList &args)
{
    if (requireArgs(args, 2, 2, "merge FROM TO"))
        runTableCommand(TableBoard::tableCommand(TableBoard::MergeTables, args));
}

void ConsoleSession::cancelTable(const QStringList &args)
{
    if (requireArgs(args, 1, 1, "cancel DESK"))
        runTableCommand(TableBoard::tableCommand(TableBoard::CancelTable, args));
}

void ConsoleSession::hurry(const QStringList &args)
{
    if (!requireArgs(args, 1, 2, "hurry DESK [cat=NO|dish=FOODNO]"))
        return;
    const std::optional<LeftMenu> entry = hurryEntry(args.at(0), args);
    if (!entry)
        ConsoleOutput::error(u"not cat=NO or dish=FOODNO: "_s + args.at(1));
    else
        runTableCommand(DishOperations::hurryCommand(DishOperations::Hurry, *entry));
}

void ConsoleSession::release(const QStringList &args)
{
    if (!requireArgs(args, 1, 2, "release DESK [cat=NO|dish=FOODNO]"))
        return;
    const std::optional<LeftMenu> entry = hurryEntry(args.at(0), args);
    if (!entry)
        ConsoleOutput::error(u"not cat=NO or dish=FOODNO: "_s + args.at(1));
    else
        runTableCommand(DishOperations::hurryCommand(DishOperations::Release, *entry));
}

void ConsoleSession::returnDish(const QStringList &args)
{
    if (!requireArgs(args, 4, 4, "return DESK FOODNO QTY REASONNO"))
        return;
    QList<LeftMenu> entries = DishOperations::entriesFor(DishOperations::Return, args.at(0));
    for (LeftMenu &entry : entries) {
        entry.foodno = entry.style == LeftMenu::DishStyle ? args.at(1) : entry.foodno;
        entry.amount = entry.style == LeftMenu::AmountStyle ? args.at(2) : entry.amount;
        entry.reason = entry.style == LeftMenu::ReasonStyle ? args.at(3) : entry.reason;
    }
    const QString problem = DishOperations::confirmProblem(DishOperations::Return, entries, 1);
    if (!problem.isEmpty()) {
        ConsoleOutput::error(localised(problem));
        return;
    }
    const std::optional<ClientCommand> command = DishOperations::listCommand(DishOperations::Return, entries);
    // The sale list just before: what a repeat after an unknown outcome compares with.
    const std::optional<XmlReply> saleList = exchangeTableCommand(CommandMaker::getDeskSaleList(args.at(0)));
    if (!command || !saleList)
        return;
    const float quantity = UncertainOutcomes::quantityOf(
        ResponseParser::parseDeskSaleList(*saleList, false).value_or(QList<Row2>()), args.at(1));
    UncertainOutcomes &outcomes = UncertainOutcomes::sharedInstance();
    if (outcomes.repeatOf(*command) == UncertainOutcomes::Repeat::CheckSaleList &&
        outcomes.returnWasDone(*command, quantity))
        ConsoleOutput::ok(localised(u"退菜已完成（上次的回复丢失）"_s));
    else
        runTableCommand(command, quantity);
}

void ConsoleSession::weigh(const QStringList &args)
{
    if (!requireArgs(args, 4, 4, "weigh DESK FOODNO ITEMSEQ QTY"))
        return;
    QList<LeftMenu> entries = DishOperations::entriesFor(DishOperations::Weigh, args.at(0));
    for (LeftMenu &entry : entries) {
        if (entry.style == LeftMenu::DishStyle) {
            entry.foodno = args.at(1);
            entry.itemseq = args.at(2);
        }
        entry.amount = entry.style == LeftMenu::AmountStyle ? args.at(3) : entry.amount;
    }
    const QString problem = DishOperations::confirmProblem(DishOperations::Weigh, entries, 1);
    if (!problem.isEmpty())
        ConsoleOutput::error(localised(problem));
    else
        runTableCommand(DishOperations::listCommand(DishOperations::Weigh, entries));
}

void ConsoleSession::bill(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "bill DESK"))
        return;
    const std::optional<XmlReply> reply = exchangeTableCommand(CommandMaker::getDeskSaleList(args.at(0)));
    if (!reply)
        return;
    const QList<Row2> lines = ResponseParser::parseDeskSaleList(*reply, false).value_or(QList<Row2>());
    for (const DishOperations::BillLine &line : DishOperations::billLines(lines))
        ConsoleOutput::row({line.pluno, line.pluName, line.saleQty, line.SalePrice, line.amount});
    ConsoleOutput::line(DishOperations::billTotalText(DishOperations::billTotal(lines)));
}

void ConsoleSession::print(const QStringList &args)
{
    if (requireArgs(args, 1, 1, "print DESK"))
        runTableCommand(CommandMaker::printDeskBill(args.at(0)));
}
