// Commands of the table board: table states, the table operations, the dish operations and the
// bill, built by the same rules as the board's buttons and dialogs and sent through the same dining
// room, whose notices the console prints.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "dining/DiningRoom.h"
#include "dining/TableBoard.h"
#include "dining/UncertainOutcomes.h"
#include "services/Catalogue.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/LanguageManager.h"

#include <QEventLoop>
#include <QTimer>

#include <climits>

using namespace Qt::StringLiterals;

namespace {
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

// After an unknown outcome the tables of the command as the server has them now, then `finished`.
DiningRoom::Done reportingUnknown(DiningRoom &dining, QObject *context, const QStringList &tables,
                                  const std::function<void()> &finished)
{
    return [&dining, context, tables, finished](DiningRoom::Result result) {
        if (result == DiningRoom::Result::Unknown)
            dining.reportStates(context, tables, [finished](DiningRoom::Result) { finished(); });
        else
            finished();
    };
}
} // namespace

DiningRoom &ConsoleSession::dining() const
{
    return *Services::installed().dining;
}

void ConsoleSession::registerRepeatQuestion()
{
    dining().setRepeatQuestion([](const ClientCommand &command, std::function<void(bool)> answer) {
        // The console's confirmation: the same command a second time.
        UncertainOutcomes::sharedInstance().confirmed(command);
        ConsoleOutput::error(localised(UncertainOutcomes::repeatQuestionKey(command)) + u' ' +
                             localised(u"再输入一次同一命令即发送"_s));
        answer(false);
    });
}

void ConsoleSession::awaitDining(int exchanges, const DiningStart &start) const
{
    // The context goes with this call: an answer after the time is up touches nothing.
    QObject context;
    QEventLoop loop;
    bool finished = false;
    start(&context, [&finished, &loop] {
        finished = true;
        loop.quit();
    });
    if (finished)
        return;
    QTimer::singleShot(int(qMin<qint64>(exchangeWaitMs(exchanges), INT_MAX)), &loop, &QEventLoop::quit);
    loop.exec();
    if (!finished)
        ConsoleOutput::error(u"no answer from the server"_s);
}

void ConsoleSession::runTableCommand(const std::optional<ClientCommand> &command) const
{
    if (!command) {
        ConsoleOutput::error(u"nothing to send"_s);
        return;
    }
    awaitDining(2, [this, &command](QObject *context, std::function<void()> finished) {
        dining().send(context, *command,
                      reportingUnknown(dining(), context, UncertainOutcomes::tablesOf(*command), finished));
    });
}

void ConsoleSession::runSelection(int operation, const QList<LeftMenu> &selection) const
{
    const std::optional<ClientCommand> command = DishOperations::selectionCommand(operation, selection);
    const QStringList tables = command ? UncertainOutcomes::tablesOf(*command) : QStringList();
    awaitDining(3, [&](QObject *context, std::function<void()> finished) {
        dining().sendSelection(context, operation, selection,
                               reportingUnknown(dining(), context, tables, finished));
    });
}

void ConsoleSession::tables(const QStringList &args)
{
    if (!requireArgs(args, 0, 1, "tables [ROOMNO]"))
        return;
    const QList<DeskInfo> all = Services::installed().catalogue->tables();
    const QList<DeskInfo> shown = TableBoard::tablesInRoom(all, args.value(0, TableBoard::kAllRooms));
    std::optional<QList<Row>> rows;
    awaitDining(1, [this, &rows](QObject *context, std::function<void()> finished) {
        dining().readStates(context, DiningRoom::Shown::Everything,
                            [&rows, finished](const std::optional<QList<Row>> &read) {
                                rows = read;
                                finished();
                            });
    });
    if (!rows)
        return;
    const QHash<QString, Row> states = TableBoard::statesByTable(all, *rows);
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
            TableBoard::OpenTable,
            {args.at(0), args.at(1), args.value(2, Services::installed().staff->loggedInId())}));
}

void ConsoleSession::editTable(const QStringList &args)
{
    if (requireArgs(args, 2, 3, "edit DESK GUESTS [WAITER]"))
        runTableCommand(TableBoard::tableCommand(
            TableBoard::EditTable,
            {args.at(0), args.at(1), args.value(2, Services::installed().staff->loggedInId())}));
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
        runSelection(DishOperations::Hurry, {*entry});
}

void ConsoleSession::release(const QStringList &args)
{
    if (!requireArgs(args, 1, 2, "release DESK [cat=NO|dish=FOODNO]"))
        return;
    const std::optional<LeftMenu> entry = hurryEntry(args.at(0), args);
    if (!entry)
        ConsoleOutput::error(u"not cat=NO or dish=FOODNO: "_s + args.at(1));
    else
        runSelection(DishOperations::Release, {*entry});
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
    runSelection(DishOperations::Return, entries);
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
        runSelection(DishOperations::Weigh, entries);
}

void ConsoleSession::bill(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "bill DESK"))
        return;
    std::optional<QList<Row2>> lines;
    awaitDining(1, [this, &args, &lines](QObject *context, std::function<void()> finished) {
        dining().readSaleList(context, args.at(0), false, DiningRoom::Shown::Everything,
                              [&lines, finished](const std::optional<QList<Row2>> &read) {
                                  lines = read;
                                  finished();
                              });
    });
    if (!lines)
        return;
    for (const DishOperations::BillLine &line : DishOperations::billLines(*lines))
        ConsoleOutput::row({line.pluno, line.pluName, line.saleQty, line.SalePrice, line.amount});
    ConsoleOutput::line(DishOperations::billTotalText(DishOperations::billTotal(*lines)));
}

void ConsoleSession::print(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "print DESK"))
        return;
    awaitDining(2, [this, &args](QObject *context, std::function<void()> finished) {
        dining().printBill(context, args.at(0), reportingUnknown(dining(), context, {args.at(0)}, finished));
    });
}
