// A long session on the real window, offscreen on the software renderer, against an in-process
// development server with the demo catalogue: seeded-random rounds of the menu (strips, page swipes,
// the detail screen with its swipes, "+"), the order list, the gallery and the staff screen's table
// board, all by mouse events at items' centres. Prints the resident memory every 500 taps, at
// 1,000 and at the end, and the growth after the first 1,000 taps.
// Usage: bench_soak_window [TAPS=5000] [SEED=1]
#include "DevServerHarness.h"
#include "UiTestSupport.h"

#include "app/StartupSequence.h"
#include "foundation/AppPaths.h"
#include "order/OrderManager.h"
#include "server/MakerServiceAddress.h"
#include "settings/ConfigManager.h"
#include "settings/LoginState.h"
#include "ui/shell/Navigator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QTest>
#include <QTextStream>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kSettleMs = 15000;
constexpr int kReportEvery = 500;
constexpr int kBaselineTaps = 1000;
// The order is emptied past this many dishes: the session measures caches, not a growing order.
constexpr int kMaxOrderedDishes = 40;

double residentMb()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

class Session {
public:
    Session(int taps, quint32 seed) : target_(taps), random_(seed) {}

    bool start(DevServerHarness &server)
    {
        qputenv(MakerServiceAddress::kEnvironmentVariable, UiTest::kClosedAddress);
        ConfigManager::defaultManager().setPort(QString::number(server.port()));
        StartupSequence::setApplicationNames();
        StartupSequence::prepareServices({u"bench_soak_window"_s, u"--home"_s, AppPaths::home()});
        engine_ = StartupSequence::showMainWindow();
        window_ = engine_ ? qobject_cast<QQuickWindow *>(engine_->rootObjects().constFirst()) : nullptr;
        if (!window_ || !QTest::qWaitForWindowExposed(window_))
            return false;
        // The layers load after the home screen's first frame; the welcome picture covers it for 2 s.
        return QTest::qWaitFor(
            [this] {
                QQuickItem *layers = find(u"windowLayers"_s);
                QQuickItem *welcome = find(u"welcomePicture"_s);
                return layers && layers->property("status").toInt() == 1 && find(u"screenStack"_s) &&
                       (!welcome || !welcome->property("active").toBool());
            },
            kSettleMs);
    }

    void run()
    {
        clock_.start();
        report();
        while (taps_ < target_) {
            const int round = random_.bounded(10);
            if (round < 6)
                menuRound();
            else if (round < 8)
                galleryRound();
            else
                staffRound();
            home();
        }
        std::printf("taps %d (of them swipes %d): after the first %d taps %.1f MB, at the end %.1f MB, "
                    "growth %.1f MB\n",
                    taps_, swipes_, kBaselineTaps, baselineMb_, residentMb(), residentMb() - baselineMb_);
    }

    void stop() { engine_.reset(); }

private:
    int target_;
    QRandomGenerator random_;
    std::unique_ptr<QQmlApplicationEngine> engine_;
    QQuickWindow *window_ = nullptr;
    int taps_ = 0;
    int swipes_ = 0;
    int reportedAt_ = -1;
    double baselineMb_ = 0;
    QElapsedTimer clock_;

    bool done() const { return taps_ >= target_; }
    QQuickItem *find(const QString &name) { return UiTest::findItem(window_->contentItem(), name); }

    // The last visible item of that name whose centre is on the window: the one a finger can reach.
    QQuickItem *shown(const QString &name, QQuickItem *scope = nullptr)
    {
        const QList<QQuickItem *> all = UiTest::findItems(scope ? scope : window_->contentItem(), name);
        for (auto it = all.crbegin(); it != all.crend(); ++it) {
            if (reachable(*it))
                return *it;
        }
        return nullptr;
    }
    // The visible items named prefix + 0, 1, ... (up to the first missing one).
    QList<QQuickItem *> numbered(const QString &prefix, QQuickItem *scope)
    {
        QList<QQuickItem *> found;
        for (int i = 0; QQuickItem *item = shown(prefix + QString::number(i), scope); ++i)
            found << item;
        return found;
    }
    // One of the items a finger can reach (visible, its centre on the window), chosen at random.
    QQuickItem *pick(QList<QQuickItem *> items)
    {
        items.removeIf([](QQuickItem *item) { return !reachable(item); });
        return items.isEmpty() ? nullptr : items.at(random_.bounded(int(items.size())));
    }
    static bool reachable(QQuickItem *item)
    {
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        return item->isVisible() && item->width() > 0 && QRectF(0, 0, 1024, 768).contains(centre);
    }
    // Waits for `ready`; a wait that runs out is told, since it stretches the session.
    template <typename Ready> bool waitFor(const char *what, Ready ready)
    {
        if (QTest::qWaitFor(ready, kSettleMs))
            return true;
        std::fprintf(stderr, "waited in vain at tap %d: %s\n", taps_, what);
        return false;
    }

    bool stackIdle()
    {
        QQuickItem *stack = find(u"screenStack"_s);
        return stack && !stack->property("busy").toBool();
    }
    void settle()
    {
        QTest::qWait(15);
        waitFor("screen stack", [this] { return stackIdle(); });
        // Dialogs (size chooser, set meal, login) are not what this session measures: away with them.
        if (!UiTest::openPopups().isEmpty()) {
            QTest::qWait(50);
            if (!UiTest::closePopups())
                std::fprintf(stderr, "a dialog stayed at tap %d\n", taps_);
        }
        if (OrderManager::defaultManager().arrOrders().size() > kMaxOrderedDishes)
            OrderManager::defaultManager().deleteAllFoodOrders();
    }
    void counted(bool swipe)
    {
        ++taps_;
        swipes_ += swipe;
        if (taps_ % kReportEvery == 0 || taps_ == target_)
            report();
    }
    void report()
    {
        if (reportedAt_ == taps_)
            return;
        reportedAt_ = taps_;
        const double mb = residentMb();
        if (taps_ == kBaselineTaps)
            baselineMb_ = mb;
        std::printf("taps %5d  VmRSS %7.1f MB  (%.0f s)\n", taps_, mb, clock_.elapsed() / 1000.0);
        std::fflush(stdout);
    }

    bool tap(QQuickItem *item)
    {
        if (!item || done())
            return false;
        const QPointF point = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, point.toPoint());
        counted(false);
        settle();
        return true;
    }
    bool tap(const QString &name) { return tap(shown(name)); }
    bool swipe(QQuickItem *item, int dx)
    {
        if (!item || done())
            return false;
        const QPoint start = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
        QTest::mousePress(window_, Qt::LeftButton, {}, start);
        for (int step = 1; step <= 6; ++step)
            QTest::mouseMove(window_, start + QPoint(dx * step / 6, 0), 8);
        QTest::mouseRelease(window_, Qt::LeftButton, {}, start + QPoint(dx, 0), 8);
        counted(true);
        QTest::qWait(150); // most of the page's snap into place
        settle();
        return true;
    }
    bool opened(const QString &screen)
    {
        return waitFor(qPrintable(screen), [&] { return shown(screen) && stackIdle(); });
    }

    void home()
    {
        for (int tries = 0; Navigator::instance().depth() > 1 && tries < 4; ++tries) {
            if (!tap(u"backButton"_s) && !tap(u"staffEntry_6"_s))
                break;
        }
    }

    void menuRound()
    {
        if (!tap(u"orderEntrance"_s) || !opened(u"menuScreen"_s))
            return;
        for (int steps = 10 + random_.bounded(20); steps > 0 && !done(); --steps) {
            QQuickItem *page = shown(u"menuGrid"_s);
            switch (random_.bounded(8)) {
            case 0:
                tap(pick(numbered(u"category_"_s, shown(u"bigCategoryStrip"_s))));
                break;
            case 1:
                tap(pick(numbered(u"category_"_s, shown(u"smallCategoryStrip"_s))));
                break;
            case 2:
            case 3:
                swipe(page, random_.bounded(3) == 0 ? 500 : -500);
                break;
            case 4:
                tap(pick(UiTest::findItems(page, u"addButton"_s)));
                break;
            case 5:
                orderList();
                break;
            default:
                detail(page);
            }
        }
        tap(u"backButton"_s);
    }

    void detail(QQuickItem *page)
    {
        if (!tap(pick(UiTest::findItems(page, u"dishPicture"_s))) || !opened(u"menuDetailScreen"_s))
            return;
        for (int steps = 1 + random_.bounded(8); steps > 0; --steps)
            swipe(shown(u"menuDetailScreen"_s), random_.bounded(4) == 0 ? 400 : -400);
        if (random_.bounded(2))
            tap(u"detailAdd"_s);
        tap(u"backButton"_s);
    }

    void orderList()
    {
        if (!tap(u"orderListButton"_s) || !opened(u"orderListScreen"_s))
            return;
        QTest::qWait(100);
        tap(u"backButton"_s);
    }

    void galleryRound()
    {
        if (!tap(u"galleryEntrance"_s) || !opened(u"galleryScreen"_s))
            return;
        for (int steps = 3 + random_.bounded(12); steps > 0; --steps)
            swipe(shown(u"galleryPages"_s), random_.bounded(3) == 0 ? 500 : -500);
        tap(u"backButton"_s);
    }

    void staffRound()
    {
        if (!tap(u"staffEntrance"_s) || !opened(u"staffScreen"_s))
            return;
        tap(u"staffEntry_0"_s);
        if (!waitFor("room board", [this] { return shown(u"roomBoard"_s); }))
            return;
        for (int steps = 5 + random_.bounded(15); steps > 0; --steps) {
            QQuickItem *board = shown(u"roomBoard"_s);
            if (random_.bounded(4) == 0)
                tap(pick(numbered(u"category_"_s, shown(u"roomStrip"_s, board))));
            else
                tap(pick(tables(board)));
        }
        tap(u"staffEntry_6"_s);
    }
    QList<QQuickItem *> tables(QQuickItem *board)
    {
        QList<QQuickItem *> found;
        const std::function<void(QQuickItem *)> walk = [&](QQuickItem *item) {
            if (item->objectName().startsWith(u"table_"_s) && item->isVisible())
                found << item;
            for (QQuickItem *child : item->childItems())
                walk(child);
        };
        if (board)
            walk(board);
        return found;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DIANCAI_RESOURCES"))
        qputenv("DIANCAI_RESOURCES", DIANCAI_RESOURCE_DIR);
    UiTest::prepareProcess();
    QGuiApplication app(argc, argv);
    UiTest::prepareApplication();
    const QStringList arguments = app.arguments();
    bool ok = true;
    const int taps = arguments.size() > 1 ? arguments.at(1).toInt(&ok) : 5000;
    const quint32 seed = arguments.size() > 2 ? arguments.at(2).toUInt() : 1;
    if (!ok || taps <= 0) {
        QTextStream(stderr) << "usage: bench_soak_window [TAPS=5000] [SEED=1]\n";
        return 2;
    }
    int status = 1;
    {
        DevServerHarness server{DevServerHarness::Catalogue::Demo};
        if (!server.start()) {
            QTextStream(stderr) << "development server: " << server.lastError() << '\n';
            return 1;
        }
        // The table board is an operator's screen.
        server.login(u"001"_s, u"123"_s);
        LoginState::setLoggedIn(u"001"_s, u"王喆"_s);
        Session session(taps, seed);
        if (session.start(server)) {
            session.run();
            status = 0;
        } else {
            QTextStream(stderr) << "the window did not come up\n";
        }
        session.stop();
    }
    UiTest::releaseSound();
    return status;
}
