// The commands the terminal writes, and the replies it reads back.
#include "HostileReplies.h"
#include "ServerTestHome.h"
#include "TestRows.h"
#include "foundation/SettingsKeys.h"
#include "server/CommandMaker.h"
#include "server/ResponseParser.h"
#include "server/XmlReply.h"
#include "settings/ConfigManager.h"
#include "settings/DeviceIdentity.h"
#include "settings/LoginState.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <thread>

using namespace Qt::StringLiterals;

namespace {
const QString kHead = u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand>"_s;
const QString kTail = u"</ClientCommand>"_s;

// The element names of a document in order, with their texts: "Name=text".
QStringList elementsOf(const QString &document)
{
    QStringList found;
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() != u"ClientCommand") {
            const QString name = reader.name().toString();
            found.append(name + u'=' + reader.readElementText());
        }
    }
    return reader.hasError() ? QStringList{u"error: "_s + reader.errorString()} : found;
}

void loginAs(const QString &accountId)
{
    SettingsStore::shared().remove(Key::AccountId);
    SettingsStore::shared().remove(Key::IsLogin);
    if (!accountId.isEmpty())
        LoginState::setLoggedIn(accountId, u"名"_s);
}

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

class TestServerCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ServerTestHome> home;
    ResponseParser &parser = ResponseParser::sharedParser();

    static QString prefix() { return kHead + DeviceIdentity::devSerialElement() + u"<PosNo>7</PosNo>"_s; }

private slots:
    // Data functions build their commands before init() would run, so the home is made once.
    void initTestCase()
    {
        home = std::make_unique<ServerTestHome>();
        SettingsStore::shared().setValue(Key::Mnum, u"7"_s);
    }

    // The body after the cashier: "<Command>" + the row name's first word + "</Command>" + rest.
    void commands_data()
    {
        columns<QString, ClientCommand, QString, QString>("account", "command", "cashier", "rest");
        using namespace CommandMaker;
        QString account = u"1001"_s;
        loginAs(account);
        const auto row = [&](const char *name, const ClientCommand &command, const QString &rest,
                             const QString &cashier = u"<CashierID>1001</CashierID>"_s) {
            QTest::newRow(name) << account << command << cashier << rest;
        };
        const QString desk = u"<DeskNo>A01</DeskNo>"_s, user = u"<UserID>1001</UserID>"_s;
        row("GetUpFileName", getUpFileCommandWithUserId(u"42"_s), QString());
        row("LogIn", loginCommandWithUserId(u"1002"_s, u"pw"_s),
            u"<UserID>1002</UserID><UserPassword>pw</UserPassword>"_s);
        row("KaiTai", commandKaiTaiWithDeskNo(u"A01"_s, u"4"_s, u"9"_s),
            desk + u"<CustCount>4</CustCount><WaiterMan>9</WaiterMan>"_s);
        row("ChangeDesk", changeDeskFromSourceDesk(u"A01"_s, u"B02"_s),
            u"<SourceDeskNo>A01</SourceDeskNo><DestDeskNo>B02</DestDeskNo>"_s);
        row("MergeDesk", mergeSourceDesk(u"A01"_s, u"B02"_s),
            u"<SourceDeskNo>A01</SourceDeskNo><DestDeskNo>B02</DestDeskNo>"_s);
        row("CancelDesk", cancelDesk(u"A01"_s), desk);
        row("DeskHurry", deskHurry(u"A01"_s), user + desk);
        row("CatHurry", catHurry(u"A01"_s, u"c2"_s), user + desk + u"<CatNo>c2</CatNo>"_s);
        row("FoodHurry", foodHurry(u"A01"_s, u"101"_s), user + desk + u"<FoodNo>101</FoodNo>"_s);
        row("DeskWakeUp", deskWakeup(u"A01"_s), user + desk);
        row("FoodWakeUp", foodWakeUp(u"A01"_s, u"101"_s), user + desk + u"<FoodNo>101</FoodNo>"_s);
        row("ReturnFood", returnFood(u"A01"_s, u"101"_s, u"1.5"_s, u"r3"_s),
            desk + u"<FoodNo>101</FoodNo><FoodQty>1.5</FoodQty><ReturnReason>r3</ReturnReason>"_s);
        row("ConfirmQty", chengZhongFood(u"A01"_s, u"101"_s, u"5"_s, u"2.3"_s),
            desk + u"<FoodNo>101</FoodNo><FoodQty>2.3</FoodQty><itemseq>5</itemseq>"_s);
        row("GetGqFoodList", getGqFoodList(), QString());
        row("GetRoomDeskState by room", getRoomDeskStateWithRoomNo(u"R1"_s), u"<RoomNo/>"_s);
        row("GetRoomDeskState by table", getRoomDeskStateWithDeskNo(u"A01"_s), desk + u"<RoomNo/>"_s);
        row("GetDeskSaleList", getDeskSaleList(u"A01"_s), desk);
        row("PrintDeskBill", printDeskBill(u"A01"_s), desk);
        row("ChangePassword", changePassword(u"1001"_s, u"new"_s),
            user + u"<UserPassword>new</UserPassword>"_s);
        row("CheckServerStatus", checkServerStatus(), QString());
        account.clear();
        loginAs(account);
        row("GetUpFileName without operator has no cashier", getUpFileCommandWithUserId(QString()), QString(),
            QString());
        row("CancelDesk without operator: empty cashier", cancelDesk(u"A01"_s), desk, u"<CashierID/>"_s);
        row("DeskHurry without operator has no UserID", deskHurry(u"A01"_s), desk, u"<CashierID/>"_s);
    }
    void commands()
    {
        auto [account, command, cashier, rest] =
            row<QString, ClientCommand, QString, QString>("account", "command", "cashier", "rest");
        loginAs(account);
        const QString name = QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0);
        QCOMPARE(command.toString(),
                 prefix() + cashier + u"<Command>"_s + name + u"</Command>"_s + rest + kTail);
    }

    void accountIdOutlivesLogout()
    {
        LoginState::setLoggedIn(u"1001"_s, u"张三"_s);
        LoginState::setLoggedOut();
        QVERIFY(CommandMaker::getGqFoodList().toString().contains(u"<CashierID>1001</CashierID>"_s));
    }

    void operatorOfHurryIsTakenWhenBuilt()
    {
        LoginState::setLoggedIn(u"1001"_s, u"张三"_s);
        const ClientCommand hurry = CommandMaker::foodHurry(u"A01"_s, u"101"_s);
        LoginState::setLoggedIn(u"2002"_s, u"李四"_s);
        QVERIFY(hurry.toString().contains(
            u"<CashierID>2002</CashierID><Command>FoodHurry</Command><UserID>1001</UserID>"_s));
    }

    // Absent fields are left out; present but empty ones are written.
    void absentAndEmptyFields()
    {
        loginAs(QString());
        ClientCommand all;
        QCOMPARE(all.toString(), kHead + DeviceIdentity::devSerialElement() + kTail);
        for (auto field : {&ClientCommand::posNo, &ClientCommand::userID, &ClientCommand::userPassword,
                           &ClientCommand::DeskNo, &ClientCommand::CustCount, &ClientCommand::WaiterMan,
                           &ClientCommand::SourceDeskNo, &ClientCommand::DestDeskNo, &ClientCommand::CatNo,
                           &ClientCommand::FoodNo, &ClientCommand::FoodQty, &ClientCommand::ReturnReason,
                           &ClientCommand::itemseq, &ClientCommand::RoomNo})
            all.*field = u""_s;
        all.command = u"C"_s;
        all.genEmptyCashierIDNode = true;
        QCOMPARE(
            all.toString(),
            kHead + DeviceIdentity::devSerialElement() +
                u"<PosNo></PosNo><CashierID/><Command>C</Command><UserID></UserID>"_s
                u"<UserPassword></UserPassword><DeskNo></DeskNo><CustCount></CustCount><WaiterMan></WaiterMan>"_s
                u"<SourceDeskNo></SourceDeskNo><DestDeskNo></DestDeskNo><CatNo></CatNo><FoodNo></FoodNo>"_s
                u"<FoodQty></FoodQty><ReturnReason></ReturnReason><itemseq></itemseq><RoomNo></RoomNo>"_s +
                kTail);
    }

    // A room number given is written (the state queries ask for an empty one instead: their rows).
    void roomNoWhenGiven()
    {
        loginAs(QString());
        ClientCommand cmd;
        cmd.DeskNo = u"A01"_s;
        cmd.RoomNo = u"R1"_s;
        QCOMPARE(cmd.toString(), kHead + DeviceIdentity::devSerialElement() +
                                     u"<DeskNo>A01</DeskNo><RoomNo>R1</RoomNo>"_s + kTail);
    }

    void valuesCannotInject()
    {
        loginAs(u"10<01"_s);
        const QString password = u"a&b</UserPassword><Command>CancelDesk</Command><UserPassword>'\""_s;
        const QString text = CommandMaker::loginCommandWithUserId(u"中文&"_s, password).toString();
        QCOMPARE(elementsOf(text), (QStringList{u"DevSerial="_s + DeviceIdentity::keyChainUUID(),
                                                u"PosNo=7"_s, u"CashierID=10<01"_s, u"Command=LogIn"_s,
                                                u"UserID=中文&"_s, u"UserPassword="_s + password}));
        QVERIFY(text.contains(
            u"<UserPassword>a&amp;b&lt;/UserPassword&gt;&lt;Command&gt;CancelDesk&lt;/Command&gt;"_s
            u"&lt;UserPassword&gt;&apos;&quot;</UserPassword>"_s));
    }

    // One identity for every command; kept over a restart, renewed when its file is deleted.
    void deviceIdentity()
    {
        const QString first = DeviceIdentity::devSerialElement();
        DeviceIdentity::resetCache();
        QCOMPARE(CommandMaker::checkServerStatus().devSerial(), first);
        QVERIFY(QFile::remove(home->filePath(DeviceIdentity::kFileName)));
        DeviceIdentity::resetCache();
        QVERIFY(CommandMaker::checkServerStatus().devSerial() != first);
        QVERIFY(QFile::exists(home->filePath(DeviceIdentity::kFileName)));
    }

    void identityIsMadeOnceUnderRace()
    {
        DeviceIdentity::resetCache();
        QFile::remove(home->filePath(DeviceIdentity::kFileName));
        std::vector<QString> seen(8);
        std::vector<std::thread> threads;
        for (size_t t = 0; t < seen.size(); ++t)
            threads.emplace_back([&seen, t] { seen[t] = ClientCommand().toString(); });
        for (auto &thread : threads)
            thread.join();
        for (const QString &text : seen)
            QCOMPARE(text, seen.front());
    }

    // Replies read back.
    void readsElementText_data()
    {
        columns<QByteArray, QString, std::optional<QString>>("data", "element", "expected");
        const auto row = [](const char *name, const QByteArray &data, const char *expected,
                            const QString &element = u"ReturnMsg"_s) {
            QTest::newRow(name) << data << element << (expected ? text(expected) : std::nullopt);
        };
        row("names outside gb2312 under a gb2312 declaration",
            reply("<ReturnMsg>\xD5\xC5\x86\xB4\x88\xD2\xE9\x46</ReturnMsg>"), "张喆堃镕");
        row("four-byte gb18030", reply("<ReturnMsg>\x95\x32\x82\x36</ReturnMsg>"), "\xF0\xA0\x80\x80");
        row("declared utf-8, read as gb18030",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><R><ReturnMsg>\xD6\xD0</ReturnMsg></R>", "中");
        row("no declaration, any root name", "<Anything><ReturnValue>pkg.zip</ReturnValue></Anything>",
            "pkg.zip", u"ReturnValue"_s);
        row("blank nodes dropped", kDecl + "\r\n<R>\r\n  <ReturnCode>0</ReturnCode>\r\n</R>\r\n", "0",
            u"ReturnCode"_s);
        row("whole text content", reply("<ReturnMsg>a<i>b<i>c</i></i>d</ReturnMsg>"), "abcd");
        row("only the first", reply("<ReturnMsg>1</ReturnMsg><ReturnMsg>2</ReturnMsg>"), "1");
        row("empty element", reply("<ReturnMsg/>"), "");
        row("missing", reply("<ReturnCode>0</ReturnCode>"), nullptr);
        row("only children of the root count", reply("<X><ReturnMsg>deep</ReturnMsg></X>"), nullptr);
        row("blank text between tags dropped", reply("<ReturnMsg>\n  <b>x y</b>\n  <b> </b>\n</ReturnMsg>"),
            "x y");
        row("readable only after the repair", reply("<ReturnMsg>a\377b</ReturnMsg>"), "a\357\277\275b");
    }
    void readsElementText()
    {
        auto [data, element, expected] =
            row<QByteArray, QString, std::optional<QString>>("data", "element", "expected");
        std::optional<QString> error;
        QCOMPARE(parser.parseResponseData(data, element, &error), expected);
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
    }

    void unreadableReplyFailsEveryOperation_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("not xml") << QByteArray("Service Unavailable");
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
        columns<QByteArray, QByteArray>("data", "next");
        const QByteArray good = reply("<ReturnCode>0</ReturnCode>");
        QTest::newRow("readable bytes kept") << good << good;
        QTest::newRow("decoded, replaced, encoded again")
            << QByteArray(kDecl + "\r\n<R>\xFF\xD6\xD0</R>")
            << QByteArray("<?xml version=\"1.0\" encoding=\"GB18030\" ?> \r<R>\x84\x31\xA4\x37\xD6\xD0</R>");
    }
    void repairStep()
    {
        auto [data, next] = row<QByteArray, QByteArray>("data", "next");
        QCOMPARE(parser.handleParseResponseError(data), next);
    }

    // Shapes whose reading once grew with the square of their size are read (or refused) as any
    // other reply; their time and memory are measured in bench_server.
    void hostileShapes_data()
    {
        columns<QByteArray, bool, int>("data", "readable", "rows");
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
        auto [data, readable, rows] = row<QByteArray, bool, int>("data", "readable", "rows");
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
    }
    void absentLists()
    {
        QFETCH(QByteArray, data);
        QVERIFY(!parser.parseGetRoomDeskState(data) && !parser.parseDeskSaleList(data, true) &&
                !parser.parseGqFoodList(data));
    }

    void weighingRule_data()
    {
        columns<QByteArray, bool>("attributes", "weighed");
        QTest::newRow("printed 2, dish, flag Y")
            << QByteArray("havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"NY\"") << true;
        QTest::newRow("no type") << QByteArray("havePrtFlag=\"2\" FlagGroup=\"YY\"") << true;
        QTest::newRow("component") << QByteArray("havePrtFlag=\"2\" FoodType=\"M\" FlagGroup=\"NY\"")
                                   << false;
        QTest::newRow("printed 1") << QByteArray("havePrtFlag=\"1\" FoodType=\"D\" FlagGroup=\"NY\"")
                                   << false;
        QTest::newRow("second flag N")
            << QByteArray("havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"YN\"") << false;
        QTest::newRow("lower-case y")
            << QByteArray("havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"Ny\"") << false;
    }
    void weighingRule()
    {
        auto [attributes, weighed] = row<QByteArray, bool>("attributes", "weighed");
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
        columns<QByteArray, Read, QStringList>("data", "read", "expected");
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
    }
    void readsRecords()
    {
        auto [data, read, expected] = row<QByteArray, Read, QStringList>("data", "read", "expected");
        QCOMPARE(read(data), expected);
    }
};

QTEST_GUILESS_MAIN(TestServerCommands)
#include "tst_server_commands.moc"
