#include "foundation/AppPaths.h"
#include "foundation/SettingsKeys.h"
#include "server/CommandMaker.h"
#include "settings/ConfigManager.h"
#include "settings/DeviceIdentity.h"
#include "settings/LoginState.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <thread>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ClientCommand)

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
} // namespace

class TestServerCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> home;

    static QString devSerial() { return DeviceIdentity::devSerialElement(); }
    static QString pos() { return u"<PosNo>7</PosNo>"_s; }

    // Data functions build their commands before init() runs for each row, so the home, the POS
    // number and the identity stay the same for the whole run; each test sets its own login.
    static void loginAs(const QString &accountId)
    {
        SettingsStore::shared().remove(Key::AccountId);
        SettingsStore::shared().remove(Key::IsLogin);
        if (!accountId.isEmpty())
            LoginState::setLoggedIn(accountId, u"名"_s);
    }

private slots:
    void initTestCase()
    {
        home = std::make_unique<QTemporaryDir>();
        AppPaths::setHome(home->path());
        SettingsStore::setShared(std::make_shared<IniSettingsStore>(home->filePath(u"settings.ini"_s)));
        SettingsStore::shared().setValue(Key::Mnum, u"7"_s);
        ConfigManager::resetDefaultManager();
        DeviceIdentity::resetCache();
    }

    void commandsOfAnOperator_data()
    {
        QTest::addColumn<ClientCommand>("command");
        QTest::addColumn<QString>("body");
        loginAs(u"1001"_s);
        const QString cashier = u"<CashierID>1001</CashierID>"_s;
        using namespace CommandMaker;
        QTest::newRow("GetUpFileName")
            << getUpFileCommandWithUserId(u"42"_s) << cashier + u"<Command>GetUpFileName</Command>"_s;
        QTest::newRow("LogIn") << loginCommandWithUserId(u"1002"_s, u"pw"_s)
                               << cashier + u"<Command>LogIn</Command><UserID>1002</UserID>"_s
                                            u"<UserPassword>pw</UserPassword>"_s;
        QTest::newRow("KaiTai") << commandKaiTaiWithDeskNo(u"A01"_s, u"4"_s, u"9"_s)
                                << cashier + u"<Command>KaiTai</Command><DeskNo>A01</DeskNo>"_s
                                             u"<CustCount>4</CustCount><WaiterMan>9</WaiterMan>"_s;
        QTest::newRow("ChangeDesk") << changeDeskFromSourceDesk(u"A01"_s, u"B02"_s)
                                    << cashier +
                                           u"<Command>ChangeDesk</Command><SourceDeskNo>A01</SourceDeskNo>"_s
                                           u"<DestDeskNo>B02</DestDeskNo>"_s;
        QTest::newRow("MergeDesk") << mergeSourceDesk(u"A01"_s, u"B02"_s)
                                   << cashier +
                                          u"<Command>MergeDesk</Command><SourceDeskNo>A01</SourceDeskNo>"_s
                                          u"<DestDeskNo>B02</DestDeskNo>"_s;
        QTest::newRow("CancelDesk") << cancelDesk(u"A01"_s)
                                    << cashier + u"<Command>CancelDesk</Command><DeskNo>A01</DeskNo>"_s;
        QTest::newRow("EditDesk") << editDesk(u"A01"_s, u"6"_s, u"9"_s)
                                  << cashier + u"<Command>EditDesk</Command><DeskNo>A01</DeskNo>"_s
                                               u"<CustCount>6</CustCount><WaiterMan>9</WaiterMan>"_s;
        QTest::newRow("DeskHurry") << deskHurry(u"A01"_s)
                                   << cashier + u"<Command>DeskHurry</Command><UserID>1001</UserID>"_s
                                                u"<DeskNo>A01</DeskNo>"_s;
        QTest::newRow("CatHurry") << catHurry(u"A01"_s, u"c2"_s)
                                  << cashier + u"<Command>CatHurry</Command><UserID>1001</UserID>"_s
                                               u"<DeskNo>A01</DeskNo><CatNo>c2</CatNo>"_s;
        QTest::newRow("FoodHurry") << foodHurry(u"A01"_s, u"101"_s)
                                   << cashier + u"<Command>FoodHurry</Command><UserID>1001</UserID>"_s
                                                u"<DeskNo>A01</DeskNo><FoodNo>101</FoodNo>"_s;
        QTest::newRow("DeskWakeUp") << deskWakeup(u"A01"_s)
                                    << cashier + u"<Command>DeskWakeUp</Command><UserID>1001</UserID>"_s
                                                 u"<DeskNo>A01</DeskNo>"_s;
        QTest::newRow("CatWakeUp") << catWakeUp(u"A01"_s, u"c2"_s)
                                   << cashier + u"<Command>CatWakeUp</Command><UserID>1001</UserID>"_s
                                                u"<DeskNo>A01</DeskNo><CatNo>c2</CatNo>"_s;
        QTest::newRow("FoodWakeUp") << foodWakeUp(u"A01"_s, u"101"_s)
                                    << cashier + u"<Command>FoodWakeUp</Command><UserID>1001</UserID>"_s
                                                 u"<DeskNo>A01</DeskNo><FoodNo>101</FoodNo>"_s;
        QTest::newRow("ReturnFood") << returnFood(u"A01"_s, u"101"_s, u"1.5"_s, u"r3"_s)
                                    << cashier + u"<Command>ReturnFood</Command><DeskNo>A01</DeskNo>"_s
                                                 u"<FoodNo>101</FoodNo><FoodQty>1.5</FoodQty>"_s
                                                 u"<ReturnReason>r3</ReturnReason>"_s;
        QTest::newRow("ConfirmQty")
            << chengZhongFood(u"A01"_s, u"101"_s, u"5"_s, u"2.3"_s)
            << cashier + u"<Command>ConfirmQty</Command><DeskNo>A01</DeskNo>"_s
                         u"<FoodNo>101</FoodNo><FoodQty>2.3</FoodQty><itemseq>5</itemseq>"_s;
        QTest::newRow("GetGqFoodList") << getGqFoodList() << cashier + u"<Command>GetGqFoodList</Command>"_s;
        QTest::newRow("GetRoomDeskState by room")
            << getRoomDeskStateWithRoomNo(u"R1"_s)
            << cashier + u"<Command>GetRoomDeskState</Command><RoomNo/>"_s;
        QTest::newRow("GetRoomDeskState, no room")
            << getRoomDeskStateWithRoomNo() << cashier + u"<Command>GetRoomDeskState</Command><RoomNo/>"_s;
        QTest::newRow("GetRoomDeskState by table")
            << getRoomDeskStateWithDeskNo(u"A01"_s)
            << cashier + u"<Command>GetRoomDeskState</Command><DeskNo>A01</DeskNo><RoomNo/>"_s;
        QTest::newRow("GetDeskSaleList")
            << getDeskSaleList(u"A01"_s)
            << cashier + u"<Command>GetDeskSaleList</Command><DeskNo>A01</DeskNo>"_s;
        QTest::newRow("PrintDeskBill")
            << printDeskBill(u"A01"_s) << cashier + u"<Command>PrintDeskBill</Command><DeskNo>A01</DeskNo>"_s;
        QTest::newRow("ChangePassword")
            << changePassword(u"1001"_s, u"new"_s)
            << cashier + u"<Command>ChangePassword</Command><UserID>1001</UserID>"_s
                         u"<UserPassword>new</UserPassword>"_s;
        QTest::newRow("CheckServerStatus")
            << checkServerStatus() << cashier + u"<Command>CheckServerStatus</Command>"_s;
    }

    void commandsOfAnOperator()
    {
        QFETCH(ClientCommand, command);
        QFETCH(QString, body);
        loginAs(u"1001"_s);
        QCOMPARE(command.toString(), kHead + devSerial() + pos() + body + kTail);
    }

    void withoutAccountId_data()
    {
        QTest::addColumn<ClientCommand>("command");
        QTest::addColumn<QString>("body");
        loginAs(QString());
        QTest::newRow("GetUpFileName has no cashier")
            << CommandMaker::getUpFileCommandWithUserId(QString()) << u"<Command>GetUpFileName</Command>"_s;
        QTest::newRow("others write an empty cashier")
            << CommandMaker::cancelDesk(u"A01"_s)
            << u"<CashierID/><Command>CancelDesk</Command><DeskNo>A01</DeskNo>"_s;
        QTest::newRow("hurry without operator has no UserID")
            << CommandMaker::deskHurry(u"A01"_s)
            << u"<CashierID/><Command>DeskHurry</Command><DeskNo>A01</DeskNo>"_s;
    }

    void withoutAccountId()
    {
        QFETCH(ClientCommand, command);
        QFETCH(QString, body);
        loginAs(QString());
        QCOMPARE(command.toString(), kHead + devSerial() + pos() + body + kTail);
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
        const QString text = hurry.toString();
        QVERIFY(
            text.contains(u"<CashierID>2002</CashierID><Command>FoodHurry</Command><UserID>1001</UserID>"_s));
    }

    void absentAndEmptyFields()
    {
        loginAs(QString());
        ClientCommand none;
        QCOMPARE(none.toString(), kHead + devSerial() + kTail);

        ClientCommand all;
        all.posNo = u""_s;
        all.command = u"C"_s;
        all.userID = u""_s;
        all.userPassword = u""_s;
        all.DeskNo = u""_s;
        all.CustCount = u""_s;
        all.WaiterMan = u""_s;
        all.SourceDeskNo = u""_s;
        all.DestDeskNo = u""_s;
        all.CatNo = u""_s;
        all.FoodNo = u""_s;
        all.FoodQty = u""_s;
        all.ReturnReason = u""_s;
        all.itemseq = u""_s;
        all.RoomNo = u""_s;
        all.genEmptyCashierIDNode = true;
        QCOMPARE(
            all.toString(),
            kHead + devSerial() +
                u"<PosNo></PosNo><CashierID/><Command>C</Command><UserID></UserID>"_s
                u"<UserPassword></UserPassword><DeskNo></DeskNo><CustCount></CustCount><WaiterMan></WaiterMan>"_s
                u"<SourceDeskNo></SourceDeskNo><DestDeskNo></DestDeskNo><CatNo></CatNo><FoodNo></FoodNo>"_s
                u"<FoodQty></FoodQty><ReturnReason></ReturnReason><itemseq></itemseq><RoomNo></RoomNo>"_s +
                kTail);
    }

    void roomNoPrecedence_data()
    {
        QTest::addColumn<bool>("hasRoom");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QString>("element");
        QTest::newRow("room, no flag") << true << false << u"<RoomNo>R1</RoomNo>"_s;
        QTest::newRow("room and flag: the flag wins") << true << true << u"<RoomNo/>"_s;
        QTest::newRow("flag only") << false << true << u"<RoomNo/>"_s;
        QTest::newRow("neither") << false << false << QString();
    }

    void roomNoPrecedence()
    {
        loginAs(QString());
        QFETCH(bool, hasRoom);
        QFETCH(bool, flag);
        QFETCH(QString, element);
        ClientCommand cmd;
        cmd.DeskNo = u"A01"_s;
        if (hasRoom)
            cmd.RoomNo = u"R1"_s;
        cmd.genEmptyRoomNoNode = flag;
        QCOMPARE(cmd.toString(), kHead + devSerial() + u"<DeskNo>A01</DeskNo>"_s + element + kTail);
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

    void deviceIdentity()
    {
        const QString first = CommandMaker::checkServerStatus().toString();
        const QString second = CommandMaker::cancelDesk(u"A01"_s).toString();
        static const QRegularExpression serial(u"<DevSerial>([0-9A-F]{32})</DevSerial>"_s);
        const auto a = serial.match(first), b = serial.match(second);
        QVERIFY(a.hasMatch() && b.hasMatch());
        QCOMPARE(a.captured(1), b.captured(1));
        QCOMPARE(CommandMaker::checkServerStatus().devSerial(), a.captured(0));

        // The same home keeps the identity over a restart; deleting its file makes a new one.
        DeviceIdentity::resetCache();
        QVERIFY(CommandMaker::checkServerStatus().toString().contains(a.captured(0)));
        QVERIFY(QFile::remove(home->filePath(DeviceIdentity::kFileName)));
        DeviceIdentity::resetCache();
        const auto renewed = serial.match(CommandMaker::checkServerStatus().toString());
        QVERIFY(renewed.hasMatch());
        QVERIFY(renewed.captured(1) != a.captured(1));
        QVERIFY(QFile::exists(home->filePath(DeviceIdentity::kFileName)));
    }

    void identityIsMadeOnceUnderRace()
    {
        DeviceIdentity::resetCache();
        QFile::remove(home->filePath(DeviceIdentity::kFileName));
        constexpr int kThreads = 8;
        std::vector<QString> seen(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&seen, t] { seen[t] = ClientCommand().toString(); });
        for (auto &thread : threads)
            thread.join();
        for (const QString &text : seen)
            QCOMPARE(text, seen.front());
    }
};

QTEST_GUILESS_MAIN(TestServerCommands)
#include "tst_server_commands.moc"
