#include "DiningCommand.h"

#include "server/ServerExchange.h"

#include "foundation/UserNotice.h"
#include "order/TableBoard.h"
#include "order/UncertainOutcomes.h"
#include "server/CommandMaker.h"
#include "server/ResponseParser.h"
#include "server/ServerError.h"
#include "settings/LanguageManager.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace DiningCommand {
namespace {
using Outcome = UncertainOutcomes::Outcome;
using Repeat = UncertainOutcomes::Repeat;
using Done = std::function<void(Result)>;


void showUnknown(const QString &failure)
{
    UserNotice::error(localised(u"结果未知：%1，请核对桌台后再操作"_s).arg(failure));
}

// After a refused repeat of a table operation: what the tables are now is the answer.
void reportStates(QObject *owner, const ClientCommand &command, const Done &done)
{
    const QStringList tables = UncertainOutcomes::tablesOf(command);
    const bool sent = ServerExchange::send(
        owner, CommandMaker::getRoomDeskStateWithRoomNo(),
        [tables, done](const ServerReply &reply) {
            if (!reply.isAccepted()) {
                ServerExchange::showRefusal(reply);
                done(Result::Refused);
                return;
            }
            QHash<QString, Row> states;
            for (const Row &row : ResponseParser::parseGetRoomDeskState(*reply.xml).value_or(QList<Row>())) {
                if (row.deskNo && !states.contains(*row.deskNo))
                    states.insert(*row.deskNo, row);
            }
            UserNotice::info(TableBoard::statesText(tables, states));
            done(Result::Reported);
        },
        [done](const QString &) { done(Result::Refused); });
    if (!sent)
        done(Result::Refused);
}
} // namespace

void send(QObject *owner, const ClientCommand &command, std::function<void(Result)> done,
          std::optional<float> quantityBefore)
{
    UncertainOutcomes &outcomes = UncertainOutcomes::sharedInstance();
    const QPointer<QObject> guard(owner);
    const Done finish = [guard, done](Result result) {
        if (guard && done)
            done(result);
    };
    const Repeat repeat = outcomes.repeatOf(command);
    if (repeat == Repeat::Confirm) {
        UserNotice::confirm(QString(), localised(UncertainOutcomes::repeatQuestionKey(command)),
                            localised(u"取消"_s), localised(u"确定"_s),
                            [guard, command, done, finish, quantityBefore](bool again) {
                                if (!again || !guard) {
                                    finish(Result::NotSent);
                                    return;
                                }
                                UncertainOutcomes::sharedInstance().confirmed(command);
                                send(guard, command, done, quantityBefore);
                            });
        return;
    }
    outcomes.sending(command, quantityBefore);
    const bool sent = ServerExchange::sendQuietly(
        owner, command,
        [guard, command, repeat, finish](const ServerReply &reply) {
            const Outcome outcome = UncertainOutcomes::outcomeOf(reply.readable, reply.code);
            UncertainOutcomes::sharedInstance().ended(command, outcome);
            if (outcome == Outcome::Unknown) {
                showUnknown(localised(u"解析错误"_s));
                finish(Result::Unknown);
            } else if (outcome == Outcome::Refused && repeat == Repeat::ReportStateOnRefusal) {
                reportStates(guard, command, finish);
            } else {
                finish(ServerExchange::showOutcome(reply) ? Result::Accepted : Result::Refused);
            }
        },
        [command, finish](const ServerError &error) {
            const Outcome outcome = UncertainOutcomes::outcomeOf(error);
            UncertainOutcomes::sharedInstance().ended(command, outcome);
            if (outcome == Outcome::Refused) {
                UserNotice::error(ServerExchange::failureText(error));
                finish(Result::Refused);
            } else {
                showUnknown(ServerExchange::failureText(error));
                finish(Result::Unknown);
            }
        });
    if (!sent)
        finish(Result::NotSent);
}

void sendSelection(QObject *owner, int operation, const QList<LeftMenu> &selection,
                   std::function<void(Result)> done)
{
    const std::optional<ClientCommand> command = DishOperations::selectionCommand(operation, selection);
    if (!command)
        return;
    if (operation != DishOperations::Return) {
        send(owner, *command, std::move(done));
        return;
    }
    // The sale list just before: what a repeat after an unknown outcome compares with.
    const QPointer<QObject> guard(owner);
    ServerExchange::send(owner, CommandMaker::getDeskSaleList(command->DeskNo.value_or(QString())),
                         [guard, command = *command, done](const ServerReply &reply) {
                             if (!reply.isAccepted()) {
                                 ServerExchange::showRefusal(reply);
                                 return;
                             }
                             const float quantity = UncertainOutcomes::quantityOf(
                                 ResponseParser::parseDeskSaleList(*reply.xml, false).value_or(QList<Row2>()),
                                 command.FoodNo.value_or(QString()));
                             UncertainOutcomes &outcomes = UncertainOutcomes::sharedInstance();
                             if (outcomes.repeatOf(command) == UncertainOutcomes::Repeat::CheckSaleList &&
                                 outcomes.returnWasDone(command, quantity)) {
                                 UserNotice::success(localised(u"退菜已完成（上次的回复丢失）"_s));
                                 return;
                             }
                             send(guard, command, done, quantity);
                         });
}
} // namespace DiningCommand
