#include "foundation/CommonUtils.h"

#include <QTest>

#include <cstdio>

class TestCommonUtils : public QObject {
    Q_OBJECT
private slots:
    void removeStringZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one decimal kept") << "2.50" << "2.5";
        QTest::newRow("whole") << "3.00" << "3";
        QTest::newRow("zero") << "0.00" << "0";
        QTest::newRow("no point keeps zeros") << "100" << "100";
        QTest::newRow("ten point zero") << "10.0" << "10";
        QTest::newRow("1.50") << "1.50" << "1.5";
        QTest::newRow("nothing to cut") << "1.25" << "1.25";
    }
    void removeStringZero()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CommonUtils::removeStringZero(text), expected);
    }

    void removeFloatZero_data()
    {
        QTest::addColumn<float>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2.5") << 2.5f << "2.5";
        QTest::newRow("3") << 3.0f << "3";
        QTest::newRow("rounds to two places") << 1.005f << "1";
        QTest::newRow("0.333") << 0.333f << "0.33";
        QTest::newRow("negative") << -2.5f << "-2.5";
        QTest::newRow("large") << 100000.0f << "100000";
    }
    void removeFloatZero()
    {
        QFETCH(float, number);
        QFETCH(QString, expected);
        QCOMPARE(CommonUtils::removeFloatZero(number), expected);
    }

    void isValidNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("digits") << "123" << true;
        QTest::newRow("decimal") << "12.5" << true;
        QTest::newRow("several points pass") << "1.2.3" << true;
        QTest::newRow("only a point") << "." << true;
        QTest::newRow("empty fails") << "" << false;
        QTest::newRow("minus") << "-1" << false;
        QTest::newRow("blank") << "1 2" << false;
        QTest::newRow("letter") << "12a" << false;
        QTest::newRow("full-width digit") << QStringLiteral("１２") << false;
        QTest::newRow("comma") << "1,5" << false;
    }
    void isValidNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(CommonUtils::isValidNumber(text), valid);
    }

    void editedNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value"); // -1: refused
        QTest::newRow("zero") << "0" << 0.0f;
        QTest::newRow("decimal") << "2.5" << 2.5f;
        QTest::newRow("leading point") << ".5" << 0.5f;
        QTest::newRow("trailing point") << "3." << 3.0f;
        QTest::newRow("only a point") << "." << -1.0f;
        QTest::newRow("two points") << "1..2" << -1.0f;
        QTest::newRow("three parts") << "1.2.3" << -1.0f;
        QTest::newRow("minus") << "-50" << -1.0f;
        QTest::newRow("empty") << "" << -1.0f;
        QTest::newRow("letter") << "a" << -1.0f;
    }
    void editedNumber()
    {
        QFETCH(QString, text);
        QFETCH(float, value);
        const std::optional<float> read = CommonUtils::editedNumber(text);
        QCOMPARE(read.value_or(-1.0f), value);
    }

    void escaping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unreserved stay") << "aZ09-_.~" << "aZ09-_.~";
        QTest::newRow("reserved") << "a b&c=d?e/f+g#h%" << "a%20b%26c%3Dd%3Fe%2Ff%2Bg%23h%25";
        QTest::newRow("chinese utf-8") << QStringLiteral("菜") << "%E8%8F%9C";
        QTest::newRow("quotes and angle brackets") << "<\"'>" << "%3C%22%27%3E";
        QTest::newRow("empty") << "" << "";
    }
    void escaping()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CommonUtils::stringByEscapingForURLArgument(text), expected);
    }

    void formatsMatchC_data()
    {
        QTest::addColumn<float>("number");
        QTest::addColumn<QString>("two");
        QTest::addColumn<QString>("six");
        QTest::newRow("12.5") << 12.5f << "12.50" << "12.500000";
        QTest::newRow("exact tie rounds to even") << 0.125f << "0.12" << "0.125000";
        QTest::newRow("tie up to even") << 0.375f << "0.38" << "0.375000";
        QTest::newRow("float noise") << 0.1f << "0.10" << "0.100000";
        QTest::newRow("negative") << -2.0f << "-2.00" << "-2.000000";
        QTest::newRow("large") << 123456.78f << "123456.78" << "123456.781250";
    }
    void formatsMatchC()
    {
        QFETCH(float, number);
        QFETCH(QString, two);
        QFETCH(QString, six);
        QCOMPARE(CommonUtils::format2(number), two);
        QCOMPARE(CommonUtils::format6(number), six);
        char c[64];
        std::snprintf(c, sizeof c, "%.2f", double(number));
        QCOMPARE(CommonUtils::format2(number), QString::fromLatin1(c));
    }

    void formatsIgnoreLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(CommonUtils::format2(12.5f), QStringLiteral("12.50"));
        QCOMPARE(CommonUtils::format6(2.0f), QStringLiteral("2.000000"));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_GUILESS_MAIN(TestCommonUtils)
#include "tst_commonutils.moc"
