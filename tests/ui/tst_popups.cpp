// The pop-up stack and the notice board drawn by the real views, over a screen counting taps.
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"
#include "ui/components/NumberInputViewController.h"
#include "ui/shell/NoticeBoard.h"
#include "ui/shell/PopupFactories.h"

#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {
const QString kTestPopup = u"TestNumberInput"_s;
}

class TestPopups : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<QQuickItem> below;
    QPointer<QQuickItem> layer;
    std::unique_ptr<QObject> observer;
    QList<QObject *> backToFront;
    QList<QObject *> dismissed;

    PopViewManager &manager() { return PopViewManager::defaultManager(); }
    QList<QQuickItem *> frames() { return UiTest::findItems(layer, u"popFrame"_s); }
    static QQuickItem *cardOf(QQuickItem *frame) { return UiTest::findItem(frame, u"popCard"_s); }
    QQuickItem *item(const QString &name) { return UiTest::findItem(window->contentItem(), name); }
    QString textOf(const QString &name) { return item(name)->property("text").toString(); }
    int belowTaps() { return below->property("taps").toInt(); }

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
        // The screen below the layers.
        QQmlComponent screen(engine.get());
        screen.setData("import QtQuick\nMouseArea { property int taps: 0; width: 1024; height: 768; "
                       "onClicked: taps++ }\n",
                       QUrl(u"qrc:/below.qml"_s));
        below.reset(qobject_cast<QQuickItem *>(screen.create()));
        QVERIFY2(below, qPrintable(screen.errorString()));
        below->setParentItem(window->contentItem());
        layer = UiTest::createItem(*engine, *window, u"PopLayer.qml"_s);
        QQuickItem *notices = UiTest::createItem(*engine, *window, u"NoticeLayer.qml"_s);
        QVERIFY(layer && notices);
        layer->setSize(QSizeF(1024, 768));
        notices->setSize(QSizeF(1024, 768));
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
        NoticeBoard::instance().clear();
        below->setProperty("taps", 0);
        UI_VERIFY_NO_WARNINGS();
    }

    // Wherever it settles (here the top edge; 20 below it by default: every window test), a pop-up
    // slides in from above over the dimmed screen, centred across it.
    void placement()
    {
        const int expected = 0;
        NumberInputViewController *popup = open(expected);
        QVERIFY(popup);
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
        card->property("item").value<QQuickItem *>()->setHeight(card->height() + 120);
        QCOMPARE(card->y(), qreal(expected)); // grown after it came down, it stays

        QQuickItem *dim = frame->childItems().constFirst();
        QCOMPARE(dim->size(), QSizeF(1024, 768));
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

        // Taps on a covered pop-up or on the dimming close nothing (the top one closing: tst_shell).
        UiTest::tap(UiTest::findItem(frames().at(0), u"cancelButton"_s));
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 740));
        QTest::qWait(50);
        QCOMPARE(manager().arrControllers(), (QList<PopRootViewController *>{first, second, third}));
        QCOMPARE(dismissed, QList<QObject *>());
    }

    // A brief notice lets taps through to the screen; progress blocks them.
    void progressBlocksTheScreen()
    {
        UserNotice::error(u"网络超时"_s);
        QTRY_VERIFY(item(u"noticeToast"_s)->isVisible());
        QCOMPARE(textOf(u"noticeToastText"_s), u"网络超时"_s);
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(belowTaps(), 1);
        below->setProperty("taps", 0);
        UserNotice::showProgress(u"正在检测主档更新..."_s);
        QVERIFY(item(u"progressOverlay"_s)->isVisible());
        QCOMPARE(textOf(u"progressStatus"_s), u"正在检测主档更新..."_s);
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(belowTaps(), 0);
        UserNotice::hideProgress();
        QVERIFY(!item(u"progressOverlay"_s)->isVisible());
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(belowTaps(), 1);
    }

    void questionsAreAnsweredByTheirButtons_data()
    {
        columns<bool, QString, QString>("alert", "button", "answer");
        QTest::newRow("cancel") << false << u"dialogCancel"_s << u"no"_s;
        QTest::newRow("alert, its one button") << true << u"dialogConfirm"_s << u"closed"_s;
    }

    void questionsAreAnsweredByTheirButtons()
    {
        const auto [alert, button, answer] = row<bool, QString, QString>("alert", "button", "answer");
        QString given;
        if (alert)
            UserNotice::alert(u"发现新版本"_s, u"V1.2"_s, u"确定"_s, [&given] { given = u"closed"_s; });
        else
            UserNotice::confirm(u"提示"_s, u"确定要删除吗？"_s, u"取消"_s, u"确认"_s,
                                [&given](bool yes) { given = yes ? u"yes"_s : u"no"_s; });
        QVERIFY(item(u"noticeDialog"_s)->isVisible());
        QCOMPARE(
            (QStringList{textOf(u"dialogTitle"_s), textOf(u"dialogMessage"_s), textOf(u"dialogConfirm"_s),
                         item(u"dialogCancel"_s)->isVisible() ? textOf(u"dialogCancel"_s) : u"-"_s}),
            (alert ? QStringList{u"发现新版本"_s, u"V1.2"_s, u"确定"_s, u"-"_s}
                   : QStringList{u"提示"_s, u"确定要删除吗？"_s, u"确认"_s, u"取消"_s}));
        QVERIFY(UiTest::waitForFrame(*window));
        // Nothing below takes a tap while the question is open.
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(belowTaps(), 0);
        QVERIFY(given.isEmpty());

        UiTest::tap(item(button));
        QCOMPARE(given, answer);
        QVERIFY(!item(u"noticeDialog"_s)->isVisible());
    }

    // Posted "kind|text" (e: error, else info), and what is read on the toast, one after another.
    void briefNoticesQueue_data()
    {
        columns<QStringList, QStringList>("posted", "read");
        QTest::newRow("in order, a repeat costs nothing")
            << QStringList{u"i|下单成功"_s, u"i|当前用户已注销"_s, u"i|当前用户已注销"_s, u"e|网络超时"_s}
            << QStringList{u"下单成功"_s, u"当前用户已注销"_s, u"网络超时"_s};
        QTest::newRow("a burst gives way, errors last")
            << QStringList{u"i|1"_s, u"e|2"_s, u"i|3"_s, u"i|4"_s, u"i|5"_s, u"i|6"_s, u"i|7"_s}
            << QStringList{u"1"_s, u"2"_s, u"5"_s, u"6"_s, u"7"_s};
    }
    // The first goes when its time is up, the others at a tap; every one posted is announced.
    void briefNoticesQueue()
    {
        const auto [posted, read] = row<QStringList, QStringList>("posted", "read");
        NoticeSpy shown;
        for (const QString &notice : posted)
            notice.startsWith(u'e') ? UserNotice::error(notice.mid(2)) : UserNotice::info(notice.mid(2));
        QStringList seen;
        while (QTest::qWaitFor([this] { return item(u"noticeToast"_s)->isVisible(); }, 1000)) {
            seen << textOf(u"noticeToastText"_s);
            if (seen.size() > 1)
                UiTest::tap(item(u"noticeToast"_s));
            QTRY_VERIFY_WITH_TIMEOUT(!item(u"noticeToast"_s)->isVisible(), NoticeBoard::kErrorToastMs * 2);
        }
        QCOMPARE(seen, read);
        QCOMPARE(shown.size(), posted.size());
    }

    void everyPopupHasAFactory()
    {
        PopViewManager own;
        PopupFactories::registerAll(own);
        for (const QString &name : PopName::all())
            QVERIFY2(own.hasFactory(name), qPrintable(name));
    }

    void questionsWaitTheirTurn()
    {
        NoticeBoard &board = NoticeBoard::instance();
        QStringList answers;
        // The question up: shown, with a cancel button, title, message, and how many wait.
        const auto state = [&board] {
            return QVariantList{board.dialogVisible(), board.dialogHasCancel(), board.dialogTitle(),
                                board.dialogMessage(), board.waitingDialogs()};
        };
        UserNotice::confirm(u"提示"_s, u"确定要删除吗？"_s, u"取消"_s, u"确定"_s,
                            [&answers](bool yes) { answers << (yes ? u"delete yes"_s : u"delete no"_s); });
        UserNotice::alert(u"发现新版本"_s, u"1.2"_s, u"确定"_s, [&answers] { answers << u"alert"_s; });
        QCOMPARE(state(), (QVariantList{true, true, u"提示"_s, u"确定要删除吗？"_s, 1}));
        board.answerDialog(false);
        QCOMPARE(answers, QStringList{u"delete no"_s});
        QCOMPARE(state(), (QVariantList{true, false, u"发现新版本"_s, u"1.2"_s, 0}));
        board.answerDialog(false);
        QCOMPARE(answers, (QStringList{u"delete no"_s, u"alert"_s}));
        QVERIFY(!board.dialogVisible());
        board.answerDialog(true);
        QCOMPARE(answers.size(), 2);

        // An answer may ask again.
        std::optional<bool> second;
        UserNotice::confirm({}, u"确定要清空所有已点品项吗？"_s, u"取消"_s, u"确认"_s, [&second](bool) {
            UserNotice::confirm({}, u"确定要删除吗？"_s, u"取消"_s, u"确定"_s,
                                [&second](bool yes) { second = yes; });
        });
        board.answerDialog(true);
        QVERIFY(board.dialogVisible());
        QCOMPARE(board.dialogMessage(), u"确定要删除吗？"_s);
        board.answerDialog(true);
        QCOMPARE(second, std::optional<bool>(true));
    }

    void noticesFromAWorkerArriveOnTheMainThread()
    {
        NoticeBoard &board = NoticeBoard::instance();
        QThread *seenOn = nullptr;
        connect(&board, &NoticeBoard::shown, this, [&seenOn] { seenOn = QThread::currentThread(); });
        std::unique_ptr<QThread> worker(QThread::create([] { UserNotice::error(u"网络连接错误"_s); }));
        worker->start();
        QVERIFY(worker->wait(5000));
        QTRY_COMPARE(board.toastText(), u"网络连接错误"_s);
        QCOMPARE(seenOn, thread());
        disconnect(&board, &NoticeBoard::shown, this, nullptr);
    }
};

DIANCAI_UI_TEST_MAIN(TestPopups)
#include "tst_popups.moc"
