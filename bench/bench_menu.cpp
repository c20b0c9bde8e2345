// The menu on a 10,000-dish catalogue in the real window on the software renderer:
// - building the menu: the catalogue read alone, the read with computeCollectionData, and the whole
//   way from the push of the menu screen to its first frame (goals: 150 ms, and 3x the read alone);
// - flicking 50 pages: the GUI thread's work per frame (goal: 99th percentile under 16 ms);
// - "+" on a card while a page of thumbnails not made yet is waiting: the time until the badge and
//   the count show it (goal: 50 ms);
// - the detail screen stepped through 1,000 dishes: resident memory growth (goal: 50 MB).
//
// Usage: bench_menu [DISHES]    (default 10000)
#include "FrameWork.h"
#include "OffscreenRun.h"
#include "app/StartupSequence.h"
#include "media/SoundManager.h"
#include "storage/DBManager.h"
#include "storage/MenuCatalogue.h"
#include "ui/menu/MainViewController.h"
#include "ui/menu/MenuDetailViewController.h"
#include "ui/shell/Navigator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QtQml/QQmlExtensionPlugin>

#include <algorithm>

Q_IMPORT_QML_PLUGIN(Diancai_UiPlugin)

namespace {
double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toDouble() * 4096 / (1024.0 * 1024.0);
}

QQuickItem *findItem(QQuickItem *root, const QString &name)
{
    if (!root || root->objectName() == name)
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

template <typename T> T *controllerOf(QQuickItem *screen)
{
    return screen ? qobject_cast<T *>(screen->property("controller").value<QObject *>()) : nullptr;
}

double percentile(QList<double> values, double share)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[qsizetype((values.size() - 1) * share)];
}
} // namespace

int main(int argc, char *argv[])
{
    prepareOffscreenRun();
    TimedApplication app(argc, argv);
    const int dishes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTextStream out(stdout);

    QTemporaryDir home;
    QProcess generator;
    generator.start(QStringLiteral(DIANCAI_DEMODATA),
                    {QStringLiteral("--out"), home.filePath(QStringLiteral("scale")),
                     QStringLiteral("--dishes"), QString::number(dishes)});
    if (!generator.waitForFinished(600000) || generator.exitCode() != 0) {
        out << "diancai-demodata failed\n";
        return 1;
    }
    {
        QSettings settings(home.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("kIp"), QStringLiteral("127.0.0.1"));
        settings.setValue(QStringLiteral("kPort"), QStringLiteral("1"));
        settings.setValue(QStringLiteral("kZipFileName"), QStringLiteral("scale.zip"));
    }
    StartupSequence::setApplicationNames();
    StartupSequence::prepareServices({app.arguments().constFirst(), QStringLiteral("--home"), home.path()});
    std::unique_ptr<QQmlApplicationEngine> engine = StartupSequence::showMainWindow();
    if (!engine)
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
    QTest::qWait(2500); // the welcome picture's fade

    // The catalogue read alone, and with the pages cut, best of 5.
    QList<double> reads;
    QList<double> cuts;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        DBManager &db = DBManager::defaultManager();
        db.getFoodCatInfo([](const QList<FoodBigCatInfo> &, const DBManager::SmallCatMap &) {});
        db.getAllFoodInfo([](const QList<Food> &) {}, false);
        reads << timer.nsecsElapsed() / 1e6;
        timer.restart();
        const MenuCatalogue menu = readMenuCatalogue();
        cuts << timer.nsecsElapsed() / 1e6;
    }

    // The push of the menu screen to its first frame.
    app.startClock();
    bool swapped = false;
    QList<double> frames;
    bool recording = false;
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [&] {
            swapped = true;
            const double ms = app.takeFrameMs();
            if (recording)
                frames << ms;
        },
        Qt::DirectConnection);
    QElapsedTimer build;
    build.start();
    swapped = false;
    Navigator::instance().push(QStringLiteral("MenuScreen"));
    if (!QTest::qWaitFor(
            [&] { return swapped && findItem(window->contentItem(), QStringLiteral("dishCard_0")); }, 10000))
        return 1;
    const double buildMs = build.nsecsElapsed() / 1e6;
    QTest::qWait(600); // the push transition
    QQuickItem *screen = findItem(window->contentItem(), QStringLiteral("menuScreen"));
    auto *menu = controllerOf<MainViewController>(screen);
    QQuickItem *grid = findItem(window->contentItem(), QStringLiteral("menuGrid"));
    if (!menu || !grid)
        return 1;

    // 50 flicks, one page each.
    recording = true;
    const auto flick = [&] {
        QMetaObject::invokeMethod(grid, "flick", Q_ARG(qreal, -1500), Q_ARG(qreal, 0));
        return QTest::qWaitFor([&] { return !grid->property("moving").toBool(); }, 3000);
    };
    for (int page = 0; page < 50; ++page) {
        if (!flick())
            return 1;
    }
    recording = false;
    const int flicked = menu->currentPage();

    // "+" on the first card of a page just shown, whose thumbnails are being made.
    if (!flick())
        return 1;
    const int page = menu->currentPage();
    DishCardModel *cards = menu->pages()->cards(page);
    QElapsedTimer badge;
    badge.start();
    menu->addFood(page, 0);
    const bool shown = QTest::qWaitFor(
        [&] {
            return cards->data(cards->index(0), DishCardModel::AmountVisibleRole).toBool() &&
                   menu->orderNumText() == QStringLiteral("1");
        },
        5000);
    const double badgeMs = badge.nsecsElapsed() / 1e6;

    // The detail screen through 1,000 dishes.
    menu->openDetail(page, 0);
    QTest::qWait(600);
    auto *detail = controllerOf<MenuDetailViewController>(
        findItem(window->contentItem(), QStringLiteral("menuDetailScreen")));
    if (!detail)
        return 1;
    const double before = residentMb();
    for (int i = 0; i < 1000; ++i) {
        detail->nextFood();
        QTest::qWait(i % 50 == 0 ? 300 : 5);
    }
    QTest::qWait(500);
    const double after = residentMb();

    engine.reset();
    SoundManager::resetDefaultManager();

    out << Qt::fixed;
    out.setRealNumberPrecision(2);
    out << dishes << " dishes, " << menu->menu().pageCount() << " pages\n";
    out << "catalogue read: best " << percentile(reads, 0) << " ms; read and cut: best "
        << percentile(cuts, 0) << " ms\n";
    out << "menu push to first frame: " << buildMs << " ms (goal 150 ms and 3x the read)\n";
    out << "flicked to page " << flicked + 1 << ", " << frames.size() << " frames: median "
        << percentile(frames, 0.5) << " ms, 99th " << percentile(frames, 0.99) << " ms, max "
        << percentile(frames, 1) << " ms (goal 99th under 16 ms)\n";
    out << "\"+\" to badge and count: "
        << (shown ? QString::number(badgeMs, 'f', 2) : QStringLiteral("never")) << " ms (goal 50 ms)\n";
    out << "detail screen, 1000 dishes: " << before << " MB -> " << after << " MB, growth " << after - before
        << " MB (goal 50 MB)\n";
    return 0;
}
