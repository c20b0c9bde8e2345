// Holding the order on the terminal and taking a held order back, as the order list's hold button
// and the held-order list do.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "foundation/CommonUtils.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

QList<Guadan> ConsoleSession::heldOrders() const
{
    QList<Guadan> stored;
    DBManager::mainDBManager().getOrderPacks([&stored](const QList<Guadan> &orders) { stored = orders; });
    return stored;
}

void ConsoleSession::hold(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "hold"))
        return;
    if (orders().arrOrders().isEmpty()) {
        ConsoleOutput::error(localised(QStringLiteral("没有挂单数据")));
        return;
    }
    bool held = false;
    orders().orderPack()->saveGuaDan([&held](bool saved) { held = saved; });
    if (held)
        orders().genNewPack();
}

void ConsoleSession::held(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "held"))
        return;
    qsizetype position = 0;
    for (const Guadan &guadan : heldOrders()) {
        QStringList row{QString::number(++position),
                        guadan.createDate.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
        // What the held-order list shows of the order: its lines and their total.
        if (const std::shared_ptr<OrderPack> pack = OrderPack::setupWithGuaDan(guadan)) {
            float total = 0;
            for (const Line &line : std::as_const(pack->ordersInPack))
                total += line->getSinglePrice();
            row << QString::number(pack->ordersInPack.size()) << QString::asprintf("%.1f", double(total));
        } else {
            row << localised(QStringLiteral("操作失败"));
        }
        ConsoleOutput::row(row);
    }
}

void ConsoleSession::restore(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "restore N"))
        return;
    if (!orders().arrOrders().isEmpty()) {
        ConsoleOutput::error(QStringLiteral("the current order has lines: hold or send it first"));
        return;
    }
    const QList<Guadan> stored = heldOrders();
    bool ok = false;
    const qsizetype position = args.first().toLongLong(&ok);
    if (!ok || position < 1 || position > stored.size()) {
        ConsoleOutput::error(localised(QStringLiteral("请选择挂单")));
        return;
    }
    const Guadan &chosen = stored.at(position - 1);
    const std::shared_ptr<OrderPack> pack = OrderPack::setupWithGuaDan(chosen);
    if (!pack) {
        ConsoleOutput::notice(localised(QStringLiteral("操作失败")));
        return;
    }
    if (!orders().genPackFromGuaDan(*pack, chosen.gid) && !orders().isLocked())
        ConsoleOutput::error(localised(QStringLiteral("恢复挂单失败")));
    orderListChanged();
}

// The order list's clear button, after its confirmation: the order goes, also one whose send is
// waiting for its answer.
void ConsoleSession::clear(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "clear"))
        return;
    orders().deleteAllFoodOrders();
    orders().genNewPack();
    orderListChanged();
}
