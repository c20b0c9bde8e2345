// Thumbnails for the menu grid: 100 dishes made at 341 x 304 points by PhotoManager (index lookup,
// existence check, scaling, JPEG at quality 50, atomic write) against QImage alone loading,
// scaling and saving the same pictures the same way. Goal: no worse than 1.5 times QImage alone.

#include "foundation/AppPaths.h"
#include "media/PhotoManager.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {
constexpr int kDishes = 100;

struct Fixture {
    QTemporaryDir home;
    QStringList foodnos;  // the first 100 dishes of the shipped demo data
    QStringList pictures; // their pictures
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The terminal's own setting: no package installed, so the shipped demo data is the data folder.
bool prepare()
{
    Fixture &f = fixture();
    AppPaths::setResourcesDir(QStringLiteral(DIANCAI_RESOURCE_DIR));
    AppPaths::setHome(f.home.path());
    SettingsStore::setShared(
        std::make_shared<IniSettingsStore>(f.home.filePath(QStringLiteral("settings.ini"))));
    const QString folder = ConfigManager::defaultManager().getBigPicPath();
    QStringList names = QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    if (names.size() < kDishes)
        return false;
    for (const QString &name : names.first(kDishes)) {
        f.foodnos.append(name.chopped(4));
        f.pictures.append(folder + u'/' + name);
    }
    return true;
}

void BM_PhotoManagerThumbnails(benchmark::State &state)
{
    PhotoManager photos;
    photos.setup();
    const QSize pixels(341, 304);
    for (auto _ : state) {
        state.PauseTiming();
        photos.deleteSmallFolder();
        state.ResumeTiming();
        for (const QString &foodno : fixture().foodnos)
            benchmark::DoNotOptimize(photos.getSmallImagePathByFoodno(foodno));
    }
    // The timed loop is over here.
    const QString last = photos.smallImageFolder() + u'/' + fixture().foodnos.last() + QStringLiteral(".jpg");
    if (QImage(last).size() != pixels)
        state.SkipWithError("no thumbnail was made");
    photos.deleteSmallFolder();
}
BENCHMARK(BM_PhotoManagerThumbnails)->Unit(benchmark::kMillisecond);

void saveWithQImageAlone(qsizetype dish, const QString &folder)
{
    const QImage picture(fixture().pictures.at(dish));
    picture.scaled(341, 304, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .save(folder + u'/' + fixture().foodnos.at(dish) + QStringLiteral(".jpg"), "JPG", 50);
}

void BM_QImageAlone(benchmark::State &state)
{
    const QString out = fixture().home.filePath(QStringLiteral("plain"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        state.ResumeTiming();
        for (qsizetype i = 0; i < fixture().pictures.size(); ++i)
            saveWithQImageAlone(i, out);
    }
}
BENCHMARK(BM_QImageAlone)->Unit(benchmark::kMillisecond);

// Both ways dish by dish, taking turns which goes first, so that both meet the same load from
// whatever else the machine runs; the counters give each one's time per 100 dishes and the ratio.
void BM_SideBySide(benchmark::State &state)
{
    PhotoManager photos;
    photos.setup();
    const QString out = fixture().home.filePath(QStringLiteral("side"));
    qint64 photoNs = 0, plainNs = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        photos.deleteSmallFolder();
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        state.ResumeTiming();
        for (qsizetype i = 0; i < fixture().foodnos.size(); ++i) {
            for (int turn = 0; turn < 2; ++turn) {
                timer.start();
                if ((turn + i) % 2 == 0) {
                    benchmark::DoNotOptimize(photos.getSmallImagePathByFoodno(fixture().foodnos.at(i)));
                    photoNs += timer.nsecsElapsed();
                } else {
                    saveWithQImageAlone(i, out);
                    plainNs += timer.nsecsElapsed();
                }
            }
        }
    }
    photos.deleteSmallFolder();
    state.counters["PhotoManager_ms"] =
        benchmark::Counter(double(photoNs) / 1e6, benchmark::Counter::kAvgIterations);
    state.counters["QImage_ms"] =
        benchmark::Counter(double(plainNs) / 1e6, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = plainNs > 0 ? double(photoNs) / double(plainNs) : 0;
}
BENCHMARK(BM_SideBySide)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    QCoreApplication app(argc, argv);
    if (!prepare()) {
        std::fprintf(
            stderr,
            "bench_thumbnails: fewer than %d dish pictures in the demo data; build diancai_resources\n",
            kDishes);
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
