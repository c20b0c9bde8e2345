#include "CatalogueFixtures.h"

#include <QLocale>

class TestCatalogueTaste : public QObject {
    Q_OBJECT
private slots:
    // The record form, both ways; odd records are read as far as they go.
    void records_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<TasteInfo>("taste");
        QTest::addColumn<bool>("written"); // the taste writes this record back
        QTest::newRow("catalogue taste")
            << u"12|少盐|3|1|A|2.000000"_s << taste(u"12"_s, u"少盐"_s, u"A"_s, 2) << true;
        QTest::newRow("manual taste") << u"-999|打包|||A|1.000000"_s << manual(u"打包"_s, 1) << true;
        QTest::newRow("fraction") << u"7|加辣|3|1|P|12.500000"_s << taste(u"7"_s, u"加辣"_s, u"P"_s, 12.5f)
                                  << true;
        QTest::newRow("negative") << u"8|免葱|3|1|A|-2.000000"_s << taste(u"8"_s, u"免葱"_s, u"A"_s, -2)
                                  << true;
        QTest::newRow("empty") << QString() << TasteInfo{} << false;
        QTest::newRow("number only") << u"12"_s << TasteInfo{u"12"_s, {}, {}, {}, {}, 0} << false;
        QTest::newRow("three fields")
            << u"12|少盐|3"_s << TasteInfo{u"12"_s, u"少盐"_s, u"3"_s, {}, {}, 0} << false;
        QTest::newRow("no amount") << u"12|少盐|3|1|A"_s
                                   << TasteInfo{u"12"_s, u"少盐"_s, u"3"_s, u"1"_s, u"A"_s, 0} << false;
        QTest::newRow("bar in the name") << u"12|少|盐|3|1|A|2.000000"_s
                                         << TasteInfo{u"12"_s, u"少|盐"_s, u"3"_s, u"1"_s, u"A"_s, 2} << true;
        const TasteInfo unreadAmount{u"1"_s, u"a"_s, {}, {}, u"A"_s, 0};
        QTest::newRow("unreadable amount") << u"1|a|||A|abc"_s << unreadAmount << false;
        QTest::newRow("decimal comma") << u"1|a|||A|1,5"_s << unreadAmount << false;
        QTest::newRow("not a number") << u"1|a|||A|nan"_s << unreadAmount << false;
        QTest::newRow("infinite") << u"1|a|||A|inf"_s << unreadAmount << false;
        QTest::newRow("blanks around")
            << u"1|a|||A| 2.5 "_s << TasteInfo{u"1"_s, u"a"_s, {}, {}, u"A"_s, 2.5f} << false;
    }

    void records()
    {
        QFETCH(QString, record);
        QFETCH(TasteInfo, taste);
        QFETCH(bool, written);
        QCOMPARE(TasteInfo::fromString(record), taste);
        if (written)
            QCOMPARE(taste.fullInfoString(), record);
    }

    // A line's tastes as sent (bound numbers, typed ones), held and shown; the held form reads back.
    void listForms_data()
    {
        QTest::addColumn<QList<TasteInfo>>("tastes");
        QTest::addColumn<QStringList>("forms"); // sent bound, sent typed, held, shown
        QTest::newRow("mixed")
            << QList{taste(u"12"_s, u"少盐"_s, u"A"_s, 0), manual(u"打包"_s, 1),
                     taste(u"15"_s, u"加辣"_s, u"P"_s, 10)}
            << QStringList{u"12,15"_s, u"打包\t1.000000"_s,
                           u"12|少盐|3|1|A|0.000000^-999|打包|||A|1.000000^15|加辣|3|1|P|10.000000"_s,
                           u"少盐,打包(￥1.00),加辣(10.00%)"_s};
        QTest::newRow("typed only") << QList{manual(u"a"_s, 0), manual(u"b"_s, 2.5f)}
                                    << QStringList{QString(), u"a\t0.000000,b\t2.500000"_s,
                                                   u"-999|a|||A|0.000000^-999|b|||A|2.500000"_s,
                                                   u"a,b(￥2.50)"_s};
        QTest::newRow("bars in a name")
            << QList{taste(u"1"_s, u"a|b|c"_s, u"A"_s, 1), taste(u"2"_s, u"d"_s, u"P"_s, 5)}
            << QStringList{u"1,2"_s, QString(), u"1|a|b|c|3|1|A|1.000000^2|d|3|1|P|5.000000"_s,
                           u"a|b|c(￥1.00),d(5.00%)"_s};
        QTest::newRow("none") << QList<TasteInfo>{}
                              << QStringList{QString(), QString(), QString(), QString()};
    }

    void listForms()
    {
        QFETCH(QList<TasteInfo>, tastes);
        QFETCH(QStringList, forms);
        QCOMPARE((QStringList{TasteInfo::sendTasteDefString(tastes), TasteInfo::sendTasteManualString(tastes),
                              TasteInfo::guaDanTasteString(tastes), TasteInfo::displayTasteString(tastes)}),
                 forms);
        const auto read = TasteInfo::parseGuadanTasteString(forms.at(2));
        QCOMPARE(read, tastes.isEmpty() ? std::nullopt : std::optional(tastes));
    }

    void emptyHeldPiecesAreSkipped()
    {
        const auto tastes = TasteInfo::parseGuadanTasteString(u"1|a|||A|0^^2|b|||A|0^"_s);
        QVERIFY(tastes.has_value());
        QCOMPARE(mapped(*tastes, [](const TasteInfo &t) { return t.TasteNo; }),
                 (QStringList{u"1"_s, u"2"_s}));
        QCOMPARE(TasteInfo::parseGuadanTasteString(u"^"_s), std::optional(QList<TasteInfo>{}));
    }

    void displayForm_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<float>("amount");
        QTest::addColumn<QString>("shown");
        QTest::newRow("P 10") << u"P"_s << 10.0f << u"加辣(10.00%)"_s;
        QTest::newRow("P 0") << u"P"_s << 0.0f << u"加辣"_s;
        QTest::newRow("P negative") << u"P"_s << -5.0f << u"加辣"_s;
        QTest::newRow("A 3") << u"A"_s << 3.0f << u"加辣(￥3.00)"_s;
        QTest::newRow("A -2") << u"A"_s << -2.0f << u"加辣(￥-2.00)"_s;
        QTest::newRow("A 0") << u"A"_s << 0.0f << u"加辣"_s;
        QTest::newRow("other style shows money") << u"X"_s << 3.0f << u"加辣(￥3.00)"_s;
    }

    void displayForm()
    {
        QFETCH(QString, style);
        QFETCH(float, amount);
        QFETCH(QString, shown);
        QCOMPARE(taste(u"1"_s, u"加辣"_s, style, amount).displayTasteString(), shown);
    }

    void invalidTypedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("comma") << u"a,b"_s << true;
        QTest::newRow("bar") << u"a|b"_s << true;
        QTest::newRow("caret") << u"a^b"_s << true;
        QTest::newRow("tab") << u"a\tb"_s << true;
        QTest::newRow("blank") << u"a b"_s << false;
        QTest::newRow("full-width comma") << u"少盐，多醋"_s << false;
        QTest::newRow("empty") << QString() << false;
    }

    void invalidTypedText()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QCOMPARE(TasteInfo::hasInputContainInvalidChar(text), refused);
    }

    void numbersIgnoreTheLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const TasteInfo read = TasteInfo::fromString(u"1|a|||P|2.5"_s);
        const QString written = taste(u"1"_s, u"a"_s, u"P"_s, 2.5f).fullInfoString();
        const QString shown = read.displayTasteString();
        QLocale::setDefault(saved);
        QCOMPARE(read.TasteAmt, 2.5f);
        QCOMPARE((QStringList{written, shown}), (QStringList{u"1|a|3|1|P|2.500000"_s, u"a(2.50%)"_s}));
    }

    void surcharge_data()
    {
        QTest::addColumn<QList<TasteInfo>>("tastes");
        QTest::addColumn<float>("base");
        QTest::addColumn<float>("added");
        const TasteInfo p10 = taste(u"1"_s, u"p"_s, u"P"_s, 10);
        const TasteInfo a2 = taste(u"2"_s, u"a"_s, u"A"_s, 2);
        QTest::newRow("two P of 10 on 50, not compounded") << QList{p10, p10} << 50.0f << 10.0f;
        QTest::newRow("A once, P of the base") << QList{a2, p10} << 50.0f << 7.0f;
        QTest::newRow("A on a zero base") << QList{a2} << 0.0f << 2.0f;
        QTest::newRow("negative A") << QList{taste(u"3"_s, u"n"_s, u"A"_s, -2)} << 50.0f << -2.0f;
        QTest::newRow("other styles add nothing")
            << QList{taste(u"4"_s, u"x"_s, u"X"_s, 5), taste(u"5"_s, u"e"_s, {}, 5)} << 50.0f << 0.0f;
        QTest::newRow("manual taste is an A taste") << QList{manual(u"打包"_s, 1)} << 50.0f << 1.0f;
        QTest::newRow("no tastes") << QList<TasteInfo>{} << 50.0f << 0.0f;
    }

    void surcharge()
    {
        QFETCH(QList<TasteInfo>, tastes);
        QFETCH(float, base);
        QFETCH(float, added);
        QCOMPARE(TasteInfo::surcharge(tastes, base), added);
    }

    void manualTasteIsRecognised()
    {
        const TasteInfo typed = TasteInfo::genManualTaste();
        QCOMPARE(typed, (TasteInfo{u"-999"_s, {}, {}, {}, u"A"_s, 0}));
        QVERIFY(typed.isManualTaste() && typed.isAddPrice() && !typed.isAddPercent());
        QVERIFY(!taste(u"-9990"_s, u"x"_s, u"A"_s, 0).isManualTaste());
    }
};

QTEST_GUILESS_MAIN(TestCatalogueTaste)
#include "tst_catalogue_taste.moc"
