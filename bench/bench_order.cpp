// The order manager with 500 lines: adding one more dish, the pack task, the send detail, and
// restoring a held order of 500 lines (goals: 1 ms, 1 ms, 5 ms and 20 ms).

#include "BenchOrder.h"

#include "order/OrderSender.h"
#include "order/OrderTasks.h"
#include "order/TaskManager.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
using Line = OrderManager::Line;
using namespace BenchOrder;

// A process of its own: a home, settings, and the order manager registered as the pack's source.
struct Environment {
    Home home;
    OrderManager orders;

    Environment()
    {
        OrderPack::setLinesSource(&orders);
        orders.genNewPack();
        fillOrder(orders);
    }
};

Environment &environment()
{
    static Environment env;
    return env;
}

// Staging a new dish (asking the base data for bound tastes), scanning 500 lines for an equal one
// and appending; no tasks are queued. The line is taken out again untimed.
void BM_AddOneDishTo500Lines(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    const Food extra = menuFood(QStringLiteral("00001"), QStringLiteral("D"), 12);
    for (auto _ : state) {
        orders.addFood(extra);
        state.PauseTiming();
        orders.deleteFoodOrder(orders.arrOrders().last());
        state.ResumeTiming();
    }
    state.counters["lines"] = double(orders.arrOrders().size());
}
BENCHMARK(BM_AddOneDishTo500Lines)->Unit(benchmark::kMicrosecond);

// The part of adding that does not depend on the order: asking the base data for bound tastes.
void BM_BoundTasteQuery(benchmark::State &state)
{
    environment();
    for (auto _ : state) {
        DBManager::defaultManager().isFoodHasBindingTasteInfoByStyle(
            QStringLiteral("P"), QStringLiteral("00001"),
            [](bool bound) { benchmark::DoNotOptimize(bound); });
    }
}
BENCHMARK(BM_BoundTasteQuery)->Unit(benchmark::kMicrosecond);

// The same dish again: it merges into the last line after scanning the other 499.
void BM_MergeIntoTheLastOf500Lines(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    const Food extra = menuFood(QStringLiteral("00001"), QStringLiteral("D"), 12);
    orders.addFood(extra);
    for (auto _ : state)
        orders.addFood(extra);
    orders.deleteFoodOrder(orders.arrOrders().last());
}
BENCHMARK(BM_MergeIntoTheLastOf500Lines)->Unit(benchmark::kMicrosecond);

// What the worker does for one pack task: the count and the total, posted as a notification.
void BM_PackTask500Lines(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    for (auto _ : state) {
        OrderPackTask task(orders);
        task.run();
    }
}
BENCHMARK(BM_PackTask500Lines)->Unit(benchmark::kMicrosecond);

// The same through the queue: handing the task to the worker and waiting for it to finish.
void BM_PackTaskThroughTheQueue500Lines(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    TaskManager tasks(&orders);
    for (auto _ : state) {
        tasks.runOrderPackTask();
        tasks.waitForDone();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_PackTaskThroughTheQueue500Lines)->Unit(benchmark::kMicrosecond);

void BM_SendData500Lines(benchmark::State &state)
{
    OrderSender sender(environment().orders);
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = sender.sendText().size();
    state.counters["chars"] = double(bytes);
}
BENCHMARK(BM_SendData500Lines)->Unit(benchmark::kMicrosecond);

// Reading the held-order text back (libxml2) and making it the current order, set meals relinked.
void BM_Restore500LineHeldOrder(benchmark::State &state)
{
    Environment &env = environment();
    Guadan held;
    held.content = env.orders.orderPack()->toGuadanString();
    OrderManager restoredInto;
    for (auto _ : state) {
        const std::shared_ptr<OrderPack> pack = OrderPack::setupWithGuaDan(held);
        restoredInto.genPackFromGuaDan(*pack);
    }
    state.counters["lines"] = double(restoredInto.arrOrders().size());
}
BENCHMARK(BM_Restore500LineHeldOrder)->Unit(benchmark::kMillisecond);

// As the held-order list does it: read the held orders, rebuild the chosen one, delete it from the
// store and adopt it (the order is stored again, untimed, for the next round).
void BM_Restore500LineHeldOrderFromTheStore(benchmark::State &state)
{
    Environment &env = environment();
    const QString content = env.orders.orderPack()->toGuadanString();
    DBManager &store = DBManager::mainDBManager();
    OrderManager restoredInto;
    for (auto _ : state) {
        state.PauseTiming();
        store.saveOrderPack(content, [](bool) {});
        state.ResumeTiming();
        QList<Guadan> held;
        store.getOrderPacks([&held](const QList<Guadan> &orders) { held = orders; });
        const std::shared_ptr<OrderPack> pack = OrderPack::setupWithGuaDan(held.first());
        store.deleteGuadanById(held.first().gid, [](bool) {});
        restoredInto.genPackFromGuaDan(*pack);
    }
    state.counters["lines"] = double(restoredInto.arrOrders().size());
}
BENCHMARK(BM_Restore500LineHeldOrderFromTheStore)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    environment();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
