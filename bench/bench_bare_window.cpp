// The yardstick for the terminal's cold start: the barest Qt Quick window, 1024 x 768 with one
// full-screen picture (and, when given, one line of text over it, which costs the font set-up).
// Prints "first-frame" on stdout when its first frame is on screen, then quits.
// Usage: bench_bare_window PICTURE [TEXT]
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTextStream>
#include <QUrl>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        QTextStream(stderr) << "usage: bench_bare_window PICTURE [TEXT]\n";
        return 2;
    }
    const QString picture = QUrl::fromLocalFile(arguments.at(1)).toString();
    const QString text =
        arguments.size() > 2
            ? QStringLiteral("  Text { text: \"%1\"; font.pixelSize: 44; color: \"white\" }\n")
                  .arg(arguments.at(2))
            : QString();
    QQmlApplicationEngine engine;
    engine.loadData(QStringLiteral("import QtQuick\n"
                                   "Window { width: 1024; height: 768; visible: true\n"
                                   "  Image { anchors.fill: parent; source: \"%1\" }\n%2}\n")
                        .arg(picture, text)
                        .toUtf8());
    auto *window = engine.rootObjects().isEmpty()
                       ? nullptr
                       : qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window)
        return 1;
    QObject::connect(window, &QQuickWindow::frameSwapped, &app, [] {
        QTextStream(stdout) << "first-frame" << Qt::endl;
        QCoreApplication::quit();
    });
    return app.exec();
}
