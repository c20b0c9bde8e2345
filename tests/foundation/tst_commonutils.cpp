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
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("one decimal kept") << "2.50"
                                          << "2.5";
        QTest::newRow("whole") << "3.00"
                               << "3";
        QTest::newRow("no point keeps zeros") << "100"
                                              << "100";
        QTest::newRow("nothing to cut") << "1.25"
                                        << "1.25";
    }
    void removeStringZero()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CommonUtils::removeStringZero(text), expected);
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
        QTest::newRow("full-width digit") << QStringLiteral("１２") << false;
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
        QTest::newRow("minus") << "-50" << -1.0f;
        QTest::newRow("empty") << "" << -1.0f;
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
        QTest::newRow("unreserved stay") << "aZ09-_.~"
                                         << "aZ09-_.~";
        QTest::newRow("reserved") << "a b&c=d?e/f+g#h%"
                                  << "a%20b%26c%3Dd%3Fe%2Ff%2Bg%23h%25";
        QTest::newRow("empty") << ""
                               << "";
    }
    void escaping()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CommonUtils::stringByEscapingForURLArgument(text), expected);
    }

    // Amounts as C's "%.2f" and "%f" give them, whatever the locale, and with trailing zeros cut.
    void formatsMatchC_data()
    {
        QTest::addColumn<float>("number");
        QTest::addColumn<QString>("two");
        QTest::addColumn<QString>("six");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("12.5") << 12.5f << "12.50"
                              << "12.500000"
                              << "12.5";
        QTest::newRow("whole") << 3.0f << "3.00"
                               << "3.000000"
                               << "3";
        QTest::newRow("exact tie rounds to even") << 0.125f << "0.12"
                                                  << "0.125000"
                                                  << "0.12";
        QTest::newRow("tie up to even") << 0.375f << "0.38"
                                        << "0.375000"
                                        << "0.38";
        QTest::newRow("float noise") << 0.1f << "0.10"
                                     << "0.100000"
                                     << "0.1";
        QTest::newRow("just under a half cent") << 1.005f << "1.00"
                                                << "1.005000"
                                                << "1";
        QTest::newRow("negative") << -2.5f << "-2.50"
                                  << "-2.500000"
                                  << "-2.5";
        QTest::newRow("large") << 123456.78f << "123456.78"
                               << "123456.781250"
                               << "123456.78";
        QTest::newRow("zeros before the point") << 100000.0f << "100000.00"
                                                << "100000.000000"
                                                << "100000";
    }
    void formatsMatchC()
    {
        QFETCH(float, number);
        QFETCH(QString, two);
        QFETCH(QString, six);
        QFETCH(QString, trimmed);
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(CommonUtils::format2(number), two);
        QCOMPARE(CommonUtils::format6(number), six);
        QCOMPARE(CommonUtils::removeFloatZero(number), trimmed);
        QLocale::setDefault(QLocale::c());
        char c[64];
        std::snprintf(c, sizeof c, "%.2f", double(number));
        QCOMPARE(CommonUtils::format2(number), QString::fromLatin1(c));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
};

QTEST_GUILESS_MAIN(TestCommonUtils)
#include "tst_commonutils.moc"
