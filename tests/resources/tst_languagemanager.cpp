#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/LanguageManager.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

class TestLanguageManager : public QObject {
    Q_OBJECT
private:
    QString builtResources;
    std::unique_ptr<QObject> observer;
    QList<QThread *> postedOn;

    LanguageManager &manager() { return LanguageManager::defaultManager(); }

    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private slots:
    void initTestCase()
    {
        builtResources = AppPaths::resourcesDir();
        QVERIFY2(QFile::exists(AppPaths::resourcePath(LanguageManager::kEnglish)),
                 qPrintable(builtResources));
    }

    void init()
    {
        AppPaths::setResourcesDir(builtResources);
        manager().reset();
        postedOn.clear();
        observer = std::make_unique<QObject>();
        NotificationCenter::defaultCenter().addObserver(observer.get(), Notify::LanguageChanged,
                                                        [this](const Notification &n) {
                                                            QVERIFY(!n.object.isValid());
                                                            QVERIFY(n.userInfo.isEmpty());
                                                            postedOn << QThread::currentThread();
                                                        });
    }

    void cleanup() { observer.reset(); }

    // Every entry of the English table as it stands in the sources, whole; what it lacks, and
    // any text in Chinese, comes back as it was asked for.
    void readString_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QFile source(QStringLiteral(DIANCAI_SOURCE_DIR "/resources/en-strings"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QJsonObject table = QJsonDocument::fromJson(source.readAll()).object();
        QVERIFY(table.size() > 100);
        for (auto it = table.begin(); it != table.end(); ++it)
            QTest::addRow("en %s", qPrintable(it.key()))
                << LanguageManager::kEnglish << it.key() << it.value().toString();
        QTest::newRow("language option as it stands")
            << LanguageManager::kEnglish << u"英文（English）"_s << u"英文（English）"_s;
        QTest::newRow("unknown text")
            << LanguageManager::kEnglish << u"不在表中的文字"_s << u"不在表中的文字"_s;
        QTest::newRow("empty") << LanguageManager::kEnglish << QString() << QString();
        for (const QString &key : {u"时价"_s, u"确定"_s, u"%@人 ￥%.2f"_s})
            QTest::addRow("zh %s", qPrintable(key)) << LanguageManager::kChinese << key << key;
    }

    void readString()
    {
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        manager().loadLanguage(LanguageManager::kEnglish, false); // Chinese must drop it again
        manager().loadLanguage(language, false);
        QCOMPARE(manager().readString(key), expected);
        QCOMPARE(manager().currCode(), std::optional<QString>(language));
    }

    void changeIsAnnouncedOncePerRealChange()
    {
        QList<qsizetype> counts;
        for (const QString &language : {LanguageManager::kEnglish, LanguageManager::kEnglish,
                                        LanguageManager::kChinese, LanguageManager::kChinese}) {
            manager().loadLanguage(language);
            counts << postedOn.size();
        }
        QCOMPARE(counts, (QList<qsizetype>{1, 1, 2, 2}));
        QCOMPARE(postedOn.first(), QThread::currentThread());
        QCOMPARE(manager().readString(u"确定"_s), u"确定"_s);
    }

    // Start-up loads the saved language quietly.
    void quietLoadPostsNothing()
    {
        manager().loadLanguage(LanguageManager::kEnglish, false);
        QCOMPARE(manager().readString(u"取消"_s), u"Cancel"_s);
        manager().loadLanguage(LanguageManager::kChinese, false);
        QCoreApplication::processEvents();
        QVERIFY(postedOn.isEmpty());
    }

    void changeFromAWorkerIsAnnouncedOnTheMainThread()
    {
        QThread *worker = QThread::create([this] { manager().loadLanguage(LanguageManager::kEnglish); });
        worker->start();
        QVERIFY(worker->wait(5000));
        delete worker;
        QTRY_COMPARE(postedOn.size(), 1);
        QCOMPARE(postedOn.first(), QThread::currentThread());
        QCOMPARE(manager().readString(u"确定"_s), u"OK"_s);
    }

    void badFilesGiveKeysBack_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("custom table is read") << true << R"({"确定": "Yes"})"_ba << u"Yes"_s;
        QTest::newRow("missing file") << false << QByteArray() << u"确定"_s;
        QTest::newRow("broken json") << true << R"({"确定": "Yes")"_ba << u"确定"_s;
        QTest::newRow("array") << true << R"([{"确定": "Yes"}])"_ba << u"确定"_s;
        QTest::newRow("value not a string") << true << R"({"确定": 5})"_ba << u"确定"_s;
        QTest::newRow("binary") << true << "\xff\xfe\x00{"_ba << u"确定"_s;
    }

    void badFilesGiveKeysBack()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        // English first, so that a bad file must also drop the table loaded before it.
        manager().loadLanguage(LanguageManager::kEnglish, false);
        QTemporaryDir dir;
        if (present)
            QVERIFY(writeFile(dir.filePath(u"xx-strings"_s), content));
        AppPaths::setResourcesDir(dir.path());
        manager().loadLanguage(u"xx-strings"_s);
        QCOMPARE(manager().readString(u"确定"_s) + u'|' + manager().readString(u"取消"_s),
                 expected + u"|取消"_s);
        QCOMPARE(postedOn.size(), 1);
    }

    // The code is taken before the file is read, so asking again does not retry a failed load.
    void failedLoadIsNotRetried()
    {
        QTemporaryDir dir;
        AppPaths::setResourcesDir(dir.path());
        manager().loadLanguage(u"xx-strings"_s, false);
        QVERIFY(writeFile(dir.filePath(u"xx-strings"_s), R"({"确定": "Yes"})"_ba));
        manager().loadLanguage(u"xx-strings"_s, false);
        QCOMPARE(manager().readString(u"确定"_s), u"确定"_s);
        manager().reset();
        manager().loadLanguage(u"xx-strings"_s, false);
        QCOMPARE(manager().readString(u"确定"_s), u"Yes"_s);
    }
};

QTEST_GUILESS_MAIN(TestLanguageManager)
#include "tst_languagemanager.moc"
