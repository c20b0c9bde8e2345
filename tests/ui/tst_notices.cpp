// The notice views: what UserNotice asks for is drawn, questions are answered by their buttons,
// and nothing below takes a tap while a question or progress shows.
#include "UiTestSupport.h"

#include "foundation/UserNotice.h"
#include "ui/shell/NoticeBoard.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

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

    void confirmationIsAnsweredByItsButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("answer");
        QTest::newRow("cancel") << u"dialogCancel"_s << false;
        QTest::newRow("confirm") << u"dialogConfirm"_s << true;
    }

    void confirmationIsAnsweredByItsButtons()
    {
        QFETCH(QString, button);
        QFETCH(bool, answer);
        std::optional<bool> given;
        UserNotice::confirm(u"提示"_s, u"确定要删除吗？"_s, u"取消"_s, u"确认"_s,
                            [&given](bool yes) { given = yes; });
        QVERIFY(item(u"noticeDialog"_s)->isVisible());
        QCOMPARE(textOf(u"dialogTitle"_s), u"提示"_s);
        QCOMPARE(textOf(u"dialogMessage"_s), u"确定要删除吗？"_s);
        QCOMPARE(textOf(u"dialogCancel"_s), u"取消"_s);
        QCOMPARE(textOf(u"dialogConfirm"_s), u"确认"_s);
        QVERIFY(UiTest::waitForFrame(*window));
        // Nothing below takes a tap while the question is open.
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(belowTaps(), 0);
        QVERIFY(!given);

        UiTest::tap(item(button));
        QCOMPARE(given, std::optional<bool>(answer));
        QVERIFY(!item(u"noticeDialog"_s)->isVisible());
    }

    void alertHasOneButton()
    {
        bool closed = false;
        UserNotice::alert(u"发现新版本"_s, u"V1.2"_s, u"确定"_s, [&closed] { closed = true; });
        QVERIFY(!item(u"dialogCancel"_s)->isVisible());
        QVERIFY(UiTest::waitForFrame(*window));
        UiTest::tap(item(u"dialogConfirm"_s));
        QVERIFY(closed);
    }
};

DIANCAI_UI_TEST_MAIN(TestNotices)
#include "tst_notices.moc"
