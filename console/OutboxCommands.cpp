// The outbox: queueing the order when the server cannot be reached, the queue, a retry now, a
// cancel to the held orders, and waiting until the queue is empty.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "order/Outbox.h"

#include <climits>

namespace {
QString stateOf(const OutboxRow &row, bool onItsWay)
{
    if (onItsWay)
        return QStringLiteral("sending");
    return row.unconfirmed ? QStringLiteral("unconfirmed") : QStringLiteral("waiting");
}
} // namespace

void ConsoleSession::queue(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "queue"))
        return;
    const QString flowNo =
        orders().orderPack() ? orders().orderPack()->UniqueFlowNo.value_or(QString()) : QString();
    if (Outbox::defaultOutbox().queueCurrent())
        ConsoleOutput::ok(QStringLiteral("queued ") + flowNo);
}

void ConsoleSession::outbox(const QStringList &args)
{
    Outbox &outbox = Outbox::defaultOutbox();
    const QString action = args.value(0);
    if (action.isEmpty() && args.isEmpty()) {
        const QList<OutboxRow> rows = outbox.entries();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const OutboxRow &row = rows.at(i);
            ConsoleOutput::row({row.flowNo, row.tableNo, QString::number(row.lineCount),
                                stateOf(row, i == 0 && outbox.isSending()), row.lastError});
        }
        ConsoleOutput::line(QStringLiteral("outbox: %1").arg(rows.size()));
    } else if (action == u"retry" && args.size() == 1) {
        outbox.retryNow();
        ConsoleOutput::ok(QStringLiteral("retrying"));
    } else if (action == u"cancel" && args.size() == 2) {
        if (outbox.cancel(args.at(1)))
            ConsoleOutput::ok(QStringLiteral("moved to the held orders: ") + args.at(1));
    } else {
        ConsoleOutput::error(QStringLiteral("usage: outbox [retry | cancel FLOW]"));
    }
}

void ConsoleSession::waitOutbox(const QStringList &args)
{
    bool isNumber = false;
    const int seconds = args.value(0).toInt(&isNumber);
    if (args.size() != 1 || !isNumber || seconds < 0 || seconds > INT_MAX / 1000) {
        ConsoleOutput::error(QStringLiteral("usage: wait-outbox SECONDS"));
        return;
    }
    Outbox &outbox = Outbox::defaultOutbox();
    if (waitFor([&outbox] { return outbox.count() == 0; }, qint64(seconds) * 1000))
        ConsoleOutput::ok(QStringLiteral("outbox empty"));
    else
        ConsoleOutput::error(QStringLiteral("%1 orders left").arg(outbox.count()));
}
