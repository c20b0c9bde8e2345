#include "dining/UncertainOutcomes.h"

#include "dining/DishOperations.h"
#include "server/ServerError.h"

#include <QMutexLocker>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
bool isTableCommand(const QString &name)
{
    static const QStringList names{u"KaiTai"_s, u"EditDesk"_s, u"ChangeDesk"_s, u"MergeDesk"_s,
                                   u"CancelDesk"_s};
    return names.contains(name);
}

bool isHurry(const QString &name)
{
    return name.endsWith(u"Hurry"_s);
}

bool isRelease(const QString &name)
{
    return name.endsWith(u"WakeUp"_s);
}
} // namespace

UncertainOutcomes &UncertainOutcomes::sharedInstance()
{
    static UncertainOutcomes outcomes;
    return outcomes;
}

UncertainOutcomes::Outcome UncertainOutcomes::outcomeOf(const ServerError &error)
{
    return error.isRefusal() ? Outcome::Refused : Outcome::Unknown;
}

UncertainOutcomes::Outcome UncertainOutcomes::outcomeOf(bool readable,
                                                        const std::optional<QString> &returnCode)
{
    if (!readable)
        return Outcome::Unknown;
    return returnCode == u"0"_s ? Outcome::Accepted : Outcome::Refused;
}

QString UncertainOutcomes::keyOf(const ClientCommand &command)
{
    // The operator is left out: another waiter repeating the return repeats the same return.
    const QList<std::optional<QString>> fields{command.command,      command.DeskNo,       command.CustCount,
                                               command.WaiterMan,    command.SourceDeskNo, command.DestDeskNo,
                                               command.CatNo,        command.FoodNo,       command.FoodQty,
                                               command.ReturnReason, command.itemseq};
    QStringList parts;
    for (const std::optional<QString> &field : fields)
        parts << (field ? u"="_s + *field : u"-"_s);
    return parts.join(u'\x1f');
}

UncertainOutcomes::Repeat UncertainOutcomes::repeatOf(const ClientCommand &command) const
{
    QMutexLocker lock(&mutex_);
    const auto found = entries_.constFind(keyOf(command));
    if (found == entries_.cend())
        return Repeat::Send;
    const Entry &entry = *found;
    const QString name = command.command.value_or(QString());
    if (name == u"ReturnFood"_s)
        return Repeat::CheckSaleList;
    if (name == u"PrintDeskBill"_s || isHurry(name) || isRelease(name))
        return entry.confirmed ? Repeat::Send : Repeat::Confirm;
    return isTableCommand(name) ? Repeat::ReportStateOnRefusal : Repeat::Send;
}

void UncertainOutcomes::sending(const ClientCommand &command, std::optional<float> quantityBefore)
{
    // Uncertain from now until a definite answer: a reply that never comes, or comes after its
    // screen is gone, leaves it so.
    QMutexLocker lock(&mutex_);
    Entry &entry = entries_[keyOf(command)];
    entry.confirmed = false;
    if (quantityBefore)
        entry.quantityBefore = quantityBefore;
}

void UncertainOutcomes::ended(const ClientCommand &command, Outcome outcome)
{
    if (outcome == Outcome::Unknown)
        return;
    QMutexLocker lock(&mutex_);
    entries_.remove(keyOf(command));
}

void UncertainOutcomes::confirmed(const ClientCommand &command)
{
    QMutexLocker lock(&mutex_);
    const auto found = entries_.find(keyOf(command));
    if (found != entries_.end())
        found->confirmed = true;
}

bool UncertainOutcomes::returnWasDone(const ClientCommand &command, float quantityNow)
{
    QMutexLocker lock(&mutex_);
    const auto found = entries_.constFind(keyOf(command));
    if (found == entries_.cend() || !found->quantityBefore)
        return false;
    const float returned = DishOperations::readNumber(command.FoodQty);
    // Quantities are sums of a few decimals: a hundredth of slack for the float arithmetic.
    const bool done = std::fabs(*found->quantityBefore - returned - quantityNow) < 0.01f;
    if (done)
        entries_.erase(found);
    return done;
}

float UncertainOutcomes::quantityOf(const QList<Row2> &saleList, const QString &foodno)
{
    float sum = 0;
    for (const Row2 &line : saleList) {
        if (line.pluno == foodno)
            sum += DishOperations::readNumber(line.saleQty);
    }
    return sum;
}

QStringList UncertainOutcomes::tablesOf(const ClientCommand &command)
{
    QStringList tables;
    for (const std::optional<QString> &table : {command.DeskNo, command.SourceDeskNo, command.DestDeskNo}) {
        if (table && !table->isEmpty() && !tables.contains(*table))
            tables << *table;
    }
    return tables;
}

QString UncertainOutcomes::repeatQuestionKey(const ClientCommand &command)
{
    const QString name = command.command.value_or(QString());
    if (name == u"PrintDeskBill"_s)
        return u"可能已经打印，确定再次打印？"_s;
    if (isHurry(name))
        return u"可能已经催菜，确定再次催菜？"_s;
    if (isRelease(name))
        return u"可能已经起菜，确定再次起菜？"_s;
    return {};
}

void UncertainOutcomes::clear()
{
    QMutexLocker lock(&mutex_);
    entries_.clear();
}
