// What the answer to a table-state request says about the guests of the bound table: a count is
// taken only from the table's first row, only when it is in use and the count is not empty.
#include "order/OrderSendChecks.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
Row row(const std::optional<QString> &useIndex, const std::optional<QString> &custNumber,
        const QString &deskNo = u"A01"_s)
{
    Row made;
    made.deskNo = deskNo;
    made.useIndex = useIndex;
    made.custNumber = custNumber;
    return made;
}
} // namespace

class TestOrderSendChecks : public QObject {
    Q_OBJECT
private slots:
    void guestsInUse_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<std::optional<QString>>("guests");
        const std::optional<QString> ask;
        QTest::newRow("in use") << QList<Row>{row(u"1"_s, u"4"_s)} << std::optional<QString>(u"4"_s);
        QTest::newRow("in use, other index")
            << QList<Row>{row(u"3"_s, u"6"_s)} << std::optional<QString>(u"6"_s);
        QTest::newRow("free") << QList<Row>{row(u"0"_s, u"4"_s)} << ask;
        QTest::newRow("no use index") << QList<Row>{row(std::nullopt, u"4"_s)} << ask;
        QTest::newRow("no count") << QList<Row>{row(u"1"_s, std::nullopt)} << ask;
        QTest::newRow("empty count") << QList<Row>{row(u"1"_s, QString())} << ask;
        QTest::newRow("only another table") << QList<Row>{row(u"1"_s, u"4"_s, u"A02"_s)} << ask;
        QTest::newRow("first row of the table counts")
            << QList<Row>{row(u"1"_s, u"2"_s, u"A02"_s), row(u"0"_s, u"2"_s), row(u"1"_s, u"4"_s)} << ask;
        QTest::newRow("no rows") << QList<Row>() << ask;
    }
    void guestsInUse()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(std::optional<QString>, guests);
        QCOMPARE(OrderSendChecks::guestsInUse(rows, u"A01"_s), guests);
    }
};

QTEST_GUILESS_MAIN(TestOrderSendChecks)
#include "tst_order_send_checks.moc"
