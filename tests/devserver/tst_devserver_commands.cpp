// Every command's refusals against one shared dining room, and the table and session commands'
// successes each on a fresh one.
#include "DevServerHarness.h"
#include "server/TestRows.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const OrderLine kPork = OrderLine::of(u"101"_s, u"红烧肉"_s, u"2.000000"_s, u"38.000000"_s);
const OrderLine kFish = OrderLine::of(u"102"_s, u"清蒸鱼"_s, u"1.000000"_s, u"88.000000"_s);

} // namespace

class TestDevServerCommands : public QObject {
    Q_OBJECT

    DevServerHarness shared_;
    QList<Row> statesBefore_;

private slots:
    // Shared room: 1001 logged in; A01 in use with pork (itemseq 1) and fish (itemseq 2); A02 in
    // use with nothing ordered; A03, A04 free; 1002 never logged in.
    void initTestCase()
    {
        QVERIFY2(shared_.startLoggedIn(), qPrintable(shared_.lastError()));
        QCOMPARE(shared_.order(u"A01"_s, u"flow-1"_s, {kPork, kFish}).code, u"0"_s);
        QCOMPARE(shared_.command(u"KaiTai"_s, u"DeskNo=A02&CustCount=2"_s).code, u"0"_s);
        statesBefore_ = shared_.command(u"GetRoomDeskState"_s, u"RoomNo="_s).rows;
    }

    void refusals_data()
    {
        columns<QString, QString, QString, QString>("command", "fields", "cashier", "message");
        const auto row = [](const char *name, const QString &command, const QString &fields,
                            const QString &message, const QString &cashier = "1001") {
            QTest::newRow(name) << command << fields << cashier << message;
        };
        row("login unknown", "LogIn", "UserID=9999&UserPassword=1", "工号(9999)不存在", {});
        row("login wrong password", "LogIn", "UserID=1001&UserPassword=124", "密码错误，请重新输入", {});
        row("login without number", "LogIn", "UserPassword=123", "请输入工号", {});
        row("nobody logged in", "KaiTai", "DeskNo=A03&CustCount=2", "请先登录", {});
        row("operator not logged in", "KaiTai", "DeskNo=A03&CustCount=2", "操作员(1002)未登录，请先登录",
            "1002");
        row("unknown operator", "KaiTai", "DeskNo=A03&CustCount=2", "操作员(8888)不存在", "8888");
        row("open unknown table", "KaiTai", "DeskNo=Z99&CustCount=2", "台号(Z99)不存在");
        row("open without table", "KaiTai", "CustCount=2", "请指定台号");
        row("open table in use", "KaiTai", "DeskNo=A01&CustCount=2", "大厅1号(A01)已开台，正在使用");
        row("open for no guests", "KaiTai", "DeskNo=A03&CustCount=0", "人数(0)无效");
        row("open without guests", "KaiTai", "DeskNo=A03", "请输入人数");
        row("move free table", "ChangeDesk", "SourceDeskNo=A03&DestDeskNo=A04", "大厅3号(A03)未开台");
        row("move onto table in use", "ChangeDesk", "SourceDeskNo=A01&DestDeskNo=A02",
            "目标台大厅2号(A02)已开台，不能换台");
        row("move onto itself", "ChangeDesk", "SourceDeskNo=A01&DestDeskNo=A01", "源台与目标台不能相同");
        row("move to unknown table", "ChangeDesk", "SourceDeskNo=A01&DestDeskNo=Z99", "目标台号(Z99)不存在");
        row("merge into free table", "MergeDesk", "SourceDeskNo=A01&DestDeskNo=A03", "大厅3号(A03)未开台");
        row("merge with itself", "MergeDesk", "SourceDeskNo=A01&DestDeskNo=A01", "源台与目标台不能相同");
        row("cancel table with dishes", "CancelDesk", "DeskNo=A01", "大厅1号(A01)已点菜品，不能撤台");
        row("cancel free table", "CancelDesk", "DeskNo=A03", "大厅3号(A03)未开台");
        row("edit with bad guests", "EditDesk", "DeskNo=A02&CustCount=abc", "人数(abc)无效");
        row("edit free table", "EditDesk", "DeskNo=A04&CustCount=3", "大厅4号(A04)未开台");
        row("hurry empty table", "DeskHurry", "DeskNo=A02", "大厅2号(A02)还没有点菜");
        row("hurry category not ordered", "CatHurry", "DeskNo=A01&CatNo=0201",
            "大厅1号(A01)没有类别(0201)的菜品");
        row("hurry without category", "CatHurry", "DeskNo=A01", "请指定菜品类别");
        row("hurry dish not ordered", "FoodHurry", "DeskNo=A01&FoodNo=103", "大厅1号(A01)没有点菜品(103)");
        row("wake up free table", "DeskWakeUp", "DeskNo=A03", "大厅3号(A03)未开台");
        row("wake up category not ordered", "CatWakeUp", "DeskNo=A01&CatNo=02",
            "大厅1号(A01)没有类别(02)的菜品");
        const QString pork = "DeskNo=A01&FoodNo=101&";
        row("return more than sold", "ReturnFood", pork + "FoodQty=3&ReturnReason=01",
            "退菜数量(3)超过已点数量(2)");
        row("return unknown reason", "ReturnFood", pork + "FoodQty=1&ReturnReason=99", "退菜原因(99)不存在");
        row("return without reason", "ReturnFood", pork + "FoodQty=1", "请选择退菜原因");
        row("return bad quantity", "ReturnFood", pork + "FoodQty=-1&ReturnReason=01", "退菜数量(-1)无效");
        row("weigh a portion dish", "ConfirmQty", pork + "itemseq=1&FoodQty=1.5", "红烧肉不是称重菜品");
        row("weigh unknown line", "ConfirmQty", "DeskNo=A01&FoodNo=102&itemseq=999&FoodQty=1.5",
            "大厅1号(A01)没有序号为(999)的菜品");
        row("weigh line of another table", "ConfirmQty", "DeskNo=A02&FoodNo=102&itemseq=2&FoodQty=1.5",
            "大厅2号(A02)没有序号为(2)的菜品");
        row("weigh with wrong dish", "ConfirmQty", pork + "itemseq=2&FoodQty=1.5", "序号(2)的菜品不是(101)");
        row("weigh bad quantity", "ConfirmQty", "DeskNo=A01&FoodNo=102&itemseq=2&FoodQty=abc",
            "称重数量(abc)无效");
        row("sale list of unknown table", "GetDeskSaleList", "DeskNo=Z99", "台号(Z99)不存在");
        row("bill of free table", "PrintDeskBill", "DeskNo=A03", "大厅3号(A03)未开台");
        row("password of another", "ChangePassword", "UserID=1002&UserPassword=1", "只能修改本人的密码");
        row("empty password", "ChangePassword", "UserID=1001&UserPassword=", "新密码不能为空");
        row("password unknown operator", "ChangePassword", "UserID=7777&UserPassword=1", "工号(7777)不存在");
        row("unknown command", "Foo", {}, "不支持的指令：Foo");
        // Text from a request may hold markup characters; the reply must stay a document.
        row("unknown command with markup", u"Foo&<\"bar\">"_s.toHtmlEscaped(), {},
            "不支持的指令：Foo&<\"bar\">");
        row("empty command", QString(), {}, "请求缺少指令(Command)");
    }
    void refusals()
    {
        auto [command, fields, cashier, message] =
            row<QString, QString, QString, QString>("command", "fields", "cashier", "message");
        const ServerReply reply = shared_.command(command, fields, cashier);
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.parsed);
        QCOMPARE(reply.msg, message);
        QCOMPARE(reply.code,
                 message.startsWith(u"不支持") || message.startsWith(u"请求缺少") ? u"2"_s : u"1"_s);
    }

    void orderRefusals_data()
    {
        columns<QString, QString>("xml", "message");
        OrderLine noQty = kPork, badPrice = kPork;
        noQty.qty = u"0.000000"_s;
        badPrice.price = u"abc"_s;
        using H = DevServerHarness;
        QTest::newRow("no flow number") << H::orderXml(u"A01"_s, {}, {kPork}) << u"点菜单缺少流水号"_s;
        QTest::newRow("unknown dish")
            << H::orderXml(u"A01"_s, u"r-1"_s,
                           {kPork, OrderLine::of(u"999"_s, u"神秘菜"_s, u"1.000000"_s, u"1"_s)})
            << u"菜品(999)不存在"_s;
        QTest::newRow("no lines") << H::orderXml(u"A01"_s, u"r-2"_s, {}) << u"点菜单中没有菜品"_s;
        QTest::newRow("zero quantity")
            << H::orderXml(u"A01"_s, u"r-3"_s, {noQty}) << u"菜品红烧肉的数量(0.000000)无效"_s;
        QTest::newRow("bad price") << H::orderXml(u"A01"_s, u"r-4"_s, {badPrice})
                                   << u"菜品红烧肉的价格(abc)无效"_s;
        QTest::newRow("unknown table") << H::orderXml(u"Z99"_s, u"r-5"_s, {kPork}) << u"台号(Z99)不存在"_s;
        QTest::newRow("nobody logged in")
            << H::orderXml(u"A01"_s, u"r-7"_s, {kPork}, u"4"_s, {}) << u"请先登录"_s;
    }
    void orderRefusals()
    {
        auto [xml, message] = row<QString, QString>("xml", "message");
        const ServerReply reply = shared_.post(xml);
        QCOMPARE(reply.msg, message);
        QCOMPARE(reply.code, u"1"_s);
    }

    void unreadablePosts_data()
    {
        columns<QByteArray, QString>("body", "messageStart");
        const QString unreadable = u"无法识别的请求："_s;
        QTest::newRow("no form field") << QByteArray("other=1") << unreadable + u"表单中没有字段xmlFile"_s;
        QTest::newRow("empty body") << QByteArray() << unreadable + u"请求内容为空"_s;
        QTest::newRow("not XML") << QByteArray("xmlFile=hello") << unreadable;
        QTest::newRow("cut short") << QByteArray("xmlFile=%3CClientCommand%3E%3CCommand%3ELogIn")
                                   << unreadable;
        QTest::newRow("broken escape") << QByteArray("xmlFile=%ZZ%3Ca%2F%3E") << unreadable;
        QTest::newRow("invalid UTF-8") << QByteArray("xmlFile=%3Ca%3E%FF%FE%3C%2Fa%3E") << unreadable;
        QTest::newRow("document type")
            << "xmlFile=" + QByteArray("<!DOCTYPE a [<!ENTITY x \"y\">]><ClientCommand><Command>&x;</Command>"
                                       "</ClientCommand>")
                                .toPercentEncoding()
            << unreadable + u"document type declarations are not accepted"_s;
        QTest::newRow("other root")
            << "xmlFile=" + QByteArray("<Order><Command>LogIn</Command></Order>").toPercentEncoding()
            << u"请求的根元素应为ClientCommand，收到的是Order"_s;
    }
    void unreadablePosts()
    {
        auto [body, messageStart] = row<QByteArray, QString>("body", "messageStart");
        const ServerReply reply = shared_.postRaw(body, "application/x-www-form-urlencoded");
        QCOMPARE(reply.status, 200);
        QCOMPARE(reply.code, u"2"_s);
        QVERIFY2(reply.msg.startsWith(messageStart), qPrintable(reply.msg));
    }

    // Nothing refused above may have changed the dining room.
    void refusalsChangeNothing()
    {
        QCOMPARE(shared_.command(u"GetRoomDeskState"_s, u"RoomNo="_s).rows, statesBefore_);
        QCOMPARE(shared_.saleList(u"A01"_s).size(), 2);
        QCOMPARE(shared_.login(u"1001"_s, u"123"_s).code, u"0"_s);
    }

    void loginAndPasswordChange()
    {
        DevServerHarness server;
        QVERIFY(server.start());
        QCOMPARE(server.login(u"1002"_s, u"456"_s).msg, u"欢迎您(李四)"_s);
        QCOMPARE(server.command(u"ChangePassword"_s, u"UserID=1002&UserPassword=8888"_s, u"1002"_s).msg,
                 u"密码修改成功"_s);
        QCOMPARE(server.login(u"1002"_s, u"456"_s).code, u"1"_s);
        QVERIFY(server.restart());
        QCOMPARE(server.login(u"1002"_s, u"8888"_s).msg, u"欢迎您(李四)"_s);
    }

    void tableLifecycle()
    {
        DevServerHarness server;
        QVERIFY(server.startLoggedIn());
        QCOMPARE(server.order(u"A03"_s, u"life-1"_s, {kPork}, u"5"_s).code, u"0"_s);
        QCOMPARE(server.command(u"ChangeDesk"_s, u"SourceDeskNo=A03&DestDeskNo=B01"_s).msg,
                 u"换台成功：大厅3号(A03) → 牡丹厅(B01)"_s);
        QCOMPARE(valuesOf(server.deskState(u"A03"_s), {u"useIndex"_s}) + u'/' +
                     valuesOf(server.deskState(u"B01"_s), {u"custNumber"_s, u"TotalAmt"_s}),
                 u"0/5/76.00"_s);
        QCOMPARE(server.saleList(u"B01"_s).size() * 10 + server.saleList(u"A03"_s).size(), 10);

        // Merge B01 (5 guests, 76.00) into A01 (2 guests, 88.00).
        QCOMPARE(server.order(u"A01"_s, u"life-2"_s, {kFish}, u"2"_s).code, u"0"_s);
        QCOMPARE(server.command(u"MergeDesk"_s, u"SourceDeskNo=B01&DestDeskNo=A01"_s).msg,
                 u"并台成功：牡丹厅(B01) 并入 大厅1号(A01)"_s);
        QCOMPARE(valuesOf(server.deskState(u"A01"_s), {u"custNumber"_s, u"TotalAmt"_s}) + u'/' +
                     valuesOf(server.deskState(u"B01"_s), {u"useIndex"_s}),
                 u"7/164.00/0"_s);
    }

    void printedBillIsAFile()
    {
        DevServerHarness server;
        QVERIFY(server.startLoggedIn());
        OrderLine gift = kFish;
        gift.sellWay = u"C"_s;
        QCOMPARE(server.order(u"A01"_s, u"bill-1"_s, {kPork, gift}).code, u"0"_s);
        const ServerReply reply = server.command(u"PrintDeskBill"_s, u"DeskNo=A01"_s);
        QCOMPARE(reply.msg, u"大厅1号(A01)的账单已送打印"_s);
        QVERIFY(reply.value);
        QFile bill(server.stateFolder() + u"/print/"_s + *reply.value);
        QVERIFY(bill.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(bill.readAll());
        for (const QString &line :
             {u"红烧肉  2份 × 38.00  = 76.00"_s, u"清蒸鱼  1斤 × 88.00  赠送  = 0.00"_s, u"合计：76.00"_s})
            QVERIFY2(text.contains(line), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestDevServerCommands)
#include "tst_devserver_commands.moc"
