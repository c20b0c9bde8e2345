// Keeping an order of 500 lines through a crash: the main thread's share of one change (goal: at
// most 2 ms), the time from a change until it is on disk (goal: within 100 ms), and adopting the
// kept order at start-up.

#include "SilentNotices.h"

#include "foundation/AppPaths.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "order/OrderSnapshot.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
using Line = OrderManager::Line;

Food menuFood(const QString &foodno, const QString &type, float price)
{
    Food food;
    food.info->foodno = foodno;
    food.info->FoodType = type;
    food.info->foodName = QStringLiteral("宫保鸡丁 ") + foodno;
    food.info->foodSubName = QStringLiteral("Kung Pao Chicken");
    food.info->salePrice1 = price;
    food.info->unitname = QStringLiteral("份");
    food.info->currpriceFlag = QStringLiteral("N");
    food.info->TempFoodFlag = QStringLiteral("N");
    food.bcatName = QStringLiteral("热菜");
    food.scatName = QStringLiteral("川湘风味");
    return food;
}

// 350 dish lines with two tastes each and 30 set meals of four components: 500 lines.
void fillOrder(OrderManager &orders)
{
    const QList<TasteInfo> tastes{
        TasteInfo{
            QStringLiteral("003"), QStringLiteral("中辣"), QStringLiteral("01"), QStringLiteral("0"), {}, 0},
        TasteInfo{QStringLiteral("-999"), QStringLiteral("少油"), {}, {}, QStringLiteral("A"), 2}};
    for (int i = 0; i < 350; ++i) {
        orders.addFood(
            menuFood(QStringLiteral("D") + QString::number(i), QStringLiteral("D"), 20 + float(i % 30)));
        orders.changeLine(orders.arrOrders().last(), [&](FoodOrder &line) { line.arrTaste = tastes; });
    }
    for (int s = 0; s < 30; ++s) {
        const QString suitno = QStringLiteral("T") + QString::number(s);
        Food setMeal = menuFood(suitno, QStringLiteral("T"), 88);
        for (int c = 0; c < 4; ++c) {
            Food component = menuFood(QStringLiteral("M") + QString::number(c), QStringLiteral("M"), 10);
            component.suitno = suitno;
            component.suitFoodQty = 1 + float(c % 2);
            component.OrgFoodNo = component.info->foodno;
            setMeal.arrSuiteFoods.append(component);
        }
        orders.addFood(setMeal);
    }
}

// A home of its own with a kept order of 500 lines.
struct Environment {
    QTemporaryDir home;
    OrderManager orders;

    Environment()
    {
        AppPaths::setHome(home.path());
        SettingsStore::setShared(
            std::make_shared<IniSettingsStore>(home.filePath(QStringLiteral("settings.ini"))));
        ConfigManager::resetDefaultManager();
        DBManager::resetForTests();
        UserNotice::setSink(std::make_shared<SilentNotices>());
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
    Food setMeal = menuFood(QStringLiteral("T99"), QStringLiteral("T"), 88);
    for (int c = 0; c < 4; ++c) {
        Food component = menuFood(QStringLiteral("M") + QString::number(c), QStringLiteral("M"), 10);
        component.suitno = setMeal.info->foodno;
        component.suitFoodQty = 1;
        setMeal.arrSuiteFoods.append(component);
    }
    for (auto _ : state) {
        orders.addFood(setMeal);
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
