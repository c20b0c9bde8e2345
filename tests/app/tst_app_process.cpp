// The terminal as a user starts it: a headless start always ends promptly; no display says what to do.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
struct Run {
    bool finished = false;
    int exitCode = -1;
    QString out, err;
};

Run runTerminal(const QStringList &arguments,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DIANCAI_EXE), arguments);
    Run run;
    run.finished = process.waitForFinished(15000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
} // namespace

class TestAppProcess : public QObject {
    Q_OBJECT
private slots:
    // It quits while its sound effects are still being decoded; Qt's sample cache used to
    // deadlock at exit then (nine starts in ten hung).
    void headlessStartEndsEveryTime()
    {
        QTemporaryDir home;
        for (int start = 0; start < 5; ++start) {
            const Run run = runTerminal({u"--headless"_s, u"--home"_s, home.path()});
            QVERIFY2(run.finished, qPrintable(u"start %1 did not end"_s.arg(start)));
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.out.contains(u"home:      "_s + home.path() + u'\n'), qPrintable(run.out));
            QVERIFY2(run.out.contains(u"\nterminal:  001\n"_s), qPrintable(run.out));
            QVERIFY2(!run.err.contains(u"QObject::"_s), qPrintable(run.err));
        }
    }

    // An order that the console left unsent in a home is taken up by the terminal started there.
    void keptOrderIsAdoptedAtStart()
    {
        QTemporaryDir home;
        QProcess console;
        console.start(QStringLiteral(CONSOLE_EXE), {u"--home"_s, home.path()});
        console.write("add 00001 qty=2\n");
        console.closeWriteChannel();
        QVERIFY(console.waitForFinished(15000));

        // It stays kept until it is sent or cleared: every start takes it up again.
        for (int start = 0; start < 2; ++start) {
            const Run run = runTerminal({u"--headless"_s, u"--home"_s, home.path()});
            QVERIFY(run.finished);
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.err.contains(u"info: 已恢复未发送的点单"_s), qPrintable(run.err));
        }
    }

    void withoutADisplayItSaysWhatToDo()
    {
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            environment.remove(name);
        const Run run = runTerminal({u"--home"_s, home.path()}, environment);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith(u"diancai: no display found"_s), qPrintable(run.err));
        QVERIFY2(run.err.contains(u"xvfb-run -a scripts/run.sh"_s), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAppProcess)
#include "tst_app_process.moc"
