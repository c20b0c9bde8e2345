// Cold start: from starting the process to the first frame of the home screen, against the barest
// Qt Quick window with one full-screen picture (bench_bare_window), both measured in this run,
// alternately, each in a new process; two more rows show what a first text and the terminal's
// libraries cost by themselves. Offscreen platform and software renderer unless the
// environment chooses others. Goal: the terminal takes at most 1.5 times the bare window's time.
//
// Usage: bench_startup [RUNS]           RUNS measured starts of each (default 15) after one warm-up
//        bench_startup --home HOME      (the child) the terminal's own start-up in HOME
#include "app/StartupSequence.h"
#include "media/MediaBackend.h"
#include "media/SoundManager.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtQml/QQmlExtensionPlugin>

#include <algorithm>
#include <optional>

Q_IMPORT_QML_PLUGIN(Diancai_UiPlugin)

namespace {
constexpr double kGoalRatio = 1.5;

// The terminal exactly as main() starts it, quitting once the first frame is out.
int runTerminal(int argc, char *argv[], const QString &home)
{
    MediaBackend::chooseDefault();
    QGuiApplication app(argc, argv);
    StartupSequence::setApplicationNames();
    StartupSequence::prepareServices({app.arguments().constFirst(), QStringLiteral("--home"), home});
    const std::unique_ptr<QQmlApplicationEngine> engine = StartupSequence::showMainWindow();
    if (!engine)
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
    QObject::connect(window, &QQuickWindow::frameSwapped, &app, [] {
        QTextStream(stdout) << "first-frame" << Qt::endl;
        QCoreApplication::quit();
    });
    const int status = app.exec();
    SoundManager::resetDefaultManager();
    return status;
}

// Milliseconds from starting the program to its "first-frame" line; nothing when it never came.
std::optional<double> timeToFirstFrame(const QString &program, const QStringList &arguments,
                                       const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    std::optional<double> elapsed;
    while (!elapsed && process.waitForReadyRead(30000)) {
        while (process.canReadLine()) {
            if (process.readLine().trimmed() == "first-frame") {
                elapsed = clock.nsecsElapsed() / 1e6;
                break;
            }
        }
    }
    process.waitForFinished(30000);
    return elapsed;
}

struct Figures {
    double median = 0, min = 0, max = 0;
};

Figures figuresOf(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.constFirst(), samples.constLast()};
}

int runComparison(int runs)
{
    const QString binDir = QCoreApplication::applicationDirPath();
    const QString bare = binDir + QStringLiteral("/bench_bare_window");
    const QString linked = binDir + QStringLiteral("/bench_bare_window_linked");
    const QString picture = QStringLiteral(DIANCAI_RESOURCE_DIR "/hotel.jpg");

    // A terminal home that talks to nobody: the start-up's network work stays in the background
    // either way, but no request leaves the machine.
    QTemporaryDir home;
    {
        QSettings settings(home.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("kIp"), QStringLiteral("127.0.0.1"));
        settings.setValue(QStringLiteral("kPort"), QStringLiteral("1"));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!environment.contains(QStringLiteral("QT_QUICK_BACKEND")))
        environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    environment.insert(QStringLiteral("DIANCAI_MAKER_SERVICE_URL"), QStringLiteral("http://127.0.0.1:1"));
    environment.insert(QStringLiteral("DIANCAI_RESOURCES"), QStringLiteral(DIANCAI_RESOURCE_DIR));

    const QString self = QCoreApplication::applicationFilePath();
    // The yardstick; the same window with one line of text (what any text costs: the font set-up);
    // that window loading every library the terminal loads (what the libraries cost before main);
    // and the terminal. In turn, so that a change in the machine's load touches all alike.
    const QString text = QStringLiteral("福满楼酒家");
    const QList<QPair<QString, QStringList>> programs{
        {bare, {picture}},
        {bare, {picture, text}},
        {linked, {picture, text}},
        {self, {QStringLiteral("--home"), home.path()}},
    };
    QList<QList<double>> times(programs.size());
    QTextStream out(stdout);
    for (int run = 0; run <= runs; ++run) {
        for (qsizetype i = 0; i < programs.size(); ++i) {
            const auto time = timeToFirstFrame(programs[i].first, programs[i].second, environment);
            if (!time) {
                out << programs[i].first << " did not reach its first frame\n";
                return 1;
            }
            if (run > 0) // the first round only warms the file cache and the QML disk cache
                times[i] << *time;
        }
    }

    const QStringList names{QStringLiteral("bare window, one picture:                   "),
                            QStringLiteral("bare window, picture and a text:            "),
                            QStringLiteral("the same with the terminal's libraries:     "),
                            QStringLiteral("terminal home screen:                       ")};
    QList<Figures> figures;
    out << "platform " << environment.value(QStringLiteral("QT_QPA_PLATFORM")) << ", renderer "
        << environment.value(QStringLiteral("QT_QUICK_BACKEND")) << ", " << runs << " starts each\n";
    out << Qt::fixed;
    for (qsizetype i = 0; i < programs.size(); ++i) {
        figures << figuresOf(times[i]);
        out.setRealNumberPrecision(1);
        out << names[i] << "median " << figures[i].median << " ms (min " << figures[i].min << ", max "
            << figures[i].max << ")\n";
    }
    const double ratio = figures[3].median / figures[0].median;
    out.setRealNumberPrecision(2);
    out << "libraries and a text alone / bare window: " << figures[2].median / figures[0].median << '\n';
    out << "terminal / bare window: " << ratio << " (goal at most " << kGoalRatio
        << "): " << (ratio <= kGoalRatio ? "met" : "missed") << '\n';
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--home")
        return runTerminal(argc, argv, QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 15;
    if (runs < 1) {
        QTextStream(stderr) << "usage: bench_startup [RUNS]\n";
        return 2;
    }
    return runComparison(runs);
}
