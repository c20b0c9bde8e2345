// One key in the dish search screens on a 10,000-dish catalogue: matching, grouping by small
// category and the list model's reset (the GUI-thread work of a key press; the amounts it asks for
// run on the task thread).
#include "DishRowsModel.h"
#include "catalogue/DishSearch.h"

#include <benchmark/benchmark.h>

namespace {
constexpr int kDishes = 10000;
constexpr int kCategories = 60;

const QList<Food> &catalogue()
{
    static const QList<Food> dishes = [] {
        QList<Food> made;
        for (int i = 0; i < kDishes; ++i) {
            Food dish;
            dish.info->foodno = QString::asprintf("%05d", i);
            dish.info->foodName = QStringLiteral("菜品") + QString::number(i);
            dish.info->spellName = QString::asprintf("CP%c%c", 'A' + i % 26, 'A' + i / 26 % 26);
            dish.info->catno = QString::asprintf("%02d", i % kCategories);
            made.append(dish);
        }
        return made;
    }();
    return dishes;
}

const QList<FoodSmallCatInfo> &categories()
{
    static const QList<FoodSmallCatInfo> made = [] {
        QList<FoodSmallCatInfo> list;
        for (int i = 0; i < kCategories; ++i) {
            FoodSmallCatInfo category;
            category.scatno = QString::asprintf("%02d", i);
            category.scatName = QStringLiteral("小类") + QString::number(i);
            list.append(category);
        }
        return list;
    }();
    return made;
}

// The search pop-up: match and reset the flat list.
void BM_SearchKey(benchmark::State &state)
{
    DishRowsModel rows;
    const QString key = state.range(0) ? QStringLiteral("cpa") : QStringLiteral("1");
    for (auto _ : state) {
        rows.reload(DishSearch::filterWithKey(catalogue(), key));
        benchmark::DoNotOptimize(rows.count());
    }
}
BENCHMARK(BM_SearchKey)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The quick-order screen: match, group and reset the sectioned list; an empty key lists all.
void BM_QuickOrderKey(benchmark::State &state)
{
    DishRowsModel rows;
    const QString key = state.range(0) ? QStringLiteral("cpa") : QString();
    for (auto _ : state) {
        rows.reload(
            DishSearch::groupBySmallCategory(categories(), DishSearch::filterWithKey(catalogue(), key)));
        benchmark::DoNotOptimize(rows.count());
    }
}
BENCHMARK(BM_QuickOrderKey)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
