// Frame cost of the pop-up animations in the real window on the software renderer: pop-ups slide
// in over the dimmed screen, a second one stacks at 80 points, both slide out again. A frame's cost
// is all the work the GUI thread did for it: every event handled since the previous frame went out
// (animation ticks, bindings, polish, rendering, flushing), idle time excluded. Goal: no frame of
// the animations over 16 ms.
//
// Usage: bench_popup_frames [ROUNDS]    (default 20)
#include "FrameWork.h"
#include "OffscreenRun.h"
#include "app/StartupSequence.h"
#include "media/SoundManager.h"
#include "toolkit/PopViewManager.h"
#include "ui/components/NumberInputViewController.h"

#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QtQml/QQmlExtensionPlugin>

#include <algorithm>
#include <functional>

Q_IMPORT_QML_PLUGIN(Diancai_UiPlugin)

namespace {
constexpr double kGoalMs = 16.0;
const QString kPopup = QStringLiteral("BenchQuantity");
} // namespace

int main(int argc, char *argv[])
{
    prepareOffscreenRun();
    TimedApplication app(argc, argv);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20;

    QTemporaryDir home;
    {
        QSettings settings(home.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("kIp"), QStringLiteral("127.0.0.1"));
        settings.setValue(QStringLiteral("kPort"), QStringLiteral("1"));
    }
    StartupSequence::setApplicationNames();
    StartupSequence::prepareServices({app.arguments().constFirst(), QStringLiteral("--home"), home.path()});
    std::unique_ptr<QQmlApplicationEngine> engine = StartupSequence::showMainWindow();
    if (!engine)
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
    PopViewManager &pops = PopViewManager::defaultManager();
    pops.registerFactory(kPopup, [](const QVariantList &) {
        return new NumberInputViewController(QStringLiteral("数量修改"), QStringLiteral("1"));
    });

    // The welcome picture's fade is over before anything is counted.
    QTest::qWait(2500);
    app.startClock();
    bool recording = false;
    QList<double> frames;
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [&] {
            const double ms = app.takeFrameMs();
            if (recording)
                frames << ms;
        },
        Qt::DirectConnection);

    // Each step runs from the event loop, as a tap's would: building the pop-up counts towards the
    // first frame of its animation.
    auto step = [&app](const std::function<void()> &action) {
        QMetaObject::invokeMethod(&app, action, Qt::QueuedConnection);
        QTest::qWait(450); // longer than the 0.2 s slide-in and the 0.3 s slide-out
    };
    auto dismissTop = [&pops] { pops.arrControllers().constLast()->dismissSelf(); };
    for (int round = 0; round < rounds; ++round) {
        app.takeFrameMs();
        recording = true;
        step([&pops] { pops.pop(kPopup, {}); });
        step([&pops] { pops.pop(kPopup, {}, 80); });
        step(dismissTop);
        step(dismissTop);
        recording = false;
    }
    engine.reset();
    SoundManager::resetDefaultManager();

    QTextStream out(stdout);
    if (frames.isEmpty()) {
        out << "no frame was drawn\n";
        return 1;
    }
    std::sort(frames.begin(), frames.end());
    const auto at = [&frames](double share) { return frames[qsizetype((frames.size() - 1) * share)]; };
    const qsizetype over =
        std::count_if(frames.begin(), frames.end(), [](double ms) { return ms > kGoalMs; });
    out << Qt::fixed;
    out.setRealNumberPrecision(2);
    out << rounds << " rounds (two pop-ups in, two out), " << frames.size() << " frames, software renderer\n";
    out << "frame work: median " << at(0.5) << " ms, 95th " << at(0.95) << " ms, 99th " << at(0.99)
        << " ms, max " << frames.constLast() << " ms\n";
    out << "frames over " << kGoalMs << " ms: " << over << ": goal " << (over == 0 ? "met" : "missed")
        << '\n';
    return 0;
}
