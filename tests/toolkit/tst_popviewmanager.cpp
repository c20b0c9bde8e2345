#include "TestRows.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopPresenter.h"
#include "toolkit/PopRootViewController.h"
#include "toolkit/PopViewManager.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

namespace {
class CountingPopup : public PopRootViewController {
public:
    using PopRootViewController::PopRootViewController;
    int languageRuns = 0;
    int editingEnds = 0;
    QVariantList args;
    QThread *builtOn = nullptr;

    void initLanguage() override { ++languageRuns; }
    void endEditing() override { ++editingEnds; }
};

// Holds every dismissal until the test lets it finish, as a sliding animation would.
class HoldingPresenter : public PopPresenter {
public:
    QList<PopRootViewController *> presented;
    QList<int> presentedPadding;
    std::function<void()> pendingFinish;

    void present(PopRootViewController *popup) override
    {
        presented.append(popup);
        presentedPadding.append(popup->paddingTop());
    }
    void dismiss(PopRootViewController *, std::function<void()> finished) override
    {
        pendingFinish = finished;
    }
};

bool runOnWorker(const std::function<void()> &work)
{
    std::unique_ptr<QThread> worker(QThread::create(work));
    worker->start();
    return worker->wait(5000);
}

using Events = QList<QPair<QString, QObject *>>; // ("front" | "dismiss", object)

using Pop = std::function<bool(PopViewManager &)>;
} // namespace

Q_DECLARE_METATYPE(std::function<bool(PopViewManager &)>)

class TestPopViewManager : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<PopViewManager> manager;
    std::unique_ptr<QObject> observer;
    Events events;
    QList<QPointer<CountingPopup>> built;

    void registerCounting(const QString &name)
    {
        manager->registerFactory(name, [this](const QVariantList &args) {
            auto *popup = new CountingPopup;
            popup->args = args;
            popup->builtOn = QThread::currentThread();
            built.append(popup);
            return popup;
        });
    }
    QPair<QString, QObject *> event(const QString &tag, QObject *object) { return {tag, object}; }

private slots:
    // First, before anything else touches it: the first caller here is a worker.
    void defaultManagerIsOneAndLivesOnMainThread()
    {
        PopViewManager *fromWorker = nullptr;
        QVERIFY(runOnWorker([&] { fromWorker = &PopViewManager::defaultManager(); }));
        QCOMPARE(fromWorker, &PopViewManager::defaultManager());
        QCOMPARE(fromWorker->thread(), QThread::currentThread());
    }

    void init()
    {
        events.clear();
        built.clear();
        // Observing before the manager does, like the screens that open pop-ups: the dismissal
        // then reaches us before the manager's "back to front" that it causes.
        observer = std::make_unique<QObject>();
        for (const QString &name :
             {Notify::PopManagerControllerBackToFront, Notify::PopManagerControllerDismiss})
            NotificationCenter::defaultCenter().addObserver(
                observer.get(), name, [this](const Notification &n) {
                    events.append({n.name == Notify::PopManagerControllerDismiss ? QStringLiteral("dismiss")
                                                                                 : QStringLiteral("front"),
                                   n.object.value<QObject *>()});
                });
        manager = std::make_unique<PopViewManager>();
    }
    void cleanup()
    {
        observer.reset();
        manager.reset();
    }

    void dismissedPopupIsDeletedWithItsObservers()
    {
        auto &center = NotificationCenter::defaultCenter();
        const int languageObservers = center.observerCount(Notify::LanguageChanged);
        QPointer<CountingPopup> popup = new CountingPopup;
        QVERIFY(manager->popController(popup));
        QCOMPARE(center.observerCount(Notify::LanguageChanged), languageObservers + 1);

        center.post(Notify::LanguageChanged);
        center.post(Notify::NumberKeyboardCoseClick);
        QCOMPARE(popup->languageRuns, 1);
        QCOMPARE(popup->editingEnds, 1);

        popup->dismissSelf();
        QVERIFY(popup); // still readable by the other observers of the dismissal
        QTRY_VERIFY(!popup);
        QCOMPARE(center.observerCount(Notify::LanguageChanged), languageObservers);
        QCOMPARE(center.observerCount(Notify::NumberKeyboardCoseClick), 0);
    }

    void dismissOfUnknownPopupChangesNothing()
    {
        auto *onStack = new CountingPopup;
        manager->popController(onStack);
        events.clear();
        QPointer<CountingPopup> stranger = new CountingPopup(this);
        stranger->dismissSelf();
        PostNotificationInMainThread(Notify::PopManagerControllerDismiss,
                                     QVariant::fromValue<QObject *>(nullptr));
        PostNotificationInMainThread(Notify::PopManagerControllerDismiss, QStringLiteral("not a pop-up"));
        QTest::qWait(20);
        QCOMPARE(events,
                 (Events{event("dismiss", stranger), event("dismiss", nullptr), event("dismiss", nullptr)}));
        QCOMPARE(manager->arrControllers(), QList<PopRootViewController *>{onStack});
        QVERIFY(stranger); // not the manager's to delete
        delete stranger;
    }

    void typedOperations_data()
    {
        columns<Pop, QString, QVariantList, int, QVariantMap>("pop", "name", "args", "padding", "extras");

        const auto row = [](const char *name, const QString &popName, int padding, const QVariantMap &extras,
                            const QVariantList &args, const Pop &pop) {
            QTest::newRow(name) << pop << popName << args << padding << extras;
        };
        using M = PopViewManager;
        const QVariant pack = QStringLiteral("order pack");
        const QString search = PopName::SearchViewController, chooser = PopName::TableChooseViewController;
        const QVariantMap reload{{PopProperty::ShouldReloadOrderList, true}};
        row("temporary dish", PopName::TempFoodViewController, 80, {}, {},
            [](M &m) { return m.popTempFoodView(80); });
        row("search, reload", search, 20, reload, {}, [](M &m) { return m.popSearchView(true); });
        row("table chooser with empty request id", chooser, 20, {{PopProperty::RequestId, QString()}}, {pack},
            [pack](M &m) { return m.popTableChooseView(pack, -1, QString()); });
    }
    void typedOperations()
    {
        auto [pop, name, args, padding, extras] =
            row<Pop, QString, QVariantList, int, QVariantMap>("pop", "name", "args", "padding", "extras");

        auto presenter = std::make_shared<HoldingPresenter>();
        manager->setPresenter(presenter);
        registerCounting(name);
        QVERIFY(pop(*manager));
        QVERIFY(built.isEmpty()); // built later, not inside the call
        QTRY_COMPARE(built.size(), 1);
        CountingPopup *popup = built.first();
        QCOMPARE(manager->arrControllers(), QList<PopRootViewController *>{popup});
        QCOMPARE(popup->args, args);
        QCOMPARE(popup->paddingTop(), padding);
        QCOMPARE(presenter->presentedPadding, QList<int>{padding});
        for (auto it = extras.begin(); it != extras.end(); ++it)
            QCOMPARE(popup->property(it.key().toUtf8().constData()), it.value());
        QCOMPARE(events, Events{event("front", popup)});
    }

    void unknownOrFailingFactory()
    {
        QSignalSpy failed(manager.get(), &PopViewManager::popFailed);
        QVERIFY(!manager->pop(QStringLiteral("NoSuchViewController")));
        QVERIFY(!manager->popGuaDanView());
        QVERIFY(!manager->popTableChooseView(QVariant(), -1, QStringLiteral("1")));

        manager->registerFactory(PopName::TempFoodViewController,
                                 [](const QVariantList &) { return nullptr; });
        QVERIFY(manager->popTempFoodView());
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(), PopName::TempFoodViewController);
        QVERIFY(manager->arrControllers().isEmpty());
        QVERIFY(events.isEmpty());

        manager->registerFactory(PopName::TempFoodViewController, {});
        QVERIFY(!manager->hasFactory(PopName::TempFoodViewController));
        QVERIFY(!manager->popTempFoodView());
    }

    void refusedControllers()
    {
        auto *popup = new CountingPopup;
        QVERIFY(!manager->popController(nullptr));
        QVERIFY(manager->popController(popup));
        QVERIFY(!manager->popController(popup));
        QCOMPARE(manager->arrControllers().size(), 1);

        bool acceptedFromWorker = true;
        auto *other = new CountingPopup;
        QVERIFY(runOnWorker([&] { acceptedFromWorker = manager->popController(other); }));
        QVERIFY(!acceptedFromWorker);
        delete other;

        CountingPopup *foreign = nullptr;
        QVERIFY(runOnWorker([&] { foreign = new CountingPopup; }));
        QVERIFY(!manager->popController(foreign));
        auto *deleted = new CountingPopup; // taken, then deleted: it leaves the stack
        QVERIFY(manager->popController(deleted));
        delete deleted;
        QCOMPARE(manager->arrControllers(), QList<PopRootViewController *>{popup});
        delete foreign;
    }

    void popFromWorkerBuildsOnMainThread()
    {
        registerCounting(PopName::SearchViewController);
        bool accepted = false;
        QVERIFY(runOnWorker([&] { accepted = manager->popSearchView(true, 60); }));
        QVERIFY(accepted);
        QTRY_COMPARE(manager->arrControllers().size(), 1);
        QCOMPARE(built.first()->builtOn, QThread::currentThread());
        QCOMPARE(built.first()->thread(), QThread::currentThread());
        QCOMPARE(built.first()->paddingTop(), 60);
    }

    void dismissalWaitsForPresenter()
    {
        auto presenter = std::make_shared<HoldingPresenter>();
        auto *first = new CountingPopup;
        QPointer<CountingPopup> second = new CountingPopup;
        manager->popController(first); // before the UI has its look: shown once it has
        manager->setPresenter(presenter);
        manager->popController(second);
        QCOMPARE(presenter->presented, (QList<PopRootViewController *>{first, second}));
        events.clear();

        second->dismissSelf();
        second->dismissSelf();
        QVERIFY(events.isEmpty());
        QCOMPARE(manager->arrControllers().size(), 2); // on the stack until the slide-out ends

        const auto finish = presenter->pendingFinish;
        finish();
        finish();
        QCOMPARE(events, (Events{event("dismiss", second), event("front", first)}));
        QCOMPARE(manager->arrControllers(), QList<PopRootViewController *>{first});
        QTRY_VERIFY(!second);
    }
};

QTEST_GUILESS_MAIN(TestPopViewManager)
#include "tst_popviewmanager.moc"
