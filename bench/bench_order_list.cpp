// The order list with 500 lines, in an offscreen window on the software renderer:
// - the screen's first frame: building the view with its rows and rendering it (goal: 50 ms);
// - one quantity step on a row: the change, the rows' refresh and the rendered frame (goal: 16 ms
//   of GUI-thread work; the totals are computed on the task thread and only set here);
// - "下单" until the server check has left: the checks, the send text of 500 lines and the request
//   handed to the queue (goal: 10 ms).
#include "SilentNotices.h"
#include "UiTestSupport.h"

#include "order/OrderManager.h"
#include "order/TaskManager.h"
#include "server/NetworkChecker.h"
#include "settings/ConfigManager.h"
#include "settings/LoginState.h"
#include "ui/order/OrderListViewController.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {
constexpr int kLines = 500;

// Counts the progress indicators still up, so that a send's end can be waited for.
class CountingNotices : public SilentNotices {
public:
    int progress = 0;
    void showProgress(const QString &) override { ++progress; }
    void hideProgress() override { --progress; }
};

std::shared_ptr<CountingNotices> notices = std::make_shared<CountingNotices>();

void fillOrder()
{
    OrderManager &orders = OrderManager::defaultManager();
    orders.setSoundPlayer({});
    orders.deleteAllFoodOrders();
    orders.genNewPack();
    for (int i = 0; i < kLines; ++i) {
        Food dish;
        dish.info->foodno = QString::asprintf("%05d", i);
        dish.info->FoodType = QStringLiteral("D");
        dish.info->foodName = QStringLiteral("菜品") + QString::number(i);
        dish.info->salePrice1 = float(10 + i % 7);
        dish.info->currpriceFlag = QStringLiteral("N");
        dish.info->TempFoodFlag = QStringLiteral("N");
        dish.scatName = QStringLiteral("热菜");
        orders.addFood(dish);
    }
    orders.changePack([](OrderPack &pack) {
        pack.DeskNo = QStringLiteral("A01");
        pack.CustCount = QStringLiteral("4");
    });
    TaskManager::defaultManager().waitForDone();
}

struct Screen {
    std::unique_ptr<QQmlEngine> engine = UiTest::makeEngine();
    std::unique_ptr<QQuickWindow> window = UiTest::makeWindow();
    QQuickItem *item = nullptr;

    OrderListViewController *controller() const
    {
        return qobject_cast<OrderListViewController *>(item->property("controller").value<QObject *>());
    }
};

void BM_FirstFrame(benchmark::State &state)
{
    fillOrder();
    Screen screen;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        screen.item =
            UiTest::createItem(*screen.engine, *screen.window, QStringLiteral("OrderListScreen.qml"));
        const QImage frame = screen.window->grabWindow();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!screen.item || frame.isNull()) {
            state.SkipWithError("the screen was not built");
            break;
        }
        delete screen.item;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_FirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_QuantityStepFrame(benchmark::State &state)
{
    fillOrder();
    Screen screen;
    screen.item = UiTest::createItem(*screen.engine, *screen.window, QStringLiteral("OrderListScreen.qml"));
    OrderListViewController *list = screen.item ? screen.controller() : nullptr;
    if (!list) {
        state.SkipWithError("the screen was not built");
        return;
    }
    screen.window->grabWindow();
    int step = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        ++step % 2 ? list->add(3) : list->del(3);
        const QImage frame = screen.window->grabWindow();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        benchmark::DoNotOptimize(frame.width());
        // The pack task's figures arrive between frames, outside the timed work.
        TaskManager::defaultManager().waitForDone();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_QuantityStepFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SendUntilTheCheckLeaves(benchmark::State &state)
{
    fillOrder();
    // Nothing listens on port 1: the check fails at once, between the timed sends.
    NetworkChecker::sharedInstance().check();
    if (!NetworkChecker::sharedInstance().canConnect()) {
        state.SkipWithError("no route to the loopback address");
        return;
    }
    OrderListViewController list;
    list.viewDidLoad();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        list.sendFlow()->start();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (notices->progress != 1) {
            state.SkipWithError("the send did not start");
            break;
        }
        if (!QTest::qWaitFor([] { return notices->progress == 0; }, 5000)) {
            state.SkipWithError("the send did not end");
            break;
        }
    }
}
BENCHMARK(BM_SendUntilTheCheckLeaves)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char *argv[])
{
    UiTest::prepareProcess();
    QGuiApplication app(argc, argv);
    UiTest::prepareApplication();
    UserNotice::setSink(notices);
    LoginState::setLoggedIn(QStringLiteral("001"), QStringLiteral("王喆"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    UiTest::releaseSound();
    return 0;
}
