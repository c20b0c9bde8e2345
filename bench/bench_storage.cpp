// Base-data reads on a 10,000-dish catalogue: the whole dish list against the sqlite3 shell running
// the same SQL on the same file, and the category tree and cooking methods against their 5 ms goal.

#include "storage/DBManager.h"
#include "storage/FoodRows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
constexpr int kDishes = 10000;
// Statements per shell process, so that its start-up weighs little even before it is subtracted.
constexpr int kShellRepeats = 20;

struct Fixture {
    QTemporaryDir dir;
    QString database;
    QString boundFoodno;
    QString error;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

bool generateFixture()
{
    Fixture &f = fixture();
    QProcess generator;
    generator.start(QStringLiteral(DIANCAI_DEMODATA),
                    {u"--out"_s, f.dir.filePath(u"update"_s), u"--dishes"_s, QString::number(kDishes)});
    if (!generator.waitForFinished(600000) || generator.exitCode() != 0) {
        f.error = u"diancai-demodata failed: "_s + QString::fromLocal8Bit(generator.readAllStandardError());
        return false;
    }
    f.database = f.dir.filePath(u"update/PadBaseData.db"_s);
    // A dish with bound cooking methods, found through the terminal's own reader.
    DBManager db;
    db.setupDBPath(f.database);
    QList<Food> foods;
    db.getAllFoodInfo([&](const QList<Food> &list) { foods = list; }, false);
    if (foods.size() < kDishes - 10) {
        f.error = u"the fixture holds only "_s + QString::number(foods.size()) + u" ordinary dishes"_s;
        return false;
    }
    for (const Food &food : std::as_const(foods)) {
        db.isFoodHasBindingTasteInfoByStyle(u"P"_s, food.info->foodno, [&](bool bound) {
            if (bound && f.boundFoodno.isEmpty())
                f.boundFoodno = food.info->foodno;
        });
        if (!f.boundFoodno.isEmpty())
            break;
    }
    return true;
}

struct ShellRun {
    double wallSeconds = 0;
    // The sum of the shell's own "Run Time: real" figures (millisecond resolution).
    double reportedSeconds = 0;
    bool ok = false;
};

// One sqlite3 process on the fixture, rows printed (list mode) to /dev/null, ~/.sqliterc ignored.
ShellRun runShell(const QString &statement, int repeats)
{
    QByteArray script = ".output /dev/null\n.timer on\n";
    for (int i = 0; i < repeats; ++i)
        script += statement.toUtf8() + ";\n";
    ShellRun run;
    QProcess shell;
    QElapsedTimer clock;
    clock.start();
    shell.start(QStringLiteral(SQLITE3_SHELL), {u"-batch"_s, u"-init"_s, u"/dev/null"_s, fixture().database});
    shell.write(script);
    shell.closeWriteChannel();
    run.ok = shell.waitForFinished(60000) && shell.exitCode() == 0;
    run.wallSeconds = double(clock.nsecsElapsed()) / 1e9;
    static const QRegularExpression realTime(u"Run Time: real ([0-9.]+)"_s);
    const QString output = QString::fromLocal8Bit(shell.readAllStandardOutput());
    for (auto match = realTime.globalMatch(output); match.hasNext();)
        run.reportedSeconds += match.next().captured(1).toDouble();
    return run;
}

void BM_getAllFoodInfo(benchmark::State &state)
{
    DBManager db;
    db.setupDBPath(fixture().database);
    qsizetype rows = 0;
    for (auto _ : state) {
        db.getAllFoodInfo([&](const QList<Food> &foods) { rows = foods.size(); }, false);
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_getAllFoodInfo)->Unit(benchmark::kMillisecond);

// The shell's wall clock for the dish query run kShellRepeats times, minus the wall clock of the same
// process doing as many trivial statements (start-up, opening the file, reading the schema), per
// statement.
void BM_sqlite3Shell_wallClockMinusStartup(benchmark::State &state)
{
    const QString dishQuery = FoodRows::dishListSql(false);
    for (auto _ : state) {
        const ShellRun query = runShell(dishQuery, kShellRepeats);
        const ShellRun baseline = runShell(u"select count(*) from sqlite_master"_s, kShellRepeats);
        if (!query.ok || !baseline.ok) {
            state.SkipWithError("the sqlite3 shell failed");
            break;
        }
        state.SetIterationTime(std::max(0.0, query.wallSeconds - baseline.wallSeconds) / kShellRepeats);
    }
}
BENCHMARK(BM_sqlite3Shell_wallClockMinusStartup)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The shell's own ".timer" figure for the same statement.
void BM_sqlite3Shell_timer(benchmark::State &state)
{
    const QString dishQuery = FoodRows::dishListSql(false);
    for (auto _ : state) {
        const ShellRun query = runShell(dishQuery, kShellRepeats);
        if (!query.ok) {
            state.SkipWithError("the sqlite3 shell failed");
            break;
        }
        state.SetIterationTime(query.reportedSeconds / kShellRepeats);
    }
}
BENCHMARK(BM_sqlite3Shell_timer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_getFoodCatInfo(benchmark::State &state)
{
    DBManager db;
    db.setupDBPath(fixture().database);
    qsizetype categories = 0;
    for (auto _ : state) {
        db.getFoodCatInfo([&](const auto &big, const auto &) { categories = big.size(); });
        benchmark::DoNotOptimize(categories);
    }
    state.counters["bigCategories"] = double(categories);
}
BENCHMARK(BM_getFoodCatInfo)->Unit(benchmark::kMillisecond);

// Style "P" for a dish with bound methods (the pseudo-category is built), or style "B".
void BM_getTasteInfoByStyle(benchmark::State &state)
{
    const bool lineStyle = state.range(0) == 1;
    DBManager db;
    db.setupDBPath(fixture().database);
    qsizetype tastes = 0;
    for (auto _ : state) {
        db.getTasteInfoByStyle(lineStyle ? u"P"_s : u"B"_s, fixture().boundFoodno,
                               [&](const auto &, const auto &all, const auto &) { tastes = all.size(); });
        benchmark::DoNotOptimize(tastes);
    }
    state.counters["tastes"] = double(tastes);
}
BENCHMARK(BM_getTasteInfoByStyle)->Arg(1)->Arg(0)->ArgName("lineStyle")->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    QCoreApplication app(argc, argv);
    if (!generateFixture()) {
        std::fprintf(stderr, "bench_storage: %s\n", qPrintable(fixture().error));
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
