// Every command's refusals against one shared dining room, and the table and session commands'
// successes each on a fresh one.
#include "DevServerHarness.h"

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
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("cashier");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const QString &command, const QString &fields,
                            const QString &message, const QString &cashier = u"1001"_s) {
            QTest::newRow(name) << command << fields << cashier << message;
        };
        row("login unknown", u"LogIn"_s, u"UserID=9999&UserPassword=1"_s, u"工号(9999)不存在"_s, {});
        row("login wrong password", u"LogIn"_s, u"UserID=1001&UserPassword=124"_s, u"密码错误，请重新输入"_s,
            {});
        row("login without number", u"LogIn"_s, u"UserPassword=123"_s, u"请输入工号"_s, {});
        row("nobody logged in", u"KaiTai"_s, u"DeskNo=A03&CustCount=2"_s, u"请先登录"_s, {});
        row("operator not logged in", u"KaiTai"_s, u"DeskNo=A03&CustCount=2"_s,
            u"操作员(1002)未登录，请先登录"_s, u"1002"_s);
        row("unknown operator", u"KaiTai"_s, u"DeskNo=A03&CustCount=2"_s, u"操作员(8888)不存在"_s, u"8888"_s);
        row("open unknown table", u"KaiTai"_s, u"DeskNo=Z99&CustCount=2"_s, u"台号(Z99)不存在"_s);
        row("open without table", u"KaiTai"_s, u"CustCount=2"_s, u"请指定台号"_s);
        row("open table in use", u"KaiTai"_s, u"DeskNo=A01&CustCount=2"_s, u"大厅1号(A01)已开台，正在使用"_s);
        row("open for no guests", u"KaiTai"_s, u"DeskNo=A03&CustCount=0"_s, u"人数(0)无效"_s);
        row("open without guests", u"KaiTai"_s, u"DeskNo=A03"_s, u"请输入人数"_s);
        row("move free table", u"ChangeDesk"_s, u"SourceDeskNo=A03&DestDeskNo=A04"_s,
            u"大厅3号(A03)未开台"_s);
        row("move onto table in use", u"ChangeDesk"_s, u"SourceDeskNo=A01&DestDeskNo=A02"_s,
            u"目标台大厅2号(A02)已开台，不能换台"_s);
        row("move onto itself", u"ChangeDesk"_s, u"SourceDeskNo=A01&DestDeskNo=A01"_s,
            u"源台与目标台不能相同"_s);
        row("move to unknown table", u"ChangeDesk"_s, u"SourceDeskNo=A01&DestDeskNo=Z99"_s,
            u"目标台号(Z99)不存在"_s);
        row("merge into free table", u"MergeDesk"_s, u"SourceDeskNo=A01&DestDeskNo=A03"_s,
            u"大厅3号(A03)未开台"_s);
        row("merge with itself", u"MergeDesk"_s, u"SourceDeskNo=A01&DestDeskNo=A01"_s,
            u"源台与目标台不能相同"_s);
        row("cancel table with dishes", u"CancelDesk"_s, u"DeskNo=A01"_s,
            u"大厅1号(A01)已点菜品，不能撤台"_s);
        row("cancel free table", u"CancelDesk"_s, u"DeskNo=A03"_s, u"大厅3号(A03)未开台"_s);
        row("edit with bad guests", u"EditDesk"_s, u"DeskNo=A02&CustCount=abc"_s, u"人数(abc)无效"_s);
        row("edit free table", u"EditDesk"_s, u"DeskNo=A04&CustCount=3"_s, u"大厅4号(A04)未开台"_s);
        row("hurry empty table", u"DeskHurry"_s, u"DeskNo=A02"_s, u"大厅2号(A02)还没有点菜"_s);
        row("hurry category not ordered", u"CatHurry"_s, u"DeskNo=A01&CatNo=0201"_s,
            u"大厅1号(A01)没有类别(0201)的菜品"_s);
        row("hurry without category", u"CatHurry"_s, u"DeskNo=A01"_s, u"请指定菜品类别"_s);
        row("hurry dish not ordered", u"FoodHurry"_s, u"DeskNo=A01&FoodNo=103"_s,
            u"大厅1号(A01)没有点菜品(103)"_s);
        row("wake up free table", u"DeskWakeUp"_s, u"DeskNo=A03"_s, u"大厅3号(A03)未开台"_s);
        row("wake up category not ordered", u"CatWakeUp"_s, u"DeskNo=A01&CatNo=02"_s,
            u"大厅1号(A01)没有类别(02)的菜品"_s);
        const QString pork = u"DeskNo=A01&FoodNo=101&"_s;
        row("return more than sold", u"ReturnFood"_s, pork + u"FoodQty=3&ReturnReason=01"_s,
            u"退菜数量(3)超过已点数量(2)"_s);
        row("return unknown reason", u"ReturnFood"_s, pork + u"FoodQty=1&ReturnReason=99"_s,
            u"退菜原因(99)不存在"_s);
        row("return without reason", u"ReturnFood"_s, pork + u"FoodQty=1"_s, u"请选择退菜原因"_s);
        row("return bad quantity", u"ReturnFood"_s, pork + u"FoodQty=-1&ReturnReason=01"_s,
            u"退菜数量(-1)无效"_s);
        row("weigh a portion dish", u"ConfirmQty"_s, pork + u"itemseq=1&FoodQty=1.5"_s,
            u"红烧肉不是称重菜品"_s);
        row("weigh unknown line", u"ConfirmQty"_s, u"DeskNo=A01&FoodNo=102&itemseq=999&FoodQty=1.5"_s,
            u"大厅1号(A01)没有序号为(999)的菜品"_s);
        row("weigh line of another table", u"ConfirmQty"_s, u"DeskNo=A02&FoodNo=102&itemseq=2&FoodQty=1.5"_s,
            u"大厅2号(A02)没有序号为(2)的菜品"_s);
        row("weigh with wrong dish", u"ConfirmQty"_s, pork + u"itemseq=2&FoodQty=1.5"_s,
            u"序号(2)的菜品不是(101)"_s);
        row("weigh bad quantity", u"ConfirmQty"_s, u"DeskNo=A01&FoodNo=102&itemseq=2&FoodQty=abc"_s,
            u"称重数量(abc)无效"_s);
        row("sale list of unknown table", u"GetDeskSaleList"_s, u"DeskNo=Z99"_s, u"台号(Z99)不存在"_s);
        row("bill of free table", u"PrintDeskBill"_s, u"DeskNo=A03"_s, u"大厅3号(A03)未开台"_s);
        row("password of another", u"ChangePassword"_s, u"UserID=1002&UserPassword=1"_s,
            u"只能修改本人的密码"_s);
        row("empty password", u"ChangePassword"_s, u"UserID=1001&UserPassword="_s, u"新密码不能为空"_s);
        row("password unknown operator", u"ChangePassword"_s, u"UserID=7777&UserPassword=1"_s,
            u"工号(7777)不存在"_s);
        row("unknown command", u"Foo"_s, {}, u"不支持的指令：Foo"_s);
        // Text from a request may hold markup characters; the reply must stay a document.
        row("unknown command with markup", u"Foo&<\"bar\">"_s.toHtmlEscaped(), {},
            u"不支持的指令：Foo&<\"bar\">"_s);
        row("empty command", QString(), {}, u"请求缺少指令(Command)"_s);
    }
    void refusals()
    {
        QFETCH(QString, command);
        QFETCH(QString, fields);
        QFETCH(QString, cashier);
        QFETCH(QString, message);
        const ServerReply reply = shared_.command(command, fields, cashier);
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.parsed);
        QCOMPARE(reply.msg, message);
        QCOMPARE(reply.code,
                 message.startsWith(u"不支持") || message.startsWith(u"请求缺少") ? u"2"_s : u"1"_s);
    }

    void orderRefusals_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("message");
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
        QFETCH(QString, xml);
        QFETCH(QString, message);
        const ServerReply reply = shared_.post(xml);
        QCOMPARE(reply.msg, message);
        QCOMPARE(reply.code, u"1"_s);
    }

    void unreadablePosts_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("messageStart");
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
        QFETCH(QByteArray, body);
        QFETCH(QString, messageStart);
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
