#include "foundation/AppPaths.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestAppPaths : public QObject {
    Q_OBJECT
private slots:
    // An argument beats the environment; the home folder is created.
    void homeFromArgumentThenEnvironment()
    {
        QTemporaryDir dir;
        qputenv("DIANCAI_HOME", QFile::encodeName(dir.filePath(QStringLiteral("env"))));
        AppPaths::initHome(
            {QStringLiteral("diancai"), QStringLiteral("--home"), dir.filePath(QStringLiteral("arg"))});
        QCOMPARE(AppPaths::home(), dir.filePath(QStringLiteral("arg")));
        QVERIFY2(QDir(AppPaths::home()).exists(), "the home folder is created");
        AppPaths::initHome({QStringLiteral("diancai")});
        QCOMPARE(AppPaths::home(), dir.filePath(QStringLiteral("env")));
    }

    void homeFallsBackToPlatformFolder()
    {
        qunsetenv("DIANCAI_HOME");
        QStandardPaths::setTestModeEnabled(true);
        AppPaths::initHome({QStringLiteral("diancai"), QStringLiteral("--home")});
        QCOMPARE(AppPaths::home(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
};

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
