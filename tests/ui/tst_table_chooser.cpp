// The table chooser and its tiles on the demo base data, live states from the development server.
#include "TableServer.h"
#include "UiTestSupport.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/OrderManager.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/ConfigManager.h"
#include "toolkit/KeyboardBase.h"
#include "ui/components/TableGridModel.h"
#include "ui/order/TableChooseViewController.h"

#include <QAbstractItemModelTester>

using namespace Qt::StringLiterals;

namespace {
std::shared_ptr<OrderPack> pack(const QString &desk, const QString &guests)
{
    auto made = std::make_shared<OrderPack>();
    made->DeskNo = desk;
    made->CustCount = guests;
    return made;
}
} // namespace

class TestTableChooser : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<NoticeLog> notices;

private slots:
    void initTestCase() { notices = UiTest::recordNotices(); }

    void cleanup()
    {
        ConfigManager &config = ConfigManager::defaultManager();
        config.setLockTable(false);
        config.setBindTableNo(std::nullopt);
        config.setPort(u"1"_s);
        notices->shown.clear();
        QCOMPARE(notices->progress, 0);
        UI_VERIFY_NO_WARNINGS();
    }

    // "所有" lists every table; a room only its own, in base-data order; a pick fills the field.
    void roomsFilterAndPick()
    {
        TableChooseViewController chooser(pack(u"A02"_s, {}));
        QAbstractItemModelTester tester(chooser.tables());
        QCOMPARE((QStringList{chooser.rooms()->titles().value(0), chooser.guests(), chooser.tableNo()}),
                 (QStringList{u"所有"_s, u"0"_s, u"A02"_s}));
        const int all = chooser.tables()->count();
        QVERIFY(all > 10);
        chooser.rooms()->tap(2);
        for (const DeskInfo &desk : chooser.shownTables())
            QCOMPARE(desk.roomno, u"02"_s);
        QCOMPARE(chooser.shownTables().value(0).deskno, u"V01"_s);
        chooser.tables()->tap(0);
        QCOMPARE(chooser.tableNo() + u'|' + QString::number(chooser.tables()->selectedIndex()), u"V01|0"_s);
        chooser.rooms()->tap(0);
        QCOMPARE(chooser.tables()->count(), all);
    }

    // With the table locked neither keys nor picks move the bound table, and the chooser opens on the
    // guests (the keypads of each field, unlocked: the window's order-list flow).
    void lockKeepsTheBoundTable()
    {
        ConfigManager::defaultManager().setLockTable(true);
        ConfigManager::defaultManager().setBindTableNo(u"A05"_s);
        TableChooseViewController chooser(pack(u"A01"_s, u"2"_s));
        QVERIFY(chooser.isTableLocked());
        QCOMPARE(chooser.editingField(), TableChooseViewController::GuestField);
        chooser.beginEditing(TableChooseViewController::TableField);
        for (const QString &key : {u"V"_s, u"1"_s, u"2"_s})
            chooser.letterKeys()->click(key);
        QCoreApplication::processEvents();
        chooser.tables()->tap(0);
        chooser.setField(TableChooseViewController::TableField, u"V12"_s);
        chooser.beginEditing(TableChooseViewController::GuestField);
        chooser.numberKeys()->click(u"6"_s);
        QCoreApplication::processEvents();
        QCOMPARE(chooser.guests() + u'|' + chooser.tableNo(), u"6|A05"_s);
    }

    void confirm_data()
    {
        columns<QString, QString, QStringList, bool>("table", "guests", "shown", "stored");
        const QStringList badGuests{u"error|请输入正确人数！"_s};
        QTest::newRow("half a guest") << u"A01"_s << u"2.5"_s << QStringList() << true;
        QTest::newRow("two points") << u"A01"_s << u"1..2"_s << badGuests << false;
        QTest::newRow("unknown table kept")
            << u"Z99"_s << u"3"_s << QStringList{u"error|不存在的桌台编号"_s} << true;
        QTest::newRow("guests checked first") << u"Z99"_s << u"x"_s << badGuests << false;
    }
    void confirm()
    {
        const auto [table, guests, shown, stored] =
            row<QString, QString, QStringList, bool>("table", "guests", "shown", "stored");
        const auto edited = pack(u"A02"_s, u"1"_s);
        TableChooseViewController chooser(edited);
        chooser.setField(TableChooseViewController::TableField, table);
        chooser.setField(TableChooseViewController::GuestField, guests);
        chooser.setField(TableChooseViewController::WaiterField, u"1001"_s);
        chooser.confirm();
        QCOMPARE(notices->shown, shown);
        QCOMPARE((QStringList{edited->DeskNo.value_or(u"-"_s), edited->CustCount.value_or(u"-"_s),
                              edited->WaiterMan.value_or(u"-"_s)}),
                 (stored ? QStringList{table, guests, u"1001"_s} : QStringList{u"A02"_s, u"1"_s, u"-"_s}));
        QCOMPARE(chooser.isDismissing(), stored);
    }

    // Cancel leaves the pack (the request id on a confirmation: tst_order_list popupConfirmations).
    void cancelKeepsThePack()
    {
        QString cancelled;
        NotificationCenter::defaultCenter().addObserver(
            this, Notify::PopManagerControllerCancel,
            [&](const Notification &note) { cancelled = note.object.value<QObject *>()->objectName(); });
        const auto kept = pack(u"A01"_s, u"2"_s);
        TableChooseViewController chooser(kept);
        chooser.setObjectName(u"chooser"_s);
        chooser.setField(TableChooseViewController::TableField, u"A03"_s);
        chooser.cancel();
        QCoreApplication::processEvents();
        NotificationCenter::defaultCenter().removeObserver(this);
        QCOMPARE(cancelled, u"chooser"_s);
        QCOMPARE(kept->DeskNo, u"A01"_s);
    }

    // A01 opened with 4 guests shows "4人 ￥…" and its mark; a broken reply and a refusal show no
    // states; a reply after the pop-up is gone touches nothing. The indicator always comes down.
    void liveStates()
    {
        TableServer server;
        QVERIFY2(server.start(), qPrintable(server.lastError()));
        ConfigManager::defaultManager().setPort(QString::number(server.port()));
        QCOMPARE(server.login(u"1001"_s, u"123"_s), u"0"_s);
        QCOMPARE(server.command(u"KaiTai"_s, u"DeskNo=A01&CustCount=4"_s, u"1001"_s), u"0"_s);
        QStringList shown; // the tables in use as "second|number", then the notices
        const auto refresh = [&] {
            TableChooseViewController chooser(pack({}, {}));
            chooser.refreshRoomInfo();
            QCOMPARE(notices->progress, 1);
            QTRY_COMPARE(notices->progress, 0);
            QVERIFY(ServerRequest::sharedQueue().waitForDone(5000));
            shown.clear();
            for (const TableTile &tile : chooser.tables()->tiles()) {
                if (tile.inUse)
                    shown << tile.second + u'|' + tile.number;
            }
            shown += notices->shown;
        };
        refresh();
        QVERIFY2(shown.size() == 1 && shown.at(0).startsWith(u"A01|4人 ￥"_s), qPrintable(shown.join(u',')));
        QCOMPARE(server.controlPost(u"/__control/faults?command=GetRoomDeskState&kind=notxml"_s), 200);
        refresh();
        QCOMPARE(shown, QStringList());
        QCOMPARE(server.controlPost(u"/__control/faults?command=GetRoomDeskState&kind=status"_s), 200);
        refresh();
        QVERIFY2(shown.size() == 1 && shown.at(0).startsWith(u"error|"_s), qPrintable(shown.join(u',')));

        {
            TableChooseViewController gone(pack({}, {}));
            gone.refreshRoomInfo();
        }
        QCOMPARE(notices->progress, 0);
        QVERIFY(ServerRequest::sharedQueue().waitForDone(5000));
        QCoreApplication::processEvents();
        QCOMPARE(notices->progress, 0);
    }
};

DIANCAI_UI_TEST_MAIN(TestTableChooser)
#include "tst_table_chooser.moc"
