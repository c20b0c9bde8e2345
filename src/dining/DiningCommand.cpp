// The dining-room commands of DiningRoom: the exchange under the rules for repeats after an unknown
// outcome, and the return's look at the sale list before it goes.
#include "DiningRoom.h"

#include "dining/UncertainOutcomes.h"
#include "foundation/UserNotice.h"
#include "server/CommandMaker.h"
#include "server/ServerError.h"
#include "server/ServerExchange.h"
#include "settings/LanguageManager.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {
using Outcome = UncertainOutcomes::Outcome;
using Repeat = UncertainOutcomes::Repeat;
using Result = DiningRoom::Result;

void showUnknown(const QString &failure)
{
    UserNotice::error(localised(u"结果未知：%1，请核对桌台后再操作"_s).arg(failure));
}
} // namespace

void DiningRoom::send(QObject *context, const ClientCommand &command, Done done,
                      std::optional<float> quantityBefore)
{
    UncertainOutcomes &outcomes = UncertainOutcomes::sharedInstance();
    const QPointer<QObject> guard(context);
    const Done finish = [guard, done](Result result) {
        if (guard && done)
            done(result);
    };
    const Repeat repeat = outcomes.repeatOf(command);
    if (repeat == Repeat::Confirm) {
        askRepeat_(command, [this, guard, command, done, finish, quantityBefore](bool again) {
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
        context, command,
        [this, guard, command, repeat, finish](const ServerReply &reply) {
            const Outcome outcome = UncertainOutcomes::outcomeOf(reply.readable, reply.code);
            UncertainOutcomes::sharedInstance().ended(command, outcome);
            if (outcome == Outcome::Unknown) {
                showUnknown(localised(u"解析错误"_s));
                finish(Result::Unknown);
            } else if (outcome == Outcome::Refused && repeat == Repeat::ReportStateOnRefusal) {
                reportStates(guard, UncertainOutcomes::tablesOf(command), finish);
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

void DiningRoom::printBill(QObject *context, const QString &tableNo, Done done)
{
    send(context, CommandMaker::printDeskBill(tableNo), std::move(done));
}

void DiningRoom::sendSelection(QObject *context, int operation, const QList<LeftMenu> &selection, Done done)
{
    const std::optional<ClientCommand> command = DishOperations::selectionCommand(operation, selection);
    if (!command) {
        if (done)
            done(Result::NotSent);
        return;
    }
    if (operation != DishOperations::Return) {
        send(context, *command, std::move(done));
        return;
    }
    // The sale list just before: what a repeat after an unknown outcome compares with.
    const QPointer<QObject> guard(context);
    readSaleList(context, command->DeskNo.value_or(QString()), false, Shown::Everything,
                 [this, guard, command = *command, done](const std::optional<QList<Row2>> &lines) {
                     if (!lines) {
                         if (done)
                             done(Result::NotSent);
                         return;
                     }
                     const float quantity =
                         UncertainOutcomes::quantityOf(*lines, command.FoodNo.value_or(QString()));
                     UncertainOutcomes &outcomes = UncertainOutcomes::sharedInstance();
                     if (outcomes.repeatOf(command) == Repeat::CheckSaleList &&
                         outcomes.returnWasDone(command, quantity)) {
                         UserNotice::success(localised(u"退菜已完成（上次的回复丢失）"_s));
                         if (done)
                             done(Result::NotSent);
                         return;
                     }
                     send(guard, command, done, quantity);
                 });
}
