// Writing and restoring a held order of 300 lines (goal: under 20 ms for the pair).

#include "SilentNotices.h"

#include "foundation/AppPaths.h"
#include "order/OrderLinesSource.h"
#include "order/OrderPack.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
using Line = std::shared_ptr<FoodOrder>;

class BenchLines : public OrderLinesSource {
public:
    QList<Line> lines;
    QString guaDanData() override { return join(&FoodOrder::toGuadanString); }
    void deleteAllFoodOrders() override { lines.clear(); }

private:
    QString join(QString (FoodOrder::*form)())
    {
        QString out;
        for (const Line &line : lines)
            out += (*line.*form)();
        return out;
    }
};

TasteInfo taste(int no, const QString &style, float amount)
{
    return TasteInfo{QString::number(no),
                     QStringLiteral("少盐&少油"),
                     QStringLiteral("3"),
                     QStringLiteral("1"),
                     style,
                     amount};
}

Line line(const QString &type, int n)
{
    Line l = FoodOrder::genFoodOrderWithType(type);
    l->foodno = QString::number(1000 + n);
    l->catno = QStringLiteral("c12");
    l->foodName = QStringLiteral("宫保鸡丁 \"特制\" ") + QString::number(n);
    l->foodSubName = QStringLiteral("Kung Pao Chicken");
    l->currpriceFlag = QStringLiteral("N");
    l->TjFlag = QStringLiteral("Y");
    l->TempFoodFlag = QStringLiteral("N");
    l->spellName = QStringLiteral("gbjd");
    l->salePrice1 = 38.5f;
    l->salePrice2 = 36;
    l->unitname = QStringLiteral("份");
    l->itemsize = QStringLiteral("大份");
    l->Remark = QStringLiteral("鸡丁滑嫩，花生香脆，微辣回甜。");
    l->PrintState = QStringLiteral("0");
    l->bcatName = QStringLiteral("热菜");
    l->scatName = QStringLiteral("川菜");
    l->orderQty = 2;
    l->itemSeq = quint64(n);
    return l;
}

// 300 lines: 200 dishes with two tastes each, and 25 set meals of three components each.
QList<Line> heldOrder()
{
    QList<Line> lines;
    int n = 0;
    for (int i = 0; i < 200; ++i) {
        Line dish = line(QStringLiteral("D"), ++n);
        dish->arrTaste = {taste(12, QStringLiteral("A"), 2), taste(15, QStringLiteral("P"), 10)};
        dish->setIsZengSong(i % 10 == 0);
        lines.append(dish);
    }
    for (int i = 0; i < 25; ++i) {
        Line meal = line(QStringLiteral("T"), ++n);
        lines.append(meal);
        for (int c = 0; c < 3; ++c) {
            Line component = line(QStringLiteral("M"), ++n);
            component->suitno = meal->foodno;
            component->suiteIndex = qint64(meal->itemSeq);
            component->OrgFoodNo = component->foodno;
            component->changeAmt = c;
            component->suitFoodQty = 1;
            lines.append(component);
        }
    }
    return lines;
}

struct Fixture {
    QTemporaryDir home;
    BenchLines source;
    std::shared_ptr<OrderPack> pack;

    Fixture()
    {
        AppPaths::setHome(home.path());
        SettingsStore::setShared(
            std::make_shared<IniSettingsStore>(home.filePath(QStringLiteral("settings.ini"))));
        ConfigManager::resetDefaultManager();
        DBManager::resetForTests();
        UserNotice::setSink(std::make_shared<SilentNotices>());
        source.lines = heldOrder();
        OrderPack::setLinesSource(&source);
        pack = OrderPack::genNewPack();
        pack->DeskNo = QStringLiteral("A01");
        pack->CustCount = QStringLiteral("4");
        pack->arrTaste = {taste(40, QStringLiteral("A"), 5)};
    }
    ~Fixture()
    {
        OrderPack::setLinesSource(nullptr);
        DBManager::resetForTests();
    }
};

Guadan held(const QString &content)
{
    Guadan guadan;
    guadan.gid = 1;
    guadan.content = content;
    return guadan;
}

void BM_WriteHeldOrderText(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.pack->toGuadanString());
    state.counters["bytes"] = double(f.pack->toGuadanString().toUtf8().size());
}

void BM_RestoreHeldOrder(benchmark::State &state)
{
    Fixture f;
    const Guadan guadan = held(f.pack->toGuadanString());
    for (auto _ : state) {
        auto restored = OrderPack::setupWithGuaDan(guadan);
        if (!restored || restored->ordersInPack.size() != 300)
            state.SkipWithError("restore failed");
        benchmark::DoNotOptimize(restored);
    }
}

void BM_WriteAndRestoreHeldOrder(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state) {
        auto restored = OrderPack::setupWithGuaDan(held(f.pack->toGuadanString()));
        benchmark::DoNotOptimize(restored);
    }
}

// Holding as the order list does it: the text, the insert into the held-order store (a synced
// SQLite write) and clearing the order. The held order is deleted again outside the timing.
void BM_HoldThroughStore(benchmark::State &state)
{
    Fixture f;
    const QList<Line> order = f.source.lines;
    DBManager &store = DBManager::mainDBManager();
    for (auto _ : state) {
        f.source.lines = order;
        bool saved = false;
        f.pack->saveGuaDan([&saved](bool ok) { saved = ok; });
        state.PauseTiming();
        if (!saved)
            state.SkipWithError("hold failed");
        store.getOrderPacks([&store](const QList<Guadan> &stored) {
            for (const Guadan &guadan : stored)
                store.deleteGuadanById(guadan.gid, {});
        });
        state.ResumeTiming();
    }
}

// Restoring as the held-order list does it: reading the store and rebuilding the newest pack.
void BM_RestoreFromStore(benchmark::State &state)
{
    Fixture f;
    f.pack->saveGuaDan({});
    DBManager &store = DBManager::mainDBManager();
    for (auto _ : state) {
        std::shared_ptr<OrderPack> restored;
        store.getOrderPacks([&restored](const QList<Guadan> &stored) {
            if (!stored.isEmpty())
                restored = OrderPack::setupWithGuaDan(stored.first());
        });
        if (!restored || restored->ordersInPack.size() != 300)
            state.SkipWithError("restore failed");
    }
}
} // namespace

BENCHMARK(BM_WriteHeldOrderText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreHeldOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteAndRestoreHeldOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoldThroughStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RestoreFromStore)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
