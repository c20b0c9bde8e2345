#include "HostileReplies.h"
#include "server/ResponseParser.h"
#include "server/XmlReply.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QByteArray kDecl = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>");

QByteArray reply(const QByteArray &children)
{
    return kDecl + "<Root>" + children + "</Root>";
}

QByteArray list(const QByteArray &rows)
{
    return reply("<ReturnCode>0</ReturnCode><ReturnList><Rows>" + rows + "</Rows></ReturnList>");
}

std::optional<QString> text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The fields joined by "|", an absent one as "(absent)".
QString fields(std::initializer_list<std::optional<QString>> values)
{
    QStringList texts;
    for (const auto &value : values)
        texts << value.value_or(u"(absent)"_s);
    return texts.join(u'|');
}
using Read = std::function<QStringList(const QByteArray &)>;
} // namespace

class TestResponseParser : public QObject {
    Q_OBJECT
private:
    ResponseParser &parser = ResponseParser::sharedParser();

private slots:
    void readsElementText_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("element");
        QTest::addColumn<std::optional<QString>>("expected");
        const QString msg = u"ReturnMsg"_s;
        QTest::newRow("gb2312 text") << reply("<ReturnMsg>\xD6\xD0\xCE\xC4</ReturnMsg>") << msg
                                     << text("中文");
        QTest::newRow("names outside gb2312 under a gb2312 declaration")
            << reply("<ReturnMsg>\xD5\xC5\x86\xB4\x88\xD2\xE9\x46</ReturnMsg>") << msg << text("张喆堃镕");
        QTest::newRow("four-byte gb18030")
            << reply("<ReturnMsg>\x95\x32\x82\x36</ReturnMsg>") << msg << text("\xF0\xA0\x80\x80");
        QTest::newRow("declared utf-8, read as gb18030")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><R><ReturnMsg>\xD6\xD0</ReturnMsg></R>")
            << msg << text("中");
        QTest::newRow("no declaration, any root name")
            << QByteArray("<Anything><ReturnValue>pkg.zip</ReturnValue></Anything>") << u"ReturnValue"_s
            << text("pkg.zip");
        QTest::newRow("blank nodes dropped")
            << QByteArray(kDecl + "\r\n<R>\r\n  <ReturnCode>0</ReturnCode>\r\n</R>\r\n") << u"ReturnCode"_s
            << text("0");
        QTest::newRow("cdata as text")
            << reply("<ReturnMsg><![CDATA[a<b>&c]]></ReturnMsg>") << msg << text("a<b>&c");
        QTest::newRow("whole text content")
            << reply("<ReturnMsg>a<i>b<i>c</i></i>d</ReturnMsg>") << msg << text("abcd");
        QTest::newRow("character references")
            << reply("<ReturnMsg>&lt;&#x4E2D;&amp;</ReturnMsg>") << msg << text("<中&");
        QTest::newRow("only the first")
            << reply("<ReturnMsg>1</ReturnMsg><ReturnMsg>2</ReturnMsg>") << msg << text("1");
        QTest::newRow("empty element") << reply("<ReturnMsg/>") << msg << text("");
        QTest::newRow("missing") << reply("<ReturnCode>0</ReturnCode>") << msg << std::optional<QString>();
        QTest::newRow("only children of the root count")
            << reply("<X><ReturnMsg>deep</ReturnMsg></X>") << msg << std::optional<QString>();
        QTest::newRow("blank text between tags dropped")
            << reply("<ReturnMsg>\n  <b>x y</b>\n  <b> </b>\n</ReturnMsg>") << msg << text("x y");
        QTest::newRow("readable only after the repair")
            << reply("<ReturnMsg>a\377b</ReturnMsg>") << msg << text("a\357\277\275b");
    }
    void readsElementText()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, element);
        QFETCH(std::optional<QString>, expected);
        std::optional<QString> error;
        QCOMPARE(parser.parseResponseData(data, element, &error), expected);
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
    }

    void unreadableReplyFailsEveryOperation_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("not xml") << QByteArray("Service Unavailable");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("html") << QByteArray("<html><body><p>x</body></html>");
        QTest::newRow("truncated") << QByteArray(kDecl + "<R><ReturnCode>0</ReturnCode>");
        QTest::newRow("nested too deep") << QByteArray("<R>").repeated(5000);
        QTest::newRow("larger than allowed")
            << QByteArray("<R>" + QByteArray(XmlReply::kMaxReplyBytes, ' ') + "</R>");
        QTest::newRow("internal entity")
            << QByteArray("<!DOCTYPE R [<!ENTITY e \"boom\">]><R><ReturnCode>&e;</ReturnCode></R>");
        QTest::newRow("external entity") << QByteArray(
            "<!DOCTYPE R [<!ENTITY e SYSTEM \"file:///etc/hostname\">]><R><ReturnCode>&e;</ReturnCode></R>");
        QTest::newRow("external document type")
            << QByteArray("<!DOCTYPE R SYSTEM \"http://127.0.0.1:9/r.dtd\"><R/>");
        QTest::newRow("undeclared entity") << QByteArray("<R><ReturnCode>&e;</ReturnCode></R>");
        QByteArray laughs = "<!DOCTYPE R [<!ENTITY a0 \"ha\">";
        for (int i = 1; i < 12; ++i)
            laughs += "<!ENTITY a" + QByteArray::number(i) + " \"" +
                      QByteArray("&a" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
        QTest::newRow("entity expansion") << QByteArray(laughs + "]><R><ReturnCode>&a11;</ReturnCode></R>");
    }
    void unreadableReplyFailsEveryOperation()
    {
        QFETCH(QByteArray, data);
        std::optional<QString> error;
        QVERIFY(!parser.parseResponseData(data, u"ReturnCode"_s, &error));
        QVERIFY(error && !error->isEmpty());
        QVERIFY(!parser.parseGetRoomDeskState(data) && !parser.parseDeskSaleList(data, false) &&
                !parser.parseGqFoodList(data) && !parser.parseParaList(data));
    }

    void repairStep_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("next");
        const QByteArray good = reply("<ReturnCode>0</ReturnCode>");
        QTest::newRow("readable bytes kept") << good << good;
        QTest::newRow("decoded, replaced, encoded again")
            << QByteArray(kDecl + "\r\n<R>\xFF\xD6\xD0</R>")
            << QByteArray("<?xml version=\"1.0\" encoding=\"GB18030\" ?> \r<R>\x84\x31\xA4\x37\xD6\xD0</R>");
    }
    void repairStep()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, next);
        QCOMPARE(parser.handleParseResponseError(data), next);
    }

    // Shapes whose reading once grew with the square of their size are read (or refused) as any
    // other reply; their time and memory are measured in bench_server.
    void hostileShapes_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("rows");
        using namespace HostileReplies;
        // R, E0 to E4093 and ReturnCode: 4,096 names, the most a reply may use.
        QTest::newRow("4,094 distinct children") << distinctChildren(4094) << true << -1;
        QTest::newRow("4,095 distinct children") << distinctChildren(4095) << false << -1;
        QTest::newRow("40,000 distinct children") << distinctChildren(40000) << false << -1;
        QTest::newRow("4,000 rows, each its own attribute") << distinctAttributes(4000) << true << 4000;
        QTest::newRow("20,000 rows, each its own attribute") << distinctAttributes(20000) << false << -1;
        QTest::newRow("256 attributes on one element") << wideElement(256) << true << 1;
        QTest::newRow("257 attributes on one element") << wideElement(257) << false << -1;
        QTest::newRow("64 namespace declarations") << wideElement(64, true) << true << 1;
        QTest::newRow("65 namespace declarations") << wideElement(65, true) << false << -1;
        const QByteArray manyEquals = QByteArray("=").repeated(1000);
        QTest::newRow("'=' and '>' in values, comments, text and CDATA")
            << QByteArray("<!-- " + manyEquals + " --><?pi " + manyEquals + "?><R>" + manyEquals +
                          "<ReturnMsg><![CDATA[" + manyEquals +
                          "]]></ReturnMsg><ReturnList><L><G foodno=\"a>" + manyEquals + "\" leftQty='0 " +
                          manyEquals +
                          "'/></L></ReturnList>"
                          "<ReturnCode>0</ReturnCode></R>")
            << true << 1;
    }
    void hostileShapes()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, readable);
        QFETCH(int, rows);
        const XmlReply reply(data);
        QCOMPARE(reply.isValid(), readable);
        std::optional<QString> error;
        QCOMPARE(ResponseParser::parseResponseData(reply, u"ReturnCode"_s, &error),
                 readable ? text("0") : std::nullopt);
        QCOMPARE(error.has_value(), !readable);
        const std::optional<QList<Row3>> list = ResponseParser::parseGqFoodList(reply);
        QCOMPARE(list ? int(list->size()) : -1, rows);
        if (rows == 4000)
            QCOMPARE(fields({list->last().foodno, list->last().leftQty, list->last().foodName}),
                     u"3999|0|(absent)"_s);
    }

    void absentLists_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("no ReturnList") << reply("<ReturnCode>0</ReturnCode>");
        QTest::newRow("empty ReturnList") << reply("<ReturnCode>0</ReturnCode><ReturnList/>");
        QTest::newRow("wrapper without rows") << reply("<ReturnList><Rows/></ReturnList>");
        QTest::newRow("blank wrapper") << reply("<ReturnList>\n  <Rows>\n  </Rows>\n</ReturnList>");
    }
    void absentLists()
    {
        QFETCH(QByteArray, data);
        QVERIFY(!parser.parseGetRoomDeskState(data) && !parser.parseDeskSaleList(data, true) &&
                !parser.parseGqFoodList(data));
    }

    void weighingRule_data()
    {
        QTest::addColumn<QByteArray>("attributes");
        QTest::addColumn<bool>("weighed");
        QTest::newRow("printed 2, dish, flag Y")
            << QByteArray("havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"NY\"") << true;
        QTest::newRow("longer flags")
            << QByteArray("havePrtFlag=\"2\" FoodType=\"T\" FlagGroup=\"NYN\"") << true;
        QTest::newRow("no type") << QByteArray("havePrtFlag=\"2\" FlagGroup=\"YY\"") << true;
        QTest::newRow("component") << QByteArray("havePrtFlag=\"2\" FoodType=\"M\" FlagGroup=\"NY\"")
                                   << false;
        QTest::newRow("printed 1") << QByteArray("havePrtFlag=\"1\" FoodType=\"D\" FlagGroup=\"NY\"")
                                   << false;
        QTest::newRow("no printed state") << QByteArray("FoodType=\"D\" FlagGroup=\"NY\"") << false;
        QTest::newRow("second flag N")
            << QByteArray("havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"YN\"") << false;
        QTest::newRow("lower-case y")
            << QByteArray("havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"Ny\"") << false;
        QTest::newRow("one flag") << QByteArray("havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"Y\"") << false;
        QTest::newRow("no flags") << QByteArray("havePrtFlag=\"2\" FoodType=\"D\"") << false;
    }
    void weighingRule()
    {
        QFETCH(QByteArray, attributes);
        QFETCH(bool, weighed);
        const QByteArray data = list("<L pluno=\"1\" " + attributes + "/>");
        const std::optional<QList<Row2>> all = parser.parseDeskSaleList(data, false);
        QVERIFY(all && all->size() == 1);
        QCOMPARE(all->first().isChengZhongItem(), weighed);
        const std::optional<QList<Row2>> filtered = parser.parseDeskSaleList(data, true);
        QCOMPARE(filtered ? filtered->size() : -1, weighed ? 1 : 0);
    }

    // Each record's fields in order, "|"-joined, an absent one as "(absent)".
    void readsRecords_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<Read>("read");
        QTest::addColumn<QStringList>("expected");
        const Read tables = [](const QByteArray &d) {
            QStringList read;
            for (const Row &r :
                 ResponseParser::sharedParser().parseGetRoomDeskState(d).value_or(QList<Row>()))
                read << fields({r.deskNo, r.deskName, r.useIndex, r.custNumber, r.TotalAmt});
            return read;
        };
        QTest::newRow("table states")
            << list("<Row deskNo=\"A1\" deskName=\"\xD2\xBB\xBA\xC5\" useIndex=\"0\" custNumber=\"0\" "
                    "TotalAmt=\"0\"/>"
                    "<Row deskNo=\"A2\" deskName=\"b\" useIndex=\"1\" custNumber=\"4\" TotalAmt=\"88.50\"/>"
                    "<Row deskNo=\"A3\" useIndex=\"2\"/>")
            << tables
            << QStringList{u"A1|一号|0|0|0"_s, u"A2|b|1|4|88.50"_s, u"A3|(absent)|2|(absent)|(absent)"_s};
        QTest::newRow("sale lines")
            << list("<L itemseq=\"7\" pluno=\"1001\" pluName=\"\xD3\xE3\" unitName=\"\xCC\xF5\" "
                    "itemsize=\"\xB4\xF3\" "
                    "saleQty=\"1.5\" SalePrice=\"38\" sellWay=\"1\" havePrtFlag=\"2\" FoodType=\"D\" "
                    "FlagGroup=\"NY\"/>")
            << Read([](const QByteArray &d) {
                   QStringList read;
                   for (const Row2 &r :
                        ResponseParser::sharedParser().parseDeskSaleList(d, false).value_or(QList<Row2>()))
                       read << fields({r.itemseq, r.pluno, r.pluName, r.unitName, r.itemsize, r.saleQty,
                                       r.SalePrice, r.sellWay, r.havePrtFlag, r.FoodType, r.FlagGroup});
                   return read;
               })
            << QStringList{u"7|1001|鱼|条|大|1.5|38|1|2|D|NY"_s};
        const Read soldOut = [](const QByteArray &d) {
            QStringList read;
            for (const Row3 &r : ResponseParser::sharedParser().parseGqFoodList(d).value_or(QList<Row3>()))
                read << fields({r.foodno, r.foodName, r.unitName, r.itemsize, r.InitQty, r.SaleQty, r.leftQty,
                                r.AlterQty});
            return read;
        };
        QTest::newRow("sold-out dishes")
            << list("<G foodno=\"1\" foodName=\"\xD6\xD0\" unitName=\"u\" itemsize=\"s\" InitQty=\"10\" "
                    "SaleQty=\"10\" leftQty=\"0\" AlterQty=\"1\"/><G foodno=\"2\"/>")
            << soldOut
            << QStringList{u"1|中|u|s|10|10|0|1"_s,
                           u"2|(absent)|(absent)|(absent)|(absent)|(absent)|(absent)|(absent)"_s};
        QTest::newRow("only the first list and wrapper, no nested rows")
            << reply("<ReturnList><Rows><G foodno=\"1\"><G foodno=\"nested\"/></G><G leftQty=\"0\"/>"
                     "</Rows><Rows><G foodno=\"second wrapper\"/></Rows></ReturnList>"
                     "<ReturnList><Rows><G foodno=\"second list\"/></Rows></ReturnList>")
            << soldOut
            << QStringList{u"1|(absent)|(absent)|(absent)|(absent)|(absent)|(absent)|(absent)"_s,
                           u"(absent)|(absent)|(absent)|(absent)|(absent)|(absent)|0|(absent)"_s};
        const Read para = [](const QByteArray &d) {
            const std::optional<ParaList> p = ResponseParser::sharedParser().parseParaList(d);
            return p ? QStringList{fields({p->serverDogNo, p->serverVer})} : QStringList();
        };
        QTest::newRow("no parameters") << reply("<ReturnCode>0</ReturnCode>") << para << QStringList();
        QTest::newRow("bare parameters")
            << reply("<ParaList/>") << para << QStringList{u"(absent)|(absent)"_s};
    }
    void readsRecords()
    {
        QFETCH(QByteArray, data);
        QFETCH(Read, read);
        QFETCH(QStringList, expected);
        QCOMPARE(read(data), expected);
    }
};

QTEST_GUILESS_MAIN(TestResponseParser)
#include "tst_server_responseparser.moc"
