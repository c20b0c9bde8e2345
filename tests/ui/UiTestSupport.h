#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

#include <memory>

class QQmlEngine;
class QQuickItem;
class QQuickWindow;

// Shared by the screen tests: an offscreen software-rendered Qt Quick set-up with its own app
// home, every warning recorded (a test fails on any; only the complaints of a machine without an
// audio device are let through), and helpers to build views and tap them.
namespace UiTest {
// A loopback address where nothing listens: the maker's web service and the ordering server of
// every screen test unless it starts a development server.
inline constexpr const char *kClosedAddress = "http://127.0.0.1:1";

// Before the QGuiApplication: offscreen platform, software renderer.
void prepareProcess();
// Records every warning from now on. Call first in initTestCase(): QTest replaces any message
// handler installed before the test started.
void startRecording();
// After it: a fresh app home and settings, Chinese texts, the Material style, the notice board.
void prepareApplication();

// The warnings printed since the last call, and forgets them. Each test's cleanup() fails on any.
QStringList takeWarnings();

std::unique_ptr<QQmlEngine> makeEngine();
QUrl viewUrl(const QString &fileName);

// Builds the view `fileName` of the module with `properties` as initial values and puts it into
// `window`'s content. Null (with the errors recorded as warnings) when it cannot be built.
QQuickItem *createItem(QQmlEngine &engine, QQuickWindow &window, const QString &fileName,
                       const QVariantMap &properties = {});

// The item named `objectName` in the visual tree below `root` (delegates included).
QQuickItem *findItem(QQuickItem *root, const QString &objectName);
// Every such item, in tree order.
QList<QQuickItem *> findItems(QQuickItem *root, const QString &objectName);
// A tap (press and release) in the middle of `item`, as a finger would.
void tap(QQuickItem *item);
// Waits until `window` has drawn a frame.
bool waitForFrame(QQuickWindow &window);
// Releases the process-wide sound manager, before the application object goes.
void releaseSound();
} // namespace UiTest

// main() of a screen test.
#define DIANCAI_UI_TEST_MAIN(TestClass)                                                                      \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        UiTest::prepareProcess();                                                                            \
        QGuiApplication app(argc, argv);                                                                     \
        UiTest::prepareApplication();                                                                        \
        TestClass test;                                                                                      \
        const int status = QTest::qExec(&test, argc, argv);                                                  \
        /* As main does: the sound manager's players go while the application still exists. */               \
        UiTest::releaseSound();                                                                              \
        return status;                                                                                       \
    }
