#include "SourceLiterals.h"
#include "TestRows.h"
#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/LanguageManager.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

QString sourcePath(const QString &relative)
{
    return QStringLiteral(DIANCAI_SOURCE_DIR) + u'/' + relative;
}

// The language option shows these as they stand in every language, so no table may hold them.
const QStringList kLanguageOptionTexts = {
    QStringLiteral("语言（Language）"), QStringLiteral("中文（Chinese）"), QStringLiteral("英文（English）")};

// printf-style placeholders in order, then Qt's numbered ones (%1) sorted, as a translation may
// reorder them; only numbered ones end in a digit.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("%(?:%|@|[-+ #0]*\\d*(?:\\.\\d*)?(?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcs]|\\d+)"));
    QStringList ordered, numbered;
    for (const QRegularExpressionMatch &match : pattern.globalMatch(text))
        (match.captured().back().isDigit() ? numbered : ordered) << match.captured();
    numbered.sort();
    return ordered + numbered;
}

// Full-width and CJK punctuation; the yuan sign stays as the currency sign.
bool hasFullWidthPunctuation(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'￥')
            continue;
        if ((u >= 0x3000 && u <= 0x303f) || (u >= 0xff00 && u <= 0xffef))
            return true;
    }
    return false;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private:
    QJsonObject english;
    QString builtResources;
    std::unique_ptr<QObject> observer;
    QList<QThread *> postedOn;

    LanguageManager &manager() { return LanguageManager::defaultManager(); }

private slots:
    void initTestCase()
    {
        QFile file(sourcePath(QStringLiteral("resources/en-strings")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        english = QJsonDocument::fromJson(file.readAll()).object();
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
        columns<QString, QString, QString>("language", "key", "expected");
        QVERIFY2(english.size() >= 200, qPrintable(QString::number(english.size()) + u" entries"_s));
        for (auto it = english.begin(); it != english.end(); ++it)
            QTest::addRow("en %s", qPrintable(it.key()))
                << LanguageManager::kEnglish << it.key() << it.value().toString();
        QTest::newRow("unknown text")
            << LanguageManager::kEnglish << u"不在表中的文字"_s << u"不在表中的文字"_s;
        for (const QString &key : {u"时价"_s, u"确定"_s, u"%@人 ￥%.2f"_s})
            QTest::addRow("zh %s", qPrintable(key)) << LanguageManager::kChinese << key << key;
    }

    void readString()
    {
        auto [language, key, expected] = row<QString, QString, QString>("language", "key", "expected");
        manager().loadLanguage(LanguageManager::kEnglish, false); // Chinese must drop it again
        manager().loadLanguage(language, false);
        QCOMPARE(manager().readString(key), expected);
        QCOMPARE(manager().currCode(), std::optional<QString>(language));
    }

    // Start-up loads the saved language quietly; a change is announced once, on the main thread.
    void changeIsAnnouncedOncePerRealChange()
    {
        manager().loadLanguage(LanguageManager::kEnglish, false);
        QCOMPARE(manager().readString(u"取消"_s), u"Cancel"_s);
        manager().loadLanguage(LanguageManager::kChinese, false);
        QCoreApplication::processEvents();
        QList<qsizetype> counts{postedOn.size()};
        for (const QString &language : {LanguageManager::kEnglish, LanguageManager::kEnglish,
                                        LanguageManager::kChinese, LanguageManager::kChinese}) {
            manager().loadLanguage(language);
            counts << postedOn.size();
        }
        QCOMPARE(counts, (QList<qsizetype>{0, 1, 1, 2, 2}));
        QCOMPARE(postedOn.first(), QThread::currentThread());
        QCOMPARE(manager().readString(u"确定"_s), u"确定"_s);
    }

    void badFilesGiveKeysBack_data()
    {
        columns<bool, QByteArray, QString>("present", "content", "expected");
        QTest::newRow("custom table is read") << true << R"({"确定": "Yes"})"_ba << u"Yes"_s;
        QTest::newRow("missing file") << false << QByteArray() << u"确定"_s;
        QTest::newRow("broken json") << true << R"({"确定": "Yes")"_ba << u"确定"_s;
        QTest::newRow("value not a string") << true << R"({"确定": 5})"_ba << u"确定"_s;
    }

    void badFilesGiveKeysBack()
    {
        auto [present, content, expected] = row<bool, QByteArray, QString>("present", "content", "expected");
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

    // Every value: English, free of full-width punctuation, with the key's placeholders and line
    // breaks, and a label's colon as ": "; the language options are in no table.
    void englishValuesAreEnglishInTheKeysForm()
    {
        QStringList faults;
        for (const QString &text : kLanguageOptionTexts)
            if (english.contains(text))
                faults << text + u": must show as it stands"_s;
        for (auto it = english.begin(); it != english.end(); ++it) {
            const QString key = it.key();
            const QString value = it.value().toString();
            if (value.trimmed().isEmpty())
                faults << key + u": empty"_s;
            if (containsCjkIdeograph(value))
                faults << key + u": Chinese left in "_s + value;
            if (hasFullWidthPunctuation(value))
                faults << key + u": full-width punctuation in "_s + value;
            if (placeholders(key) != placeholders(value))
                faults << key + u": placeholders differ in "_s + value;
            if (key.count(u'\n') != value.count(u'\n'))
                faults << key + u": line breaks differ in "_s + value;
            if (key.endsWith(u'：') && !value.endsWith(QStringLiteral(": ")))
                faults << key + u": a label ending in a colon must end in \": \", not "_s + value;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void everyChineseLiteralOfTheSourcesIsTranslated()
    {
        QDirIterator files(
            sourcePath(QStringLiteral("src")),
            {QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.qml"), QStringLiteral("*.js")},
            QDir::Files, QDirIterator::Subdirectories);
        int scanned = 0;
        QStringList missing;
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            ++scanned;
            const SourceLanguage language =
                path.endsWith(QStringLiteral(".qml")) || path.endsWith(QStringLiteral(".js"))
                    ? SourceLanguage::JavaScript
                    : SourceLanguage::Cpp;
            for (const SourceLiteral &literal : stringLiterals(QString::fromUtf8(file.readAll()), language)) {
                if (!containsCjkIdeograph(literal.text) || kLanguageOptionTexts.contains(literal.text))
                    continue;
                if (!english.contains(literal.text))
                    missing << path.mid(sourcePath({}).size()) + u':' + QString::number(literal.line) +
                                   u": "_s + literal.text;
            }
        }
        QVERIFY2(scanned > 0, "no sources found under src/");
        QVERIFY2(missing.isEmpty(), qPrintable(u"not in en-strings:\n"_s + missing.join(u'\n')));
    }

    // The coverage check above is only as good as the scanner; these pin what it reads.
    void scannerReadsLiterals_data()
    {
        // expected: each literal's text, "@", its line
        columns<QString, bool, QStringList>("source", "javaScript", "expected");

        QTest::newRow("plain and prefixed") << u"a(\"确定\");\nb(u\"取消\"_s, QStringLiteral(\"时价\"));"_s
                                            << false << QStringList{u"确定@1"_s, u"取消@2"_s, u"时价@2"_s};
        QTest::newRow("comments skipped")
            << u"// \"一\"\n/* \"二\"\n \"三\" */ x(\"四\"); // \"五\""_s << false << QStringList{u"四@3"_s};
        QTest::newRow("escapes") << u"x(\"\\\"引\\\"\\n\\\\\", \"\\u83dc\");"_s << false
                                 << QStringList{u"\"引\"\n\\@1"_s, u"菜@1"_s};
        QTest::newRow("quote in a character")
            << u"c = '\"'; s = \"菜\"; n = 1'000;"_s << false << QStringList{u"菜@1"_s};
        QTest::newRow("prefixed characters")
            << u"s = u'\"' + u'/' + \"菜\";"_s << false << QStringList{u"菜@1"_s};
        QTest::newRow("raw string") << u"s = R\"x(a\"b\n菜)x\"; t = \"汤\";"_s << false
                                    << QStringList{u"a\"b\n菜@1"_s, u"汤@2"_s};
        QTest::newRow("adjacent literals join") << u"s = \"请先\"\n    \"点菜\"; t = \"x\", \"y\";"_s << false
                                                << QStringList{u"请先点菜@1"_s, u"x@2"_s, u"y@2"_s};
        QTest::newRow("qml quotes") << u"text: qsTr('确定') // '注释'\nlabel: `取\n消` + \"时价\""_s << true
                                    << QStringList{u"确定@1"_s, u"取\n消@2"_s, u"时价@3"_s};
    }

    void scannerReadsLiterals()
    {
        auto [source, javaScript, expected] =
            row<QString, bool, QStringList>("source", "javaScript", "expected");
        QStringList found;
        for (const SourceLiteral &literal :
             stringLiterals(source, javaScript ? SourceLanguage::JavaScript : SourceLanguage::Cpp))
            found << literal.text + u'@' + QString::number(literal.line);
        QCOMPARE(found, expected);
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
