// The notice board and its views: brief notices, progress and questions, nothing below taking a tap.
#include "UiTestSupport.h"

#include "foundation/UserNotice.h"
#include "ui/shell/NoticeBoard.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

class TestNotices : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QQuickWindow> window;
    std::unique_ptr<QQuickItem> below;
    QQuickItem *layer = nullptr;

    QQuickItem *item(const QString &name) { return UiTest::findItem(window->contentItem(), name); }
    QString textOf(const QString &name) { return item(name)->property("text").toString(); }
    int belowTaps() { return below->property("taps").toInt(); }

private slots:
    void initTestCase()
    {
        UiTest::startRecording();
        engine = UiTest::makeEngine();
        window = std::make_unique<QQuickWindow>();
        window->resize(1024, 768);
        // A screen below the notices that counts the taps it gets.
        QQmlComponent screen(engine.get());
        screen.setData("import QtQuick\nMouseArea { property int taps: 0; width: 1024; height: 768; "
                       "onClicked: taps++ }\n",
                       QUrl(u"qrc:/below.qml"_s));
        below.reset(qobject_cast<QQuickItem *>(screen.create()));
        QVERIFY2(below, qPrintable(screen.errorString()));
        below->setParentItem(window->contentItem());
        layer = UiTest::createItem(*engine, *window, u"NoticeLayer.qml"_s);
        QVERIFY(layer);
        layer->setSize(QSizeF(1024, 768));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        NoticeBoard::instance().clear();
        below->setProperty("taps", 0);
        UI_VERIFY_NO_WARNINGS();
    }

    void briefNoticeColours_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("error") << int(NoticeBoard::Error) << QColor(u"#c62828"_s);
        QTest::newRow("success") << int(NoticeBoard::Success) << QColor(u"#2e7d32"_s);
        QTest::newRow("neutral") << int(NoticeBoard::Info) << QColor(u"#455a64"_s);
    }

    void briefNoticeColours()
    {
        QFETCH(int, kind);
        QFETCH(QColor, colour);
        const QString text = u"网络超时"_s;
        if (kind == NoticeBoard::Error)
            UserNotice::error(text);
        else if (kind == NoticeBoard::Success)
            UserNotice::success(text);
        else
            UserNotice::info(text);
        QTRY_VERIFY(item(u"noticeToast"_s)->isVisible());
        QCOMPARE(textOf(u"noticeToastText"_s), text);
        QCOMPARE(item(u"noticeToast"_s)->property("color").value<QColor>(), colour);
        // A brief notice does not block: the screen below still takes taps.
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QCOMPARE(belowTaps(), 1);
        NoticeBoard::instance().hideToast();
        QTRY_VERIFY(!item(u"noticeToast"_s)->isVisible());
    }

    void progressBlocksTheScreen()
    {
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
        QTest::addColumn<bool>("alert");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancel") << false << u"dialogCancel"_s << u"no"_s;
        QTest::newRow("confirm") << false << u"dialogConfirm"_s << u"yes"_s;
        QTest::newRow("alert, its one button") << true << u"dialogConfirm"_s << u"closed"_s;
    }

    void questionsAreAnsweredByTheirButtons()
    {
        QFETCH(bool, alert);
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QString given;
        if (alert)
            UserNotice::alert(u"发现新版本"_s, u"V1.2"_s, u"确定"_s, [&given] { given = u"closed"_s; });
        else
            UserNotice::confirm(u"提示"_s, u"确定要删除吗？"_s, u"取消"_s, u"确认"_s,
                                [&given](bool yes) { given = yes ? u"yes"_s : u"no"_s; });
        QVERIFY(item(u"noticeDialog"_s)->isVisible());
        const QStringList texts{textOf(u"dialogTitle"_s), textOf(u"dialogMessage"_s),
                                textOf(u"dialogConfirm"_s)};
        const QStringList asked = alert ? QStringList{u"发现新版本"_s, u"V1.2"_s, u"确定"_s}
                                        : QStringList{u"提示"_s, u"确定要删除吗？"_s, u"确认"_s};
        QCOMPARE(texts, asked);
        QCOMPARE(item(u"dialogCancel"_s)->isVisible(), !alert);
        if (!alert)
            QCOMPARE(textOf(u"dialogCancel"_s), u"取消"_s);
        QVERIFY(UiTest::waitForFrame(*window));
        // Nothing below takes a tap while the question is open.
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(belowTaps(), 0);
        QVERIFY(given.isEmpty());

        UiTest::tap(item(button));
        QCOMPARE(given, answer);
        QVERIFY(!item(u"noticeDialog"_s)->isVisible());
    }

    void briefNoticesReplaceEachOther()
    {
        NoticeBoard &board = NoticeBoard::instance();
        NoticeSpy shown;
        UserNotice::error(u"网络超时"_s);
        UserNotice::info(u"已到达最后"_s);
        QCOMPARE(board.toastText(), u"已到达最后"_s);
        QCOMPARE(board.toastKind(), NoticeBoard::Info);
        QVERIFY(board.toastVisible());
        QCOMPARE(shown.texts(), (QStringList{u"网络超时"_s, u"已到达最后"_s}));
        QCOMPARE(shown.kind(0), NoticeBoard::Error);
        // It hides itself (the neutral one sooner than an error would).
        QTRY_VERIFY_WITH_TIMEOUT(!board.toastVisible(), NoticeBoard::kToastMs * 2);
    }

    void questionsWaitTheirTurn()
    {
        NoticeBoard &board = NoticeBoard::instance();
        QStringList answers;
        UserNotice::confirm(u"提示"_s, u"确定要删除吗？"_s, u"取消"_s, u"确定"_s,
                            [&answers](bool yes) { answers << (yes ? u"delete yes"_s : u"delete no"_s); });
        UserNotice::alert(u"发现新版本"_s, u"1.2"_s, u"确定"_s, [&answers] { answers << u"alert"_s; });
        QVERIFY(board.dialogVisible());
        QVERIFY(board.dialogHasCancel());
        QCOMPARE(board.dialogMessage(), u"确定要删除吗？"_s);
        QCOMPARE(board.waitingDialogs(), 1);

        board.answerDialog(false);
        QCOMPARE(answers, QStringList{u"delete no"_s});
        QCOMPARE(board.dialogTitle(), u"发现新版本"_s);
        QVERIFY(!board.dialogHasCancel());

        board.answerDialog(false);
        QCOMPARE(answers, (QStringList{u"delete no"_s, u"alert"_s}));
        QVERIFY(!board.dialogVisible());
        board.answerDialog(true);
        QCOMPARE(answers.size(), 2);
    }

    void anAnswerMayAskAgain()
    {
        NoticeBoard &board = NoticeBoard::instance();
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

DIANCAI_UI_TEST_MAIN(TestNotices)
#include "tst_notices.moc"
