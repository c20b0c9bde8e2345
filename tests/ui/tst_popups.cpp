// The pop-up stack drawn by the real views: placement, dimming, slide timing, stack order.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "toolkit/PopViewManager.h"
#include "ui/components/NumberInputViewController.h"
#include "ui/shell/PopStage.h"

#include <QGuiApplication>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kTestPopup = u"TestNumberInput"_s;
}

class TestPopups : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    QPointer<QQuickItem> layer;
    std::unique_ptr<QObject> observer;
    QList<QObject *> backToFront;
    QList<QObject *> dismissed;

    PopViewManager &manager() { return PopViewManager::defaultManager(); }

    QList<QQuickItem *> frames() { return UiTest::findItems(layer, u"popFrame"_s); }

    static QQuickItem *cardOf(QQuickItem *frame) { return UiTest::findItem(frame, u"popCard"_s); }

    // Opens a pop-up through the manager and waits until its frame is there.
    NumberInputViewController *open(int paddingTop)
    {
        const qsizetype before = manager().arrControllers().size();
        if (!manager().pop(kTestPopup, {}, paddingTop))
            return nullptr;
        if (!QTest::qWaitFor([&] { return manager().arrControllers().size() == before + 1; }))
            return nullptr;
        return qobject_cast<NumberInputViewController *>(manager().arrControllers().constLast());
    }

    bool waitForSettled(QQuickItem *frame, int paddingTop)
    {
        QQuickItem *card = cardOf(frame);
        return card &&
               QTest::qWaitFor([&] { return card->height() > 0 && qFuzzyCompare(card->y(), paddingTop); });
    }

    // Opens one and waits until it has come down to `paddingTop`.
    NumberInputViewController *openSettled(int paddingTop)
    {
        NumberInputViewController *popup = open(paddingTop);
        return popup && waitForSettled(frames().constLast(), paddingTop < 0 ? 20 : paddingTop) ? popup
                                                                                               : nullptr;
    }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        manager().registerFactory(kTestPopup, [](const QVariantList &) {
            return new NumberInputViewController(u"数量修改"_s, u"1"_s);
        });
        engine = UiTest::makeEngine();
        window = std::make_unique<QQuickWindow>();
        window->resize(1024, 768);
        layer = UiTest::createItem(*engine, *window, u"PopLayer.qml"_s);
        QVERIFY(layer);
        layer->setSize(QSizeF(1024, 768));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void init()
    {
        backToFront.clear();
        dismissed.clear();
        observer = std::make_unique<QObject>();
        auto &center = NotificationCenter::defaultCenter();
        center.addObserver(observer.get(), Notify::PopManagerControllerBackToFront,
                           [this](const Notification &n) { backToFront << n.object.value<QObject *>(); });
        center.addObserver(observer.get(), Notify::PopManagerControllerDismiss,
                           [this](const Notification &n) { dismissed << n.object.value<QObject *>(); });
    }

    void cleanup()
    {
        QVERIFY(UiTest::closePopups());
        QTRY_VERIFY(frames().isEmpty());
        observer.reset();
        UI_VERIFY_NO_WARNINGS();
    }

    void placement_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("expected");
        QTest::newRow("default") << -1 << 20;
        QTest::newRow("80 when asked") << 80 << 80;
        QTest::newRow("top edge") << 0 << 0;
    }

    // Wherever it settles, a pop-up slides in from above over the dimmed screen, centred across it.
    void placement()
    {
        QFETCH(int, asked);
        QFETCH(int, expected);
        NumberInputViewController *popup = open(asked);
        QVERIFY(popup);
        QCOMPARE(popup->paddingTop(), expected);
        QCOMPARE(frames().size(), 1);
        QQuickItem *frame = frames().constFirst();
        QQuickItem *card = cardOf(frame);
        QVERIFY(card);
        QTRY_VERIFY(card->height() > 0);
        // Still on its way down: the slide lasts 0.2 s.
        QVERIFY2(card->y() < expected, qPrintable(QString::number(card->y())));
        QVERIFY(waitForSettled(frame, expected));
        const QPointF onScreen = card->mapToScene(QPointF(0, 0));
        QCOMPARE(onScreen.y(), qreal(expected));
        QCOMPARE(qRound(onScreen.x() + card->width() / 2), 512);

        QQuickItem *dim = frame->childItems().constFirst();
        QCOMPARE(dim->size(), QSizeF(1024, 768));
        QCOMPARE(dim->property("color").value<QColor>(), QColor(Qt::black));
        QCOMPARE(dim->opacity(), 0.4);
    }

    void dismissalIsAnnouncedWhenTheSlideOutEnds()
    {
        NumberInputViewController *popup = openSettled(-1);
        QVERIFY(popup);
        QPointer<NumberInputViewController> guard(popup);
        QQuickItem *card = cardOf(frames().constFirst());

        popup->dismissSelf();
        // Sliding up: still on the stack, nothing announced yet.
        QTest::qWait(60);
        QVERIFY(dismissed.isEmpty());
        QCOMPARE(manager().arrControllers().size(), 1);
        QVERIFY(card->y() < 20);

        QTRY_COMPARE(dismissed, QList<QObject *>{popup});
        QVERIFY(manager().arrControllers().isEmpty());
        QTRY_VERIFY(frames().isEmpty());
        QTRY_VERIFY(!guard);
        // Closing the last one brings nothing to the front.
        QCOMPARE(backToFront, QList<QObject *>{popup});
    }

    void stackOrderAndTheOneActivePopup()
    {
        NumberInputViewController *first = openSettled(-1), *second = openSettled(80),
                                  *third = openSettled(120);
        QVERIFY(first && second && third);

        QCOMPARE(manager().arrControllers(), (QList<PopRootViewController *>{first, second, third}));
        QCOMPARE(backToFront, (QList<QObject *>{first, second, third}));
        QList<QQuickItem *> shown = frames();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0)->property("popup").value<QObject *>(), first);
        QCOMPARE(shown.at(2)->property("popup").value<QObject *>(), third);
        QCOMPARE((QList<bool>{shown.at(0)->isEnabled(), shown.at(1)->isEnabled(), shown.at(2)->isEnabled()}),
                 (QList<bool>{false, false, true}));

        // The top one closes: the one below comes to the front and takes input.
        backToFront.clear();
        third->cancel();
        QTRY_COMPARE(backToFront, QList<QObject *>{second});
        QCOMPARE(dismissed, QList<QObject *>{third});
        QTRY_COMPARE(frames().size(), 2);
        QCOMPARE((QList<bool>{frames().at(0)->isEnabled(), frames().at(1)->isEnabled()}),
                 (QList<bool>{false, true}));
        QCOMPARE(cardOf(frames().at(0))->y(), 20.0);

        // A tap on the covered pop-up reaches nothing: the top one's dimming takes it.
        UiTest::tap(UiTest::findItem(frames().at(0), u"cancelButton"_s));
        // Nor does a tap on the dimming close the top one.
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 740));
        QTest::qWait(50);
        QCOMPARE(manager().arrControllers(), (QList<PopRootViewController *>{first, second}));
    }
};

DIANCAI_UI_TEST_MAIN(TestPopups)
#include "tst_popups.moc"
