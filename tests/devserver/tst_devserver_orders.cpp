// Order packs and what follows them: the recorded lines, flow-number deduplication, limited
// stock, weighing, hurries and wake-ups, returns; and many terminals ordering at once.
#include "DevServerHarness.h"
#include "TestRows.h"

#include <QJsonArray>
#include <QSet>
#include <QTest>

#include <atomic>
#include <functional>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

OrderLine pork(const QString &qty = u"2.000000"_s)
{
    return OrderLine::of(u"101"_s, u"红烧肉"_s, qty, u"38.000000"_s);
}
OrderLine fish()
{
    return OrderLine::of(u"102"_s, u"清蒸鱼"_s, u"1.000000"_s, u"88.000000"_s);
}
OrderLine rice(const QString &qty = u"1.000000"_s)
{
    return OrderLine::of(u"103"_s, u"米饭"_s, qty, u"2.000000"_s);
}
QJsonArray events(DevServerHarness &server)
{
    return server.controlGet(u"/__control/events"_s).value(u"events"_s).toArray();
}

} // namespace

class TestDevServerOrders : public QObject {
    Q_OBJECT

    std::unique_ptr<DevServerHarness> server_;

    Row stockOf(const QString &foodNo)
    {
        for (const Row &row : server_->command(u"GetGqFoodList"_s).rows)
            if (row.value(u"foodno"_s) == foodNo)
                return row;
        return {};
    }

private slots:
    void init()
    {
        server_ = std::make_unique<DevServerHarness>();
        QVERIFY2(server_->startLoggedIn(u"101=3,103=0"_s), qPrintable(server_->lastError()));
    }
    void cleanup() { server_.reset(); }

    void orderOpensTableAndRecordsLines()
    {
        OrderLine spicy = pork();
        spicy.tasteDef = u"T01,T02,T03"_s; // +2 fixed, +20 %
        spicy.tasteManual = u"打包\t1.000000"_s;
        OrderLine gift = rice();
        gift.sellWay = u"C"_s;
        gift.printState = u"1"_s;
        const DevReply reply =
            server_->order(u"A02"_s, u"20240601120000-10001"_s, {spicy, fish(), gift}, u"3"_s);
        QCOMPARE(reply.code, u"0"_s);
        QCOMPARE(reply.msg, u"下单成功，共3道菜；以下菜品沽清未成功：米饭(剩余0)"_s);

        // Total: 76 + 20 % + 2 + 1, fish 88, the gift rice nothing.
        QCOMPARE(valuesOf(server_->deskState(u"A02"_s), {u"useIndex"_s, u"custNumber"_s, u"TotalAmt"_s}),
                 u"1/3/182.20"_s);

        // The surcharges follow their line as a row of their own; the gift costs nothing. So the rows
        // add up (quantity × price) to the table's total.
        const QList<Row> lines = server_->saleList(u"A02"_s);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], rowOf(u"itemseq=1|pluno=101|pluName=红烧肉|unitName=份|itemsize=|saleQty=2|"
                                 "SalePrice=38.00|sellWay=A|havePrtFlag=1|FoodType=D|FlagGroup=NNNN"_s));
        QCOMPARE(lines[1],
                 rowOf(u"itemseq=|pluno=|pluName=做法加价(加辣、大份、打包)|unitName=|itemsize=|"
                       "saleQty=1|SalePrice=18.20|sellWay=A|havePrtFlag=1|FoodType=|FlagGroup=NNNN"_s));
        QCOMPARE(valuesOf(lines[2], {u"itemseq"_s, u"FlagGroup"_s}), u"2/NYNN"_s);
        // The gift held back (等叫): not printed, flagged as a gift.
        QCOMPARE(valuesOf(lines[3], {u"sellWay"_s, u"havePrtFlag"_s, u"FlagGroup"_s, u"SalePrice"_s}),
                 u"C/0/NNNY/0.00"_s);
        double billed = 0;
        for (const Row &line : lines)
            billed += line.value(u"saleQty"_s).toDouble() * line.value(u"SalePrice"_s).toDouble();
        QCOMPARE(QString::number(billed, 'f', 2), u"182.20"_s);

        // A second order on the table in use adds lines with new numbers and keeps the guests.
        QCOMPARE(server_->order(u"A02"_s, u"20240601120000-10002"_s, {pork(u"1.000000"_s)}, u"9"_s).code,
                 u"0"_s);
        const QList<Row> more = server_->saleList(u"A02"_s);
        QCOMPARE(more.size(), 5);
        QCOMPARE(more[4].value(u"itemseq"_s), u"4"_s);
        QCOMPARE(server_->deskState(u"A02"_s).value(u"custNumber"_s), u"3"_s);
    }

    // A terminal's flow number sent again with other content is refused, so the change is neither lost
    // nor hidden; another terminal's same number is its own order. (The same pack sent again after a
    // lost answer is answered as the first time by the order-list and console runs.)
    void repeatedFlowNumberIsAnsweredOnce_data()
    {
        columns<QString, QString, QString, QString, QString, int>("serial", "desk", "qty", "cashier", "code",
                                                                  "linesAfter");
        const QString same = QString::fromLatin1(DevServerHarness::kDevSerial);
        const QString one = u"1.000000"_s;
        QTest::newRow("another waiter (and cashier)") << same << u"A01"_s << one << u"1002"_s << u"1"_s << 1;
        QTest::newRow("another terminal")
            << u"FEDCBA9876543210FEDCBA9876543210"_s << u"A01"_s << one << u"1001"_s << u"0"_s << 2;
        QTest::newRow("another quantity") << same << u"A01"_s << u"2.000000"_s << u"1001"_s << u"1"_s << 1;
        QTest::newRow("another table") << same << u"A02"_s << one << u"1001"_s << u"1"_s << 1;
    }
    void repeatedFlowNumberIsAnsweredOnce()
    {
        auto [secondSerial, secondDesk, secondQty, secondCashier, code, linesAfter] =
            row<QString, QString, QString, QString, QString, int>("serial", "desk", "qty", "cashier", "code",
                                                                  "linesAfter");
        QCOMPARE(server_->login(u"1002"_s, u"456"_s).code, u"0"_s);
        const QString flow = u"2024060112000010001"_s;
        const DevReply first = server_->order(u"A01"_s, flow, {pork(u"1.000000"_s)});
        QCOMPARE(first.code, u"0"_s);
        const DevReply again =
            server_->order(secondDesk, flow, {pork(secondQty)}, u"4"_s, secondCashier, secondSerial);
        QCOMPARE(again.code, code);
        QCOMPARE(again.msg, code == u"0"_s
                                ? first.msg
                                : u"流水号"_s + flow + u"的点菜单已下单，本次内容与之不同，未下单"_s);
        QCOMPARE(server_->saleList(u"A01"_s).size(), linesAfter);
        QCOMPARE(server_->saleList(u"A02"_s).size(), 0);
    }

    void limitedStockCountsDown()
    {
        QCOMPARE(stockOf(u"101"_s),
                 rowOf(u"foodno=101|foodName=红烧肉|unitName=份|itemsize=|InitQty=3|SaleQty=0|"
                       "leftQty=3|AlterQty=0"_s));
        QCOMPARE(server_->command(u"GetGqFoodList"_s).rows.size(), 2);

        QCOMPARE(server_->order(u"A01"_s, u"s-1"_s, {pork()}).msg, u"下单成功，共1道菜"_s);
        QCOMPARE(valuesOf(stockOf(u"101"_s), {u"leftQty"_s, u"SaleQty"_s}), u"1/2"_s);

        // More than is left: taken all the same, said so, and the dish is sold out.
        const DevReply over = server_->order(u"A01"_s, u"s-2"_s, {pork(), fish()});
        QCOMPARE(over.code + u'|' + over.msg, u"0|下单成功，共2道菜；以下菜品沽清未成功：红烧肉(剩余1)"_s);
        QCOMPARE(stockOf(u"101"_s).value(u"leftQty"_s), u"0"_s);
        QCOMPARE(server_->saleList(u"A01"_s).size(), 3);

        // A return puts the quantity back. A restart keeps the stock; one with --stock sets it anew.
        QCOMPARE(server_->command(u"ReturnFood"_s, u"DeskNo=A01&FoodNo=101&FoodQty=1&ReturnReason=01"_s).code,
                 u"0"_s);
        QCOMPARE(stockOf(u"101"_s).value(u"leftQty"_s), u"1"_s);
        QVERIFY(server_->restart());
        QVERIFY(server_->command(u"GetGqFoodList"_s).rows.size() == 2 &&
                stockOf(u"101"_s).value(u"leftQty"_s) == u"1");
        QVERIFY(server_->restart(u"101=10"_s));
        QCOMPARE(stockOf(u"101"_s).value(u"leftQty"_s), u"10"_s);
    }

    void weighing()
    {
        OrderLine heldFish = fish();
        heldFish.printState = u"2"_s;
        OrderLine setMeal = OrderLine::of(u"201"_s, u"双人套餐"_s, u"1.000000"_s, u"168.000000"_s);
        setMeal.type = u"T"_s;
        OrderLine setFish = fish();
        setFish.type = u"M"_s;
        setFish.price = u"0.000000"_s;
        setFish.suitNo = u"201"_s;
        QCOMPARE(server_->order(u"A01"_s, u"w-1"_s, {fish(), heldFish, setMeal, setFish}).code, u"0"_s);
        QList<Row> lines = server_->saleList(u"A01"_s);
        // A set meal's part (the last) is not weighed.
        QCOMPARE(lines[0].value(u"havePrtFlag"_s) + u'/' + lines[0].value(u"FlagGroup"_s).mid(1, 1) + u'/' +
                     valuesOf(lines[1], {u"havePrtFlag"_s}) + u'/' +
                     valuesOf(lines[3], {u"FoodType"_s, u"havePrtFlag"_s}),
                 u"2/Y/2/M/1"_s);

        QCOMPARE(server_->command(u"ConfirmQty"_s, u"DeskNo=A01&FoodNo=102&itemseq=1&FoodQty=1.35"_s).msg,
                 u"称重成功：清蒸鱼 1.35斤"_s);
        // Waking the table releases the held fish to the kitchen but it still waits for weighing.
        QCOMPARE(server_->command(u"DeskWakeUp"_s, u"DeskNo=A01"_s).msg, u"起菜成功，共1道菜"_s);
        lines = server_->saleList(u"A01"_s);
        QCOMPARE(valuesOf(lines[0], {u"saleQty"_s, u"havePrtFlag"_s}) + u'/' +
                     lines[1].value(u"havePrtFlag"_s),
                 u"1.35/1/2"_s);
        QCOMPARE(server_->deskState(u"A01"_s).value(u"TotalAmt"_s), u"374.80"_s); // 1.35 × 88 + 88 + 168 + 0
    }

    void hurriesAndWakeUpsAreRecorded()
    {
        OrderLine waiting = rice(u"2.000000"_s);
        waiting.printState = u"1"_s;
        QCOMPARE(server_->order(u"A01"_s, u"h-1"_s, {pork(u"1.000000"_s), waiting}).code, u"0"_s);
        const QString desk = u"DeskNo=A01&UserID=1001&"_s;
        QCOMPARE(server_->command(u"DeskHurry"_s, desk).msg, u"催菜成功，共2道菜"_s);
        QCOMPARE(server_->command(u"CatHurry"_s, desk + u"CatNo=01"_s).msg, u"催菜成功，共1道菜"_s);
        QCOMPARE(server_->command(u"FoodHurry"_s, desk + u"FoodNo=103"_s).msg, u"催菜成功，共1道菜"_s);
        QCOMPARE(server_->command(u"CatWakeUp"_s, desk + u"CatNo=0101"_s).msg, u"起菜成功，共0道菜"_s);
        QCOMPARE(server_->saleList(u"A01"_s)[1].value(u"havePrtFlag"_s), u"0"_s);
        QCOMPARE(server_->command(u"FoodWakeUp"_s, desk + u"FoodNo=103"_s).msg, u"起菜成功，共1道菜"_s);
        QCOMPARE(server_->saleList(u"A01"_s)[1].value(u"havePrtFlag"_s), u"1"_s);

        const QJsonArray recorded = events(*server_);
        QStringList commands;
        for (const auto &event : recorded)
            commands << event[u"command"_s].toString();
        QCOMPARE(commands, (QStringList{u"DeskHurry"_s, u"CatHurry"_s, u"FoodHurry"_s, u"CatWakeUp"_s,
                                        u"FoodWakeUp"_s}));
        QCOMPARE((QStringList{recorded[1][u"catNo"_s].toString(), recorded[2][u"foodNo"_s].toString(),
                              recorded[2][u"userId"_s].toString()}),
                 (QStringList{u"01"_s, u"103"_s, u"1001"_s}));
    }

    void returnLowersNewestLinesFirst()
    {
        QCOMPARE(server_->order(u"A01"_s, u"r-1"_s, {rice(u"2.000000"_s)}).code, u"0"_s);
        QCOMPARE(server_->order(u"A01"_s, u"r-2"_s, {rice(u"3.000000"_s)}).code, u"0"_s);
        QCOMPARE(server_->command(u"ReturnFood"_s, u"DeskNo=A01&FoodNo=103&FoodQty=4&ReturnReason=02"_s).msg,
                 u"退菜成功：米饭 4碗"_s);
        const QList<Row> lines = server_->saleList(u"A01"_s);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(valuesOf(lines[0], {u"itemseq"_s, u"saleQty"_s}), u"1/1"_s);
        const QJsonArray recorded = events(*server_);
        QCOMPARE(recorded.size(), 1);
        QCOMPARE(recorded[0][u"reasonNo"_s].toString() + u'/' + recorded[0][u"reasonName"_s].toString() +
                     u'/' + QString::number(recorded[0][u"qty"_s].toDouble()),
                 u"02/上菜太慢/4"_s);
    }

    // Many terminals at once: 20 clients send 50 orders each at the same time, some of them twice;
    // every line must be recorded exactly once.
    void twentyClientsFiftyOrdersEach()
    {
        constexpr int kClients = 20, kOrders = 50;
        DevServerHarness &server = *server_; // started in init(), operator 1001 logged in

        std::atomic<int> accepted{0}, failures{0};
        std::vector<std::thread> clients;
        for (int client = 0; client < kClients; ++client) {
            clients.emplace_back([&, client] {
                // Each terminal has its own serial; five tables are shared by four terminals each.
                const QString serial = u"%1"_s.arg(client, 32, 10, QLatin1Char('0'));
                const QString desk = u"C%1"_s.arg(client % 5 + 1, 2, 10, QLatin1Char('0'));
                for (int order = 0; order < kOrders; ++order) {
                    const QString tag = u"c%1-o%2"_s.arg(client).arg(order);
                    const QList<OrderLine> lines = {
                        OrderLine::of(u"900"_s, tag + u"-a"_s, u"1.000000"_s, u"1.000000"_s),
                        OrderLine::of(u"900"_s, tag + u"-b"_s, u"2.000000"_s, u"1.000000"_s)};
                    const auto send = [&] {
                        const DevReply reply = server.order(desk, u"flow-"_s + QString::number(order), lines,
                                                            u"2"_s, u"1001"_s, serial);
                        ++(reply.code == u"0"_s ? accepted : failures);
                    };
                    // Every fifth order is sent twice at the same moment, as by a terminal that
                    // timed out and sent again while the first post was still being handled.
                    std::thread twin(order % 5 == 0 ? std::function<void()>(send) : [] {});
                    send();
                    twin.join();
                }
            });
        }
        for (std::thread &client : clients)
            client.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(accepted.load(), kClients * (kOrders + kOrders / 5));

        QStringList names, itemseqs;
        double quantity = 0;
        for (int desk = 1; desk <= 5; ++desk) {
            for (const Row &line : server.saleList(u"C%1"_s.arg(desk, 2, 10, QLatin1Char('0')))) {
                names << line.value(u"pluName"_s);
                itemseqs << line.value(u"itemseq"_s);
                quantity += line.value(u"saleQty"_s).toDouble();
            }
        }
        // As many lines as were sent and none twice: every line once, each with a number of its own.
        QCOMPARE(names.size(), kClients * kOrders * 2);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        QCOMPARE(QSet<QString>(itemseqs.begin(), itemseqs.end()).size(), names.size());
        QCOMPARE(quantity, double(kClients * kOrders * 3));
        QCOMPARE(server.deskState(u"C01"_s).value(u"TotalAmt"_s), u"600.00"_s); // 4 terminals × 50 × 3
    }
};

QTEST_GUILESS_MAIN(TestDevServerOrders)
#include "tst_devserver_orders.moc"
