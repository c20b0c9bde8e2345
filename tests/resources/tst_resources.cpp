#include "SourceLiterals.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString sourcePath(const QString &relative)
{
    return QStringLiteral(DIANCAI_SOURCE_DIR) + u'/' + relative;
}

// The language option shows these as they stand in every language, so no table may hold them.
const QStringList kLanguageOptionTexts = {
    QStringLiteral("语言（Language）"), QStringLiteral("中文（Chinese）"), QStringLiteral("英文（English）")};

// printf-style placeholders in order, and Qt's numbered ones (%1), which a translation may reorder.
struct Placeholders {
    QStringList ordered;
    QStringList numbered;
    bool operator==(const Placeholders &) const = default;
};

Placeholders placeholders(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("%(?:%|@|[-+ #0]*\\d*(?:\\.\\d*)?(?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcs]|\\d+)"));
    Placeholders found;
    for (const QRegularExpressionMatch &match : pattern.globalMatch(text)) {
        const QString placeholder = match.captured();
        static const QRegularExpression numbered(QStringLiteral("^%\\d+$"));
        if (numbered.match(placeholder).hasMatch())
            found.numbered.append(placeholder);
        else
            found.ordered.append(placeholder);
    }
    found.numbered.sort();
    return found;
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

QJsonObject readObject(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private:
    QJsonObject english;

private slots:
    void initTestCase() { english = readObject(sourcePath(QStringLiteral("resources/en-strings"))); }

    void languageFilesAreJsonObjects_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("en") << QStringLiteral("en-strings");
        QTest::newRow("zh") << QStringLiteral("zh-strings");
    }

    void languageFilesAreJsonObjects()
    {
        QFETCH(QString, name);
        QFile file(sourcePath(QStringLiteral("resources/") + name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QVERIFY2(!bytes.startsWith("\xEF\xBB\xBF"), "UTF-8 without a byte-order mark");
        QVERIFY2(QString::fromUtf8(bytes).toUtf8() == bytes, "valid UTF-8");
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        QVERIFY(doc.isObject());
        const QJsonObject object = doc.object();
        for (auto it = object.begin(); it != object.end(); ++it)
            QVERIFY2(it.value().isString(), qPrintable(it.key()));
    }

    void tableIsNotEmptied()
    {
        QVERIFY2(english.size() >= 200, qPrintable(QString::number(english.size()) + u" entries"_s));
        for (const QString &text : kLanguageOptionTexts)
            QVERIFY2(!english.contains(text), qPrintable(text + u" must show as it stands"_s));
    }

    // Every value: English, free of full-width punctuation, with the key's placeholders and line
    // breaks, and a label's colon as ": ".
    void englishValuesAreEnglishInTheKeysForm()
    {
        QStringList faults;
        for (auto it = english.begin(); it != english.end(); ++it) {
            const QString key = it.key();
            const QString value = it.value().toString();
            if (value.trimmed().isEmpty())
                faults << key + u": empty"_s;
            if (containsCjkIdeograph(value))
                faults << key + u": Chinese left in "_s + value;
            if (hasFullWidthPunctuation(value))
                faults << key + u": full-width punctuation in "_s + value;
            if (!(placeholders(key) == placeholders(value)))
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
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("javaScript");
        QTest::addColumn<QStringList>("expected"); // each literal's text, "@", its line

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
        QTest::newRow("comment marks inside a string") << u"s = \"// 不是注释 /*\"; t = \"菜\";"_s << false
                                                       << QStringList{u"// 不是注释 /*@1"_s, u"菜@1"_s};
        QTest::newRow("raw string") << u"s = R\"x(a\"b\n菜)x\"; t = \"汤\";"_s << false
                                    << QStringList{u"a\"b\n菜@1"_s, u"汤@2"_s};
        QTest::newRow("adjacent literals join") << u"s = \"请先\"\n    \"点菜\"; t = \"x\", \"y\";"_s << false
                                                << QStringList{u"请先点菜@1"_s, u"x@2"_s, u"y@2"_s};
        QTest::newRow("qml quotes") << u"text: qsTr('确定') // '注释'\nlabel: `取\n消` + \"时价\""_s << true
                                    << QStringList{u"确定@1"_s, u"取\n消@2"_s, u"时价@3"_s};
        QTest::newRow("unterminated ends at the line")
            << u"s = \"菜\nt = \"汤\";"_s << false << QStringList{u"菜@1"_s, u"汤@2"_s};
    }

    void scannerReadsLiterals()
    {
        QFETCH(QString, source);
        QFETCH(bool, javaScript);
        QFETCH(QStringList, expected);
        QStringList found;
        for (const SourceLiteral &literal :
             stringLiterals(source, javaScript ? SourceLanguage::JavaScript : SourceLanguage::Cpp))
            found << literal.text + u'@' + QString::number(literal.line);
        QCOMPARE(found, expected);
    }

    void placeholdersAreFound_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ordered");
        QTest::addColumn<QStringList>("numbered");
        QTest::newRow("percent and float")
            << u"已下载：%.f%%"_s << QStringList{u"%.f"_s, u"%%"_s} << QStringList{};
        QTest::newRow("object and amount")
            << u"%@人 ￥%.2f"_s << QStringList{u"%@"_s, u"%.2f"_s} << QStringList{};
        QTest::newRow("long integers") << u"%ld / %lu"_s << QStringList{u"%ld"_s, u"%lu"_s} << QStringList{};
        QTest::newRow("numbered reorder") << u"%2 of %1"_s << QStringList{} << QStringList{u"%1"_s, u"%2"_s};
        QTest::newRow("none") << u"确定"_s << QStringList{} << QStringList{};
    }

    void placeholdersAreFound()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, ordered);
        QFETCH(QStringList, numbered);
        QCOMPARE(placeholders(text).ordered, ordered);
        QCOMPARE(placeholders(text).numbered, numbered);
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
