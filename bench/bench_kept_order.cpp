// Keeping an order of 500 lines through a crash: the main thread's share of one change (goal: at
// most 2 ms), the time from a change until it is on disk (goal: within 100 ms), and adopting the
// kept order at start-up.

#include "BenchOrder.h"

#include "order/OrderKeeper.h"
#include "order/OrderSnapshot.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {
using Line = OrderManager::Line;
using namespace BenchOrder;

// A home of its own with a kept order of 500 lines.
struct Environment {
    Home home;
    OrderManager orders;

    Environment()
    {
        orders.adoptKeptOrder(std::make_shared<OrderKeeper>(DBManager::mainDBPath()));
        orders.genNewPack();
        fillOrder(orders);
        orders.waitUntilKept();
    }
};

Environment &environment()
{
    static Environment env;
    return env;
}

// What a quantity change costs the main thread: the change, the copy of 500 lines and handing it to
// the writer, which writes in the background meanwhile (changes that come faster are merged).
void BM_ChangeOf500LinesOnTheMainThread(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    const Line line = orders.arrOrders().first();
    float qty = 1;
    for (auto _ : state)
        orders.setOrderQty(line, qty = qty == 1 ? 2 : 1);
    orders.waitUntilKept();
}
BENCHMARK(BM_ChangeOf500LinesOnTheMainThread)->Unit(benchmark::kMicrosecond);

// The largest change from the menu: a set meal of four components joins a 500-line order, each of
// its five lines handed over as it comes in. It is taken out again untimed.
void BM_SetMealInto500LinesOnTheMainThread(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    const Food meal = setMeal(QStringLiteral("T99"));
    for (auto _ : state) {
        orders.addFood(meal);
        state.PauseTiming();
        orders.deleteFoodOrder(orders.arrOrders().at(500));
        orders.waitUntilKept();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SetMealInto500LinesOnTheMainThread)->Unit(benchmark::kMicrosecond);

// From a quantity change until the kept order is on disk (WAL, synchronous FULL): the text of 500
// lines, one transaction and its fsync.
void BM_ChangeOf500LinesUntilOnDisk(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    const Line line = orders.arrOrders().first();
    float qty = 1;
    for (auto _ : state) {
        orders.setOrderQty(line, qty = qty == 1 ? 2 : 1);
        orders.waitUntilKept();
    }
}
BENCHMARK(BM_ChangeOf500LinesUntilOnDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

// The writer's share without the disk: the text form of 500 lines.
void BM_TextOf500Lines(benchmark::State &state)
{
    OrderManager &orders = environment().orders;
    orders.waitUntilKept();
    std::optional<OrderSnapshot> kept;
    OrderKeeper(DBManager::mainDBPath()).load(kept);
    for (auto _ : state)
        benchmark::DoNotOptimize(kept->toRow());
}
BENCHMARK(BM_TextOf500Lines)->Unit(benchmark::kMillisecond);

// A start on a home whose last run left 500 lines unsent: reading, checking and adopting them
// (the keeper's writer thread started and stopped included).
void BM_AdoptKept500Lines(benchmark::State &state)
{
    environment().orders.waitUntilKept();
    for (auto _ : state) {
        OrderManager started;
        started.adoptKeptOrder(std::make_shared<OrderKeeper>(DBManager::mainDBPath()));
        if (started.arrOrders().size() != 500)
            state.SkipWithError("the kept order was not adopted");
    }
}
BENCHMARK(BM_AdoptKept500Lines)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
