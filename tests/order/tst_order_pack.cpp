#include "OrderFixtures.h"
#include "TestRows.h"

#include "../storage/BaseDataFixture.h"

#include "foundation/NotificationNames.h"
#include "settings/LoginState.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <thread>

using namespace Lines;

namespace {
const QString kDeclaration = u"<?xml version=\"1.0\" encoding=\"gb2312\"?>"_s;

// A set meal (one component exchanged), a gift, tastes, XML specials, Chinese, tabs and line breaks.
QList<Line> richOrder()
{
    Line fish = dish(u"101"_s, u"鱼&\"虾\"<'蟹'>"_s, 12.5f, 1.5f, 1);
    fish->catno = u"c<1>"_s;
    fish->foodSubName = u"Fish & Chips"_s;
    fish->TjFlag = u"Y"_s;
    fish->spellName = u"yx"_s;
    fish->salePrice2 = 11.25f;
    fish->salePrice3 = 10;
    fish->MemberPrice = 9.5f;
    fish->unitname = u"份"_s;
    fish->itemsize = u"大 \"份\""_s;
    fish->Remark = u"第一行\n\t第二行\r\n'完'"_s;
    fish->PrintState = u"1"_s;
    fish->bcatName = u"热菜"_s;
    fish->scatName = u"海鲜&河鲜"_s;
    fish->arrTaste = {taste(u"12"_s, u"少盐<&>"_s, u"A"_s, 2), taste(u"15"_s, u"加辣"_s, u"P"_s, 10),
                      manual(u"打包 \"快\""_s, 1)};

    Line meal = dish(u"900"_s, u"双人套餐"_s, 88, 1, 2);
    meal->FoodType = u"T"_s;
    meal->setIsZengSong(true);
    meal->authID = u"1001"_s;

    Line exchanged = dish(u"205"_s, u"换菜"_s, 30, 2, 3);
    exchanged->FoodType = u"M"_s;
    exchanged->suitno = u"900"_s;
    exchanged->suiteIndex = 2;
    exchanged->OrgFoodNo = u"201"_s;
    exchanged->changeAmt = 5;
    exchanged->suitFoodQty = 2;
    exchanged->forceChange = u"Y"_s;
    exchanged->suitIndex = 7;
    exchanged->setIsZengSong(true);
    exchanged->authID = u"1001"_s;

    Line kept = dish(u"202"_s, u"米饭"_s, 2, 1, 4);
    kept->FoodType = u"M"_s;
    kept->suitno = u"900"_s;
    kept->suiteIndex = 2;
    kept->OrgFoodNo = u"202"_s;
    kept->changeAmt = -0.5f;
    kept->suitFoodQty = 1;

    Line market = dish(u"301"_s, u"时价鱼"_s, 0, 1, 5);
    market->currpriceFlag = u"Y"_s;
    market->TempFoodFlag = u"Y"_s;
    market->PrintState = u"2"_s;
    // A gift mark cleared again: the line must come back as a normal sale without authorisation.
    market->authID = u"stale"_s;
    return {fish, meal, exchanged, kept, market};
}

std::shared_ptr<OrderPack> restore(const QString &content)
{
    Guadan guadan;
    guadan.gid = 1;
    guadan.content = content;
    return OrderPack::setupWithGuaDan(guadan);
}

QString billionLaughs()
{
    QString dtd = u"<!DOCTYPE ClientCommand [<!ENTITY lol0 \"lol\">"_s;
    for (int i = 1; i <= 9; ++i) {
        QString refs;
        for (int j = 0; j < 10; ++j)
            refs += u"&lol"_s + QString::number(i - 1) + u';';
        dtd += u"<!ENTITY lol"_s + QString::number(i) + u" \""_s + refs + u"\">"_s;
    }
    dtd += u"]>"_s;
    return kDeclaration + dtd + u"<ClientCommand><CustCount>&lol9;</CustCount><OrderDetail>"_s +
           u"<Guadan foodno=\"1\" foodName=\"&lol9;\" /></OrderDetail></ClientCommand>"_s;
}

} // namespace

// The order's send and held texts, its flow numbers, and holding it in the app home.
class TestOrderPack : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    FakeOrderLines lines;
    std::shared_ptr<ShownNotices> sink;
    std::unique_ptr<NotificationLog> listUpdates;

    static QString devSerial() { return DeviceIdentity::devSerialElement(); }

    // Holds the pack and returns the flag the completion received (-1: not called).
    static int hold(const OrderPack &pack)
    {
        int flag = -1;
        pack.saveGuaDan([&flag](bool saved) { flag = saved ? 1 : 0; });
        return flag;
    }

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        lines = FakeOrderLines();
        OrderPack::setLinesSource(&lines);
        OrderPack::resetFlowCounter();
        sink = std::make_shared<ShownNotices>();
        UserNotice::setSink(sink);
        listUpdates = std::make_unique<NotificationLog>(QStringList{Notify::UpdateOrderList});
    }

    void cleanup()
    {
        listUpdates.reset();
        OrderPack::setLinesSource(nullptr);
        UserNotice::setSink(nullptr);
        DBManager::resetForTests();
    }

    void flowNumbersOfOneSecond()
    {
        QStringList n;
        // Three numbers made within one second; retried should the clock tick between them.
        for (int attempt = 0; attempt < 5 && (n.isEmpty() || n[0].left(14) != n[2].left(14)); ++attempt) {
            OrderPack::resetFlowCounter();
            n = {OrderPack::uniqueNo(), OrderPack::uniqueNo(), OrderPack::uniqueNo()};
        }
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(QRegularExpression(u"^\\d{19}$"_s).match(n[i]).hasMatch(), qPrintable(n[i]));
            QCOMPARE(n[i].left(14), n[0].left(14));
            QCOMPARE(n[i].right(5), QString::number(10001 + i));
        }
        const QDateTime stamp = QDateTime::fromString(n[0].left(14), u"yyyyMMddHHmmss"_s);
        QVERIFY(stamp.isValid() && qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 5);
    }

    void flowNumbersAreUniqueAcrossThreads()
    {
        constexpr int kThreads = 4, kEach = 2000;
        std::vector<QStringList> made(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&made, t] {
                for (int i = 0; i < kEach; ++i)
                    made[t].append(OrderPack::uniqueNo().right(5));
            });
        }
        for (auto &thread : threads)
            thread.join();
        QSet<QString> counters;
        for (const QStringList &list : made)
            counters.unite(QSet<QString>(list.begin(), list.end()));
        QCOMPARE(counters.size(), kThreads * kEach);
    }

    void sendTextOfTwoLines()
    {
        ConfigManager::defaultManager().setPosNum(u"1"_s);
        LoginState::setLoggedIn(u"1001"_s, u"张三"_s);
        lines.lines = {dish(u"101"_s, u"菜品"_s, 12, 1, 1), dish(u"102"_s, u"汤"_s, 8, 2, 2)};
        auto pack = OrderPack::genNewPack();
        pack->DeskNo = u"A01"_s;
        pack->CustCount = u"4"_s;
        pack->WaiterMan = u"1001"_s;

        const QString send = pack->toSendString(lines.lines);
        const QString head = kDeclaration + u"<ClientCommand>"_s + devSerial() +
                             u"<PosNo>1</PosNo><CashierID>1001</CashierID><Command>OrderPack</Command>"_s
                             u"<DeskNo>A01</DeskNo><WaiterMan>1001</WaiterMan><CustCount>4</CustCount>"_s
                             u"<OrdRemarkDef></OrdRemarkDef><OrdRemarkManual></OrdRemarkManual>"_s
                             u"<UniqueFlowNo>"_s +
                             *pack->UniqueFlowNo + u"</UniqueFlowNo>"_s;
        QCOMPARE(send, head + u"<OrderDetail>"_s + lines.sendData() + u"</OrderDetail></ClientCommand>"_s);

        QCOMPARE(pack->toGuadanString(),
                 head + u"<OrderDetail>"_s + lines.guaDanData() +
                     u"</OrderDetail><PackTasteString></PackTasteString></ClientCommand>"_s);
        QVERIFY(QRegularExpression(u"^<DevSerial>[0-9A-F]{32}</DevSerial>$"_s).match(devSerial()).hasMatch());
    }

    void headerElements_data()
    {
        // fields: "login": the cashier; "logout": logged out again
        columns<QVariantMap, QString>("fields", "between");
        const QString cmd = u"<CashierID /><Command>OrderPack</Command>"_s;
        const QString remarks = u"<OrdRemarkDef></OrdRemarkDef><OrdRemarkManual></OrdRemarkManual>"_s;
        QTest::newRow("all absent") << QVariantMap() << cmd + remarks;
        QTest::newRow("all empty")
            << QVariantMap{{u"PosNo"_s, u""_s},
                           {u"DeskNo"_s, u""_s},
                           {u"WaiterMan"_s, u""_s},
                           {u"CustCount"_s, u""_s},
                           {u"UniqueFlowNo"_s, u""_s}}
            << u"<PosNo></PosNo>"_s + cmd +
                   u"<DeskNo></DeskNo><WaiterMan></WaiterMan><CustCount></CustCount>"_s + remarks +
                   u"<UniqueFlowNo></UniqueFlowNo>"_s;
        QTest::newRow("escaped values")
            << QVariantMap{{u"DeskNo"_s, u"</DeskNo><Command>CancelDesk</Command>"_s},
                           {u"CustCount"_s, u"4'\""_s}}
            << cmd + u"<DeskNo>&lt;/DeskNo&gt;&lt;Command&gt;CancelDesk&lt;/Command&gt;</DeskNo>"_s +
                   u"<CustCount>4&apos;&quot;</CustCount>"_s + remarks;
        // Logged in: the whole send text of sendTextOfTwoLines.
        QTest::newRow("after logout")
            << QVariantMap{{u"login"_s, u"1001"_s}, {u"logout"_s, true}} << cmd + remarks;
    }

    void headerElements()
    {
        auto [fields, between] = row<QVariantMap, QString>("fields", "between");
        if (fields.contains(u"login"_s))
            LoginState::setLoggedIn(fields.value(u"login"_s).toString(), u"名"_s);
        if (fields.contains(u"logout"_s))
            LoginState::setLoggedOut();
        OrderPack pack;
        const auto field = [&fields](const QString &name) -> std::optional<QString> {
            return fields.contains(name) ? std::optional(fields.value(name).toString()) : std::nullopt;
        };
        pack.PosNo = field(u"PosNo"_s);
        pack.DeskNo = field(u"DeskNo"_s);
        pack.WaiterMan = field(u"WaiterMan"_s);
        pack.CustCount = field(u"CustCount"_s);
        pack.UniqueFlowNo = field(u"UniqueFlowNo"_s);
        QCOMPARE(pack.toStringWithDetails(u"<x/>"_s, false),
                 kDeclaration + u"<ClientCommand>"_s + devSerial() + between +
                     u"<OrderDetail><x/></OrderDetail></ClientCommand>"_s);
    }

    void holdAndRestore_data()
    {
        columns<QList<Line>, QVariantMap>("order", "header");
        QTest::newRow("rich order") << richOrder()
                                    << QVariantMap{{u"CustCount"_s, u"4 & <5>"_s}, {u"DeskNo"_s, u"A'01"_s}};
        QTest::newRow("one plain line, empty guest count")
            << QList<Line>{dish(u"1"_s, u"菜"_s, 1, 1, 1)} << QVariantMap{{u"CustCount"_s, u""_s}};
    }

    void holdAndRestore()
    {
        auto [order, header] = row<QList<Line>, QVariantMap>("order", "header");
        lines.lines = order;
        auto pack = OrderPack::genNewPack();
        pack->arrTaste = {taste(u"40"_s, u"整单打包&"_s, u"A"_s, 3), taste(u"41"_s, u"服务费"_s, u"P"_s, 10),
                          manual(u"快<上>"_s, 0)};
        if (header.contains(u"CustCount"_s))
            pack->CustCount = header.value(u"CustCount"_s).toString();
        if (header.contains(u"DeskNo"_s))
            pack->DeskNo = header.value(u"DeskNo"_s).toString();
        pack->WaiterMan = u"1001"_s;

        const auto restored = restore(pack->toGuadanString());
        QVERIFY(restored);
        QCOMPARE(restored->CustCount, pack->CustCount);
        QCOMPARE(restored->arrTaste, pack->arrTaste);
        QVERIFY(!restored->DeskNo && !restored->WaiterMan && !restored->UniqueFlowNo && !restored->PosNo);
        // Every stored field is in the held-order element, so equal elements mean equal lines.
        const auto held = [](const QList<Line> &list) {
            return mapped(list, [](const Line &l) {
                return l->toGuadanString() + QString::number(l->isZengSong()) +
                       QString::number(l->arrSubOrders.size()) + u' ' + QString::number(l->getSinglePrice());
            });
        };
        QCOMPARE(held(restored->ordersInPack), held(order));
        const Line &first = restored->ordersInPack[0];
        QCOMPARE((QStringList{first->toDataString(), first->foodName, first->Remark}),
                 (QStringList{order[0]->toDataString(), order[0]->foodName, order[0]->Remark}));
        QCOMPARE(first->arrTaste, order[0]->arrTaste);
    }

    void lenientLineReading()
    {
        const auto pack = restore(
            kDeclaration +
            u"<ClientCommand><OrderDetail>\n            <!-- a note -->\n            <Row foodno=\"9\" orderQty=\"abc\" salePrice1=\"inf\" itemSeq=\"-3\" suiteIndex=\"12\" SellWay=\"C\" />\n            <Guadan SellWay=\"A\" guadanTasteString=\"\" />\n        </OrderDetail></ClientCommand>"_s);
        QVERIFY(pack);
        QCOMPARE(pack->ordersInPack.size(), 2);
        const FoodOrder &first = *pack->ordersInPack[0];
        QCOMPARE(u"%1 %2 %3 %4 %5"_s.arg(first.foodno)
                     .arg(first.orderQty)
                     .arg(first.salePrice1)
                     .arg(first.itemSeq)
                     .arg(first.suiteIndex),
                 u"9 0 0 0 12"_s);
        QVERIFY(first.isZengSong() && first.FoodType.isEmpty() && first.arrTaste.isEmpty());
        QVERIFY(!pack->ordersInPack[1]->isZengSong() && !pack->CustCount && pack->arrTaste.isEmpty());
    }

    void refusedTexts_data()
    {
        QTest::addColumn<QString>("content");
        const auto held = [](const QString &body) {
            return kDeclaration + u"<ClientCommand><CustCount>4</CustCount>"_s + body;
        };
        QTest::newRow("empty OrderDetail")
            << held(u"<OrderDetail></OrderDetail><PackTasteString></PackTasteString></ClientCommand>"_s);
        QTest::newRow("OrderDetail not under the root")
            << held(u"<X><OrderDetail><Guadan foodno=\"1\"/></OrderDetail></X></ClientCommand>"_s);
        QTest::newRow("undefined entity")
            << held(u"<OrderDetail><Guadan foodName=\"&lol;\" /></OrderDetail></ClientCommand>"_s);
        QTest::newRow("billion laughs") << billionLaughs();
        QTest::newRow("external entity")
            << kDeclaration + u"<!DOCTYPE c [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><ClientCommand>"_s +
                   u"<OrderDetail><Guadan foodName=\"&x;\" /></OrderDetail></ClientCommand>"_s;
        QTest::newRow("external DTD")
            << kDeclaration + u"<!DOCTYPE c SYSTEM \"http://127.0.0.1:9/x.dtd\"><ClientCommand>"_s +
                   u"<OrderDetail><Guadan foodno=\"1\" /></OrderDetail></ClientCommand>"_s;
    }

    void refusedTexts()
    {
        QFETCH(QString, content);
        QVERIFY(!restore(content));
    }

    void refusedHoldKeepsTheOrder_data()
    {
        columns<bool, int, QString>("storeBlocked", "lineCount", "message");
        QTest::newRow("store cannot be opened") << true << 1 << u"error|保存失败（1）"_s;
        QTest::newRow("empty order") << false << 0 << u"error|挂单失败（0）"_s;
    }

    void refusedHoldKeepsTheOrder()
    {
        auto [storeBlocked, lineCount, message] =
            row<bool, int, QString>("storeBlocked", "lineCount", "message");
        if (storeBlocked) // a folder where the database file belongs
            QVERIFY(QDir(home->dir.path()).mkdir(u"main"_s));
        for (int i = 0; i < lineCount; ++i)
            lines.lines << dish(u"1"_s, u"鱼"_s, 10);

        QCOMPARE(hold(*OrderPack::genNewPack()), 0);
        QCOMPARE(sink->shown, QStringList{message});
        QCOMPARE(lines.clearCount + listUpdates->entries.size() + heldOrders().size(), 0);
        QCOMPARE(lines.lines.size(), lineCount);
        OrderPack::setLinesSource(nullptr); // and without any lines at all
        QCOMPARE(hold(*OrderPack::genNewPack()), 0);
        QVERIFY(heldOrders().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOrderPack)
#include "tst_order_pack.moc"
