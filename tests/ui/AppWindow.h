#pragma once

// The terminal's real window for the end-to-end screen tests: start-up against a server, items by
// name, settled screens and pop-ups, keypad taps, and screenshots saved in the build tree.
#include "TouchAudit.h"
#include "UiTestSupport.h"

#include "app/StartupSequence.h"
#include "foundation/AppPaths.h"
#include "server/MakerServiceAddress.h"
#include "settings/ConfigManager.h"
#include "ui/shell/NoticeBoard.h"

#include <QDir>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

struct AppWindow {
    // How long a screen or pop-up may take to settle: generous, for the sanitizer build under load.
    static constexpr int kSettleMs = 15000;

    std::unique_ptr<QQmlApplicationEngine> engine;
    QQuickWindow *window = nullptr;

    // Starts the services with the ordering server on `port` and shows the window with its layers.
    bool show(const QString &program, int port, const QByteArray &makerAddress)
    {
        qputenv(MakerServiceAddress::kEnvironmentVariable, makerAddress);
        ConfigManager::defaultManager().setPort(QString::number(port));
        StartupSequence::setApplicationNames();
        StartupSequence::prepareServices({program, QStringLiteral("--home"), AppPaths::home()});
        engine = StartupSequence::showMainWindow();
        window = engine ? qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst()) : nullptr;
        // The layers load after the home screen's first frame. Their items are in the tree before
        // the loader is ready, the screen stack's link to the navigator not yet made: a tap then
        // would push nothing.
        return window && QTest::qWaitForWindowExposed(window) &&
               QTest::qWaitFor(
                   [this] {
                       QQuickItem *layers = item(QStringLiteral("windowLayers"));
                       return layers && layers->property("status").toInt() == 1 /* Loader.Ready */ &&
                              item(QStringLiteral("screenStack"));
                   },
                   kSettleMs);
    }

    QQuickItem *item(const QString &name) { return UiTest::findItem(window->contentItem(), name); }
    QList<QQuickItem *> frames()
    {
        return UiTest::findItems(window->contentItem(), QStringLiteral("popFrame"));
    }
    QString textOf(const QString &name)
    {
        return item(name) ? item(name)->property("text").toString() : QString();
    }
    bool stackIdle() { return !item(QStringLiteral("screenStack"))->property("busy").toBool(); }
    // The screen `name` is up and its push transition over.
    bool opened(const QString &name)
    {
        return QTest::qWaitFor([&] { return item(name) && stackIdle(); }, kSettleMs);
    }

    // The only pop-up, once it has slid in; null when there is none, or more than one.
    QQuickItem *settledPopup()
    {
        if (!QTest::qWaitFor([&] { return frames().size() == 1; }, kSettleMs))
            return nullptr;
        const QPointer<QQuickItem> card = UiTest::findItem(frames().constLast(), QStringLiteral("popCard"));
        return QTest::qWaitFor([&] { return card && qFuzzyCompare(card->y(), 20.0); }, kSettleMs)
                   ? frames().constLast()
                   : nullptr;
    }

    static QString textIn(QQuickItem *scope, const QString &name)
    {
        return UiTest::findItem(scope, name)->property("text").toString();
    }

    // Taps `button` of the pop-up `frame` and waits for every pop-up to go.
    void closePopup(QQuickItem *frame, const QString &button)
    {
        UiTest::tap(UiTest::findItem(frame, button));
        QTRY_VERIFY(frames().isEmpty());
    }

    void hideToast()
    {
        NoticeBoard::instance().hideToast();
        QTRY_VERIFY(!item(QStringLiteral("noticeToast"))->isVisible());
    }

    // Taps each key on the visible keypad of `frame`.
    static void tapKeys(QQuickItem *frame, const QStringList &keys)
    {
        for (const QString &key : keys) {
            const QList<QQuickItem *> found = UiTest::findItems(frame, QStringLiteral("key_") + key);
            const auto shown =
                std::find_if(found.begin(), found.end(), [](QQuickItem *k) { return k->isVisible(); });
            QVERIFY2(shown != found.end(), qPrintable(key));
            UiTest::tap(*shown);
        }
    }

    // Fails with every fault the touch audit finds in the part of the window that takes input.
    void auditTouch(const QString &screen)
    {
        const QStringList faults = TouchAudit::check(*window, TouchAudit::activeScope(*window), screen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // Every screen that is pictured is audited too.
    void saveScreenshot(const QString &name)
    {
        // After a frame: layouts have placed their items by then.
        QVERIFY(UiTest::waitForFrame(*window));
        auditTouch(name);
        if (QTest::currentTestFailed())
            return;
        const QImage shot = window->grabWindow();
        QCOMPARE(shot.size(), QSize(1024, 768));
        QDir().mkpath(QStringLiteral(DIANCAI_SCREENSHOT_DIR));
        QVERIFY(shot.save(QStringLiteral(DIANCAI_SCREENSHOT_DIR) + u'/' + name + QStringLiteral(".png")));
    }
};
