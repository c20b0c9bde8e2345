#include "TestRows.h"
#include "foundation/AppPaths.h"
#include "foundation/SettingsKeys.h"
#include "settings/ConfigManager.h"
#include "settings/DataFolder.h"
#include "settings/LayoutManger.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Remembers every write in order.
class RecordingStore : public SettingsStore {
public:
    QVariant value(const QString &key) const override { return values.value(key); }
    void setValue(const QString &key, const QVariant &value) override
    {
        writes.append(key);
        values.insert(key, value);
    }
    void remove(const QString &key) override { values.remove(key); }
    void sync() override { writes.append(QStringLiteral("<sync>")); }

    QVariantMap values;
    QStringList writes;
};

// Every setting as text joined by "|" in a fixed order, "-" for none, the nine switches last as 0/1.
QString settingsOf(ConfigManager &c)
{
    const auto text = [](const std::optional<QString> &value) { return value.value_or(QStringLiteral("-")); };
    QString flags;
    for (bool flag :
         {c.playBgMusic(), c.lockTable(), c.autoRefreshTableStatus(), c.silentMode(), c.isCusMode(),
          c.isAutoRefreshSoldOut(), c.isDisplayTuiJian(), c.isDarkBackground(), c.showOrderListStatus()})
        flags += flag ? u'1' : u'0';
    QStringList parts;
    parts << text(c.ip()) << text(c.port()) << c.posNum() << c.languageCode() << c.defaultPrintState()
          << QString::number(c.timeout()) << QString::number(c.ctTaiHaoShuruFangshi())
          << QString::number(c.ctShowAmount()) << QString::number(c.ctLogoutAfterSend())
          << QString::number(c.autoRefreshSoldOutIntervalTime()) << text(c.bindTableNo())
          << text(c.bgMusicPath()) << flags;
    return parts.join(u'|');
}

const QString kDefaults =
    ConfigManager::kDefaultIp + QStringLiteral("|8030|001|zh-strings|0|8|1|3|5|0|-|-|000000000");
} // namespace

class TestConfigManager : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> home;
    std::shared_ptr<RecordingStore> recorder;

    QString iniPath() const { return home->filePath(QStringLiteral("settings.ini")); }
    void useIniStore() { SettingsStore::setShared(std::make_shared<IniSettingsStore>(iniPath())); }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        AppPaths::setHome(home->path());
        recorder = std::make_shared<RecordingStore>();
        SettingsStore::setShared(recorder);
        ConfigManager::resetDefaultManager();
    }

    void firstStartOrADamagedFileGivesDefaults()
    {
        QCOMPARE(settingsOf(ConfigManager::defaultManager()), kDefaults);
        LayoutManger::defaultManager().restore();
        QCOMPARE(LayoutManger::defaultManager().layout(), 0);
        QVERIFY2(recorder->writes.isEmpty(), "restoring writes nothing");

        // A damaged settings file reads as none.
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("\x00\xff[[[kTimeout=\n=\x01garbage\n[General\nkPort", 40));
        file.close();
        useIniStore();
        ConfigManager::resetDefaultManager();
        QCOMPARE(settingsOf(ConfigManager::defaultManager()), kDefaults);
    }

    // Zero, negative and empty values read as unset; any other stands.
    void restoreAppliesDefaultsOnlyToUnsetValues_data()
    {
        columns<QVariantMap, QString>("stored", "settings");
        QTest::newRow("negative, zero, empty")
            << QVariantMap{{Key::Timeout, -3}, {Key::ctTaiHaoShuruFangshi, 0}, {Key::LanguageCode, QString()}}
            << kDefaults;
        QTest::newRow("set values") << QVariantMap{{Key::ctTaiHaoShuruFangshi, 2},
                                                   {Key::ctLogoutAfterSend, 6},
                                                   {Key::LanguageCode, "en-strings"},
                                                   {Key::DefaultPrintState, "2"}}
                                    << ConfigManager::kDefaultIp +
                                           QStringLiteral("|8030|001|en-strings|2|8|2|3|6|0|-|-|000000000");
    }
    void restoreAppliesDefaultsOnlyToUnsetValues()
    {
        auto [stored, settings] = row<QVariantMap, QString>("stored", "settings");
        recorder->values = stored;
        QCOMPARE(settingsOf(ConfigManager::defaultManager()), settings);
    }

    // A non-positive timeout and an empty terminal number are not taken, nor saved; an unlocked
    // terminal keeps no table (a locked one does: savedSettingsSurviveARestartUnsavedOnesDoNot).
    void settersRefuseWhatRestoreRefuses()
    {
        ConfigManager &c = ConfigManager::defaultManager();
        c.setTimeout(15);
        c.setTimeout(-5);
        c.setPosNum(QString());
        c.setBindTableNo(QStringLiteral("A08"));
        // Saved before anyone read it: still the default.
        c.save();
        QCOMPARE(recorder->values.value(Key::Timeout).toInt(), 8);
        QCOMPARE(recorder->values.value(Key::Mnum).toString(), QStringLiteral("001"));
        QCOMPARE(c.posNum(), QStringLiteral("001"));
        QCOMPARE(recorder->values.value(Key::BindTableNo).typeId(), QMetaType::QString);
        QCOMPARE(recorder->values.value(Key::BindTableNo).toString(), QString());
    }

    void serverAddressForms_data()
    {
        // address empty: none
        columns<QVariant, QVariant, QString>("ip", "port", "address");
        QTest::newRow("empty port") << QVariant("10.0.0.5") << QVariant("") << "http://10.0.0.5";
        QTest::newRow("empty ip") << QVariant("") << QVariant("8030") << "";
        QTest::newRow("nothing stored")
            << QVariant() << QVariant() << "http://" + ConfigManager::kDefaultIp + ":8030";
    }
    void serverAddressForms()
    {
        auto [ip, port, address] = row<QVariant, QVariant, QString>("ip", "port", "address");
        if (ip.isValid())
            recorder->values.insert(Key::Ip, ip);
        if (port.isValid())
            recorder->values.insert(Key::Port, port);
        const std::optional<QString> result = ConfigManager::defaultManager().getServerAddress();
        QCOMPARE(result, address.isEmpty() ? std::nullopt : std::optional(address));
    }

    void dataFolderRule_data()
    {
        // folder relative to the home; "<update>" = shipped data
        columns<QVariant, QString>("zipFileName", "folder");
        QTest::newRow("never installed") << QVariant() << "<update>";
        QTest::newRow("no extension") << QVariant("data") << "data";
        QTest::newRow("two dots drop only the last") << QVariant("a.b.zip") << "a.b";
        QTest::newRow("only an extension") << QVariant(".zip") << "<update>";
    }
    void dataFolderRule()
    {
        auto [zipFileName, folder] = row<QVariant, QString>("zipFileName", "folder");
        if (zipFileName.isValid())
            recorder->values.insert(Key::ZipFileName, zipFileName);
        const QString expected = folder == QStringLiteral("<update>")
                                     ? AppPaths::resourcePath(QStringLiteral("update"))
                                     : home->path() + u'/' + folder;
        ConfigManager &c = ConfigManager::defaultManager();
        QCOMPARE(
            (QStringList{DataFolder::path(), c.getDatabasePath(), c.getBigPicPath(), c.getAdPicturePath(),
                         c.getAdVideoPath(), c.getMainBgPath(), c.getBgMusicPath()}),
            (QStringList{expected, expected + "/PadBaseData.db", expected + "/foodPicBig",
                         expected + "/AdPicture", expected + "/AdVideo", expected + "/MainBg.jpg",
                         expected + "/BgMusic"}));
    }

    void savedSettingsSurviveARestartUnsavedOnesDoNot()
    {
        useIniStore();
        ConfigManager::resetDefaultManager();
        ConfigManager &c = ConfigManager::defaultManager();
        c.setIp(QStringLiteral("127.0.0.1"));
        c.setPort(QStringLiteral("18030"));
        c.setPosNum(QStringLiteral("007"));
        c.setTimeout(30);
        c.setLockTable(true);
        c.setBindTableNo(QStringLiteral("B12"));
        c.setSilentMode(true);
        c.setCtShowAmount(4);
        c.setAutoRefreshSoldOutIntervalTime(45);
        c.setBgMusicPath(QStringLiteral("/music/茉莉花.wav"));
        c.save();
        c.setPosNum(QStringLiteral("999")); // never saved
        LayoutManger::defaultManager().setLayout(2);
        LayoutManger::defaultManager().save();

        useIniStore(); // a fresh process reads the file again
        ConfigManager::resetDefaultManager();
        ConfigManager &r = ConfigManager::defaultManager();
        QCOMPARE(r.getServerAddress(), std::optional<QString>(QStringLiteral("http://127.0.0.1:18030")));
        QCOMPARE(
            settingsOf(r),
            QStringLiteral("127.0.0.1|18030|007|zh-strings|0|30|1|4|5|45|B12|/music/茉莉花.wav|010100000"));
        LayoutManger::defaultManager().setLayout(0);
        LayoutManger::defaultManager().restore();
        QCOMPARE(LayoutManger::defaultManager().layout(), 2);
    }
};

QTEST_GUILESS_MAIN(TestConfigManager)
#include "tst_configmanager.moc"
