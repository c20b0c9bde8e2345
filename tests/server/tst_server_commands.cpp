#include "ServerTestHome.h"
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
} // namespace

class TestServerCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ServerTestHome> home;

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
        QTest::addColumn<QString>("account");
        QTest::addColumn<ClientCommand>("command");
        QTest::addColumn<QString>("cashier");
        QTest::addColumn<QString>("rest");
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
        row("EditDesk", editDesk(u"A01"_s, u"6"_s, u"9"_s),
            desk + u"<CustCount>6</CustCount><WaiterMan>9</WaiterMan>"_s);
        row("DeskHurry", deskHurry(u"A01"_s), user + desk);
        row("CatHurry", catHurry(u"A01"_s, u"c2"_s), user + desk + u"<CatNo>c2</CatNo>"_s);
        row("FoodHurry", foodHurry(u"A01"_s, u"101"_s), user + desk + u"<FoodNo>101</FoodNo>"_s);
        row("DeskWakeUp", deskWakeup(u"A01"_s), user + desk);
        row("CatWakeUp", catWakeUp(u"A01"_s, u"c2"_s), user + desk + u"<CatNo>c2</CatNo>"_s);
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
        QFETCH(QString, account);
        QFETCH(ClientCommand, command);
        QFETCH(QString, cashier);
        QFETCH(QString, rest);
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
        QCOMPARE(cmd.toString(),
                 kHead + DeviceIdentity::devSerialElement() + u"<DeskNo>A01</DeskNo>"_s + element + kTail);
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
        static const QRegularExpression serial(u"<DevSerial>([0-9A-F]{32})</DevSerial>"_s);
        const auto a = serial.match(CommandMaker::checkServerStatus().toString());
        QVERIFY(a.hasMatch());
        QCOMPARE(serial.match(CommandMaker::cancelDesk(u"A01"_s).toString()).captured(1), a.captured(1));
        QCOMPARE(CommandMaker::checkServerStatus().devSerial(), a.captured(0));
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
        std::vector<QString> seen(8);
        std::vector<std::thread> threads;
        for (size_t t = 0; t < seen.size(); ++t)
            threads.emplace_back([&seen, t] { seen[t] = ClientCommand().toString(); });
        for (auto &thread : threads)
            thread.join();
        for (const QString &text : seen)
            QCOMPARE(text, seen.front());
    }
};

QTEST_GUILESS_MAIN(TestServerCommands)
#include "tst_server_commands.moc"
