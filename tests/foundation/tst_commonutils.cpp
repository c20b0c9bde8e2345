#include "TestRows.h"
#include "foundation/CommonUtils.h"

#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
template <typename F> QStringList mapped(const QStringList &texts, F f)
{
    QStringList out;
    for (const QString &text : texts)
        out << f(text);
    return out;
}
} // namespace

class TestCommonUtils : public QObject {
    Q_OBJECT
private slots:
    // Zeros after a decimal point are cut, the point with them; a number without one keeps its zeros.
    void removeStringZero()
    {
        const QStringList texts{u""_s, u"2.50"_s, u"3.00"_s, u"100"_s, u"1.25"_s};
        QCOMPARE(mapped(texts, &CommonUtils::removeStringZero),
                 (QStringList{u""_s, u"2.5"_s, u"3"_s, u"100"_s, u"1.25"_s}));
    }

    // The older, lenient check: digits and points in any number ("1.2.3" and "." pass).
    void isValidNumber()
    {
        const QStringList texts{u"123"_s, u"12.5"_s, u"1.2.3"_s, u"."_s, u""_s, u"-1"_s, u"１２"_s};
        QCOMPARE(
            mapped(texts, [](const QString &t) { return CommonUtils::isValidNumber(t) ? u"y"_s : u"n"_s; })
                .join(QString()),
            u"yyyynnn"_s);
    }

    void editedNumber_data()
    {
        // value -1: refused
        columns<QString, float>("text", "value");
        QTest::newRow("zero") << "0" << 0.0f;
        QTest::newRow("leading point") << ".5" << 0.5f;
        QTest::newRow("trailing point") << "3." << 3.0f;
        QTest::newRow("only a point") << "." << -1.0f;
        QTest::newRow("two points") << "1..2" << -1.0f;
        QTest::newRow("empty") << "" << -1.0f;
    }
    void editedNumber()
    {
        auto [text, value] = row<QString, float>("text", "value");
        const std::optional<float> read = CommonUtils::editedNumber(text);
        QCOMPARE(read.value_or(-1.0f), value);
    }

    // Amounts as C's "%.2f" and "%f" give them, whatever the locale, and with trailing zeros cut.
    void formatsMatchC_data()
    {
        // texts: "%.2f", "%f", trimmed
        columns<float, QString>("number", "texts");
        QTest::newRow("whole") << 3.0f << u"3.00 3.000000 3"_s;
        QTest::newRow("exact tie rounds to even") << 0.125f << u"0.12 0.125000 0.12"_s;
        QTest::newRow("float noise") << 0.1f << u"0.10 0.100000 0.1"_s;
        QTest::newRow("just under a half cent") << 1.005f << u"1.00 1.005000 1"_s;
        QTest::newRow("large") << 123456.78f << u"123456.78 123456.781250 123456.78"_s;
        QTest::newRow("zeros before the point") << 100000.0f << u"100000.00 100000.000000 100000"_s;
    }
    void formatsMatchC()
    {
        auto [number, texts] = row<float, QString>("number", "texts");
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(CommonUtils::format2(number) + u' ' + CommonUtils::format6(number) + u' ' +
                     CommonUtils::removeFloatZero(number),
                 texts);
        QLocale::setDefault(QLocale::c());
        char c[64];
        std::snprintf(c, sizeof c, "%.2f", double(number));
        QCOMPARE(CommonUtils::format2(number), QString::fromLatin1(c));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
};

QTEST_GUILESS_MAIN(TestCommonUtils)
#include "tst_commonutils.moc"
