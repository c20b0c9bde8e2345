#pragma once

#include "../TestRows.h"
#include "../server/RecordingNotices.h"
#include "catalogue/Food.h"
#include "ui/shell/NoticeBoard.h"

#include <QByteArrayList>
#include <QGuiApplication>
#include <QObject>
#include <QPointF>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

#include <memory>

// User notices written down as "kind|text", and how many progress indicators are up.
struct NoticeLog : RecordingNotices {
    int progress = 0;
    void showProgress(const QString &) override { ++progress; }
    void hideProgress() override { --progress; }
};

// The board's notices as they are shown.
struct NoticeSpy : QSignalSpy {
    NoticeSpy() : QSignalSpy(&NoticeBoard::instance(), &NoticeBoard::shown) {}
    QString text(qsizetype i) const { return at(i).at(1).toString(); }
    NoticeBoard::Kind kind(qsizetype i) const { return at(i).at(0).value<NoticeBoard::Kind>(); }
    QString lastText() const { return isEmpty() ? QString() : text(size() - 1); }
    QStringList texts() const; // every text, in order
};

class PopRootViewController;
class QQmlEngine;
class QQuickItem;
class QQuickWindow;

// Shared by the screen tests: offscreen software rendering, a fresh app home, and every warning
// recorded (a test fails on any, except the complaints of a machine without an audio device).
namespace UiTest {
// A loopback address where nothing listens: the maker's web service and ordering server by default.
inline constexpr const char *kClosedAddress = "http://127.0.0.1:1";

void prepareProcess();      // before the QGuiApplication
void startRecording();      // first in initTestCase(): QTest replaces earlier message handlers
void prepareApplication();  // app home, settings, Chinese texts, style, notice board
QStringList takeWarnings(); // the warnings since the last call, forgotten
// For controller tests: starts recording warnings and makes a fresh log UserNotice's sink.
std::shared_ptr<NoticeLog> recordNotices();
// The dish of that name in the installed catalogue (the temporary dishes' list when asked).
Food demoDish(const QString &name, bool temporary = false);
// A package folder <home>/pkg/`sub` holding `files` (each `content`), the data folder pointed at it;
// empty when a file cannot be written.
QString makePackage(const QString &sub, const QStringList &files, const QByteArray &content = {});
QList<PopRootViewController *> openPopups();
QByteArrayList popupClasses(); // the open pop-ups' class names, bottom first
bool closePopups();            // dismisses every pop-up; false if one is still open after the wait
std::unique_ptr<QQmlEngine> makeEngine();
// A shown 1024x768 window, exposed; null if it never was.
std::unique_ptr<QQuickWindow> makeWindow();
// Builds the module's view `fileName` into `window`; null (errors recorded as warnings) on failure.
QQuickItem *createItem(QQmlEngine &engine, QQuickWindow &window, const QString &fileName,
                       const QVariantMap &properties = {});
QQuickItem *findItem(QQuickItem *root, const QString &objectName);
QList<QQuickItem *> findItems(QQuickItem *root, const QString &objectName); // in tree order
// Where on an item a finger lands: its middle, or a few points in from its left or right edge.
enum class Spot { Centre, Left, Right };
// A press and release with the mouse on the item's window at `spot` of the item.
void tap(QQuickItem *item, Spot spot = Spot::Centre);
bool waitForFrame(QQuickWindow &window);
void releaseSound(); // background tasks end and the sound manager's players go before the application
} // namespace UiTest

#define UI_VERIFY_NO_WARNINGS()                                                                              \
    do {                                                                                                     \
        const QStringList recorded_ = UiTest::takeWarnings();                                                \
        QVERIFY2(recorded_.isEmpty(), qPrintable(recorded_.join(u'\n')));                                    \
    } while (false)

#define DIANCAI_UI_TEST_MAIN(TestClass)                                                                      \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        UiTest::prepareProcess();                                                                            \
        QGuiApplication app(argc, argv);                                                                     \
        UiTest::prepareApplication();                                                                        \
        TestClass test;                                                                                      \
        const int status = QTest::qExec(&test, argc, argv);                                                  \
        UiTest::releaseSound();                                                                              \
        return status;                                                                                       \
    }
