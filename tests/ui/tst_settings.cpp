// The settings page: lock and access code, option groups and effects, checked save, music, data deletion.
#include "RecordingAudio.h"
#include "UiTestSupport.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "media/SoundManager.h"
#include "server/ActGuQing.h"
#include "server/NetworkChecker.h"
#include "settings/ConfigKeys.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/LayoutManger.h"
#include "settings/SettingsStore.h"
#include "ui/components/EditingFocus.h"
#include "ui/settings/ConfigViewController.h"
#include "ui/shell/Appearance.h"
#include "ui/shell/Navigator.h"

#include <QDir>
#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using C = ConfigViewController;

const QDate kToday(2026, 12, 7);
const QString kTodaysCode = u"29783797"_s;

QByteArray storedSettings()
{
    SettingsStore::shared().sync();
    QFile file(AppPaths::home() + u"/settings.ini"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private:
    QStringList log;
    std::unique_ptr<SoundManager> sound;
    std::unique_ptr<C> page;

    // The page as the staff screen shows it, unlocked unless asked otherwise.
    C &open(bool unlocked = true)
    {
        sound->setup();
        page = std::make_unique<C>();
        page->setClock([] { return kToday; });
        page->setSoundManager(sound.get());
        page->setShown(true);
        if (unlocked) {
            page->lockField()->setText(0, kTodaysCode);
            page->unlock();
        }
        return *page;
    }

private slots:
    void initTestCase() { UiTest::startRecording(); }

    void init()
    {
        log.clear();
        sound = std::make_unique<SoundManager>(std::make_unique<RecordingAudio>(&log));
    }

    void cleanup()
    {
        page.reset();
        sound.reset();
        ActGuQing::sharedInstance().stop();
        NetworkChecker::sharedInstance().stop();
        for (const QString &key : ConfigKeys::all())
            SettingsStore::shared().remove(key);
        ConfigManager::resetDefaultManager();
        ConfigManager::defaultManager().setIp(u"127.0.0.1"_s);
        ConfigManager::defaultManager().setPort(u"1"_s);
        LayoutManger::defaultManager().restore();
        Appearance::instance().refresh();
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese);
        QDir(AppPaths::home() + u"/pkg"_s).removeRecursively();
        Navigator::instance().reset();
        NoticeBoard::instance().clear();
        EditingFocus::instance().clear();
        UI_VERIFY_NO_WARNINGS();
    }

    // Two days' codes: the only check of AccessCode::forDate.
    void lockOpensWithTheCodeOfTheDayItIsChecked()
    {
        QDate today = kToday;
        C &settings = open(false);
        settings.setClock([&today] { return today; });
        NoticeSpy shown;
        QVERIFY(settings.isLocked());

        // Typed on the keypad; a wrong code is refused and cleared.
        for (const QString &key : {u"1"_s, u"2"_s, u"3"_s, u"ok"_s})
            settings.lockField()->activeKeyboard()->click(key);
        QTRY_COMPARE(shown.lastText(), u"密码不正确"_s);
        QVERIFY(settings.isLocked());
        QCOMPARE(settings.lockField()->text(0), QString());

        // Midnight passed since the page opened: the new day's code opens it.
        today = kToday.addDays(1);
        settings.lockField()->setText(0, kTodaysCode);
        settings.unlock();
        QVERIFY(settings.isLocked());
        settings.lockField()->setText(0, u"19783797"_s);
        settings.unlock();
        QVERIFY(!settings.isLocked());
        QCOMPARE(settings.lockField()->text(0), QString());

        // Logging out locks it; locked, a tap on a choice changes nothing.
        NotificationCenter::defaultCenter().post(Notify::NotificationLogout);
        QVERIFY(settings.isLocked());
        settings.tapChoice(C::CusMode, 0);
        QVERIFY(!ConfigManager::defaultManager().isCusMode());
    }

    // A stored layout out of range reads as the default one; every other choice at its default too.
    void initialChoicesFollowTheSettings_data()
    {
        columns<bool, int, QList<int>>("switched", "storedLayout", "expected");
        const QList<int> defaults{0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1};
        QTest::newRow("every other") << true << 2 << QList<int>{1, 1, 0, 0, 0, 2, 2, 1, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("layout out of range") << false << 7 << defaults;
    }

    void initialChoicesFollowTheSettings()
    {
        const auto [switched, storedLayout, expected] =
            row<bool, int, QList<int>>("switched", "storedLayout", "expected");
        SettingsStore::shared().setValue(Key::LayoutType, storedLayout);
        LayoutManger::defaultManager().restore();
        if (switched) {
            ConfigManager &c = ConfigManager::defaultManager();
            c.setCtTaiHaoShuruFangshi(2);
            c.setCtShowAmount(4);
            c.setCtLogoutAfterSend(6);
            c.setSilentMode(true);
            c.setAutoRefreshTableStatus(true);
            c.setDefaultPrintState(u"2"_s);
            c.setLanguageCode(LanguageManager::kEnglish);
            for (auto set : {&ConfigManager::setPlayBgMusic, &ConfigManager::setIsCusMode,
                             &ConfigManager::setIsAutoRefreshSoldOut, &ConfigManager::setIsDisplayTuiJian,
                             &ConfigManager::setIsDarkBackground, &ConfigManager::setShowOrderListStatus,
                             &ConfigManager::setLockTable})
                (c.*set)(true);
        }
        open();
        QList<int> selected;
        for (const ChoiceGroupModel::Group &group : page->groups()->groups())
            selected.append(group.selected);
        QCOMPARE(selected, expected);
        // Setting the initial choices ran no effect.
        QVERIFY(log.isEmpty());
    }

    void saveRefusalsChangeNothing_data()
    {
        columns<QVariantMap, int, QString>("typed", "group", "message"); // group: switched on first, or -1
        const auto f = [](C::Field field) { return QString::number(field); };
        const auto row = [&f](const char *name, C::Field field, const QString &text, const QString &message,
                              int group = -1) {
            QTest::newRow(name) << QVariantMap{{f(field), text}} << group << message;
        };
        const QString ip = u"请输入正确的服务器地址"_s, pos = u"请输入正确的点菜机号"_s,
                      port = u"请输入正确的服务器端口"_s;
        row("address with a slash", C::IpField, u"10.0.0.1/x"_s, ip);
        row("terminal number with a letter", C::PosNumField, u"1a"_s, pos);
        row("port with points", C::PortField, u"80.30"_s, port);
        row("port 65536", C::PortField, u"65536"_s, port);
        QTest::newRow("port before timeout")
            << QVariantMap{{f(C::PortField), u"x"_s}, {f(C::TimeoutField), QString()}} << -1 << port;
        row("no timeout", C::TimeoutField, QString(), u"请输入正确的通讯等待时间"_s);
        row("bound table missing", C::TableField, QString(), u"请输入绑定桌台号"_s, C::BindTable);
        row("interval missing", C::IntervalField, QString(), u"请输入刷新售罄品项间隔（秒）"_s,
            C::AutoRefreshSoldOut);
    }

    void saveRefusalsChangeNothing()
    {
        const auto [typed, group, message] = row<QVariantMap, int, QString>("typed", "group", "message");
        C &settings = open();
        // A good port typed alongside must not slip into the settings.
        settings.fields()->setText(C::PortField, u"8031"_s);
        for (auto it = typed.cbegin(); it != typed.cend(); ++it)
            settings.fields()->setText(it.key().toInt(), it.value().toString());
        if (group >= 0)
            settings.tapChoice(group, 0);
        const QByteArray before = storedSettings();
        NoticeSpy shown;

        settings.save();
        QTRY_COMPARE(shown.lastText(), message);
        QCOMPARE(storedSettings(), before);
        ConfigManager &config = ConfigManager::defaultManager();
        QCOMPARE((QStringList{config.ip().value_or(u"-"_s), config.port().value_or(u"-"_s), config.posNum()}),
                 (QStringList{u"127.0.0.1"_s, u"1"_s, u"001"_s}));

        // A later tap that stores at once stores only its own key.
        settings.tapChoice(C::RefreshTableStatus, 0);
        QVERIFY(SettingsStore::shared().boolean(Key::AutoRefreshTableStatus));
        QVERIFY(!SettingsStore::shared().value(Key::Port).isValid());
        QVERIFY(!SettingsStore::shared().value(Key::LockTable).isValid());
    }

    void saveAppliesEverythingAtOnce()
    {
        ConfigManager &config = ConfigManager::defaultManager();
        config.setIsAutoRefreshSoldOut(true);
        config.setAutoRefreshSoldOutIntervalTime(30);
        ActGuQing::sharedInstance().start();
        QCOMPARE(ActGuQing::sharedInstance().pollIntervalMs(), 30000);
        C &settings = open();
        QCOMPARE(settings.fields()->texts(),
                 (QStringList{u"127.0.0.1"_s, u"1"_s, u"001"_s, u"8"_s, u"30"_s, QString()}));
        NoticeSpy shown;
        settings.fields()->setText(C::IpField, u" 10.0.0.7 "_s);
        settings.fields()->setText(C::PortField, u"8031"_s);
        settings.fields()->setText(C::PosNumField, u"1.2.3"_s);
        settings.fields()->setText(C::TimeoutField, u"80.30"_s);
        settings.fields()->setText(C::IntervalField, u"5"_s);
        settings.tapChoice(C::BindTable, 1);
        settings.fields()->setText(C::TableField, u"A01"_s);
        settings.tapChoice(C::DarkBackground, 0);

        settings.save();
        QTRY_COMPARE(shown.lastText(), u"已保存"_s);
        const SettingsStore &store = SettingsStore::shared();
        const auto stored = [&store](const QString &key) { return store.string(key).value_or(u"(none)"_s); };
        QCOMPARE(
            (QStringList{stored(Key::Ip), stored(Key::Port), stored(Key::Mnum), stored(Key::BindTableNo)}),
            (QStringList{u"10.0.0.7"_s, u"8031"_s, u"1.2.3"_s, QString()}));
        QCOMPARE(store.integer(Key::Timeout), 80);
        QVERIFY(store.boolean(Key::IsDarkBackground));
        QVERIFY(Appearance::instance().dark());
        QCOMPARE(config.getServerAddress(), u"http://10.0.0.7:8031"_s);
        // Effective now: the poller's new interval, the watched address.
        QCOMPARE(ActGuQing::sharedInstance().pollIntervalMs(), 5000);
        QVERIFY(NetworkChecker::sharedInstance().isWatching());

        // Letters as interval read as 0, and the poller stops.
        settings.fields()->setText(C::IntervalField, u"abc"_s);
        settings.save();
        QCOMPARE(store.integer(Key::AutoRefreshSoldOutIntervalTime), 0);
        QVERIFY(!ActGuQing::sharedInstance().isPolling());
    }

    void tapsTakeEffectAtOnce()
    {
        const QString folder = UiTest::makePackage(u"BgMusic"_s, {u"music.mp3"_s});
        QVERIFY(!folder.isEmpty());
        ConfigManager::defaultManager().setBgMusicPath(folder + u"/music.mp3"_s);
        C &settings = open();
        int posts = 0;
        QObject observer;
        NotificationCenter::defaultCenter().addObserver(&observer, Notify::LanguageChanged,
                                                        [&posts](const Notification &) { ++posts; });

        // A tap on the chosen "播放" restarts the music.
        settings.tapChoice(C::BgMusic, 1);
        settings.tapChoice(C::BgMusic, 0);
        settings.tapChoice(C::BgMusic, 0);
        QCOMPARE(log.count(u"start"_s), 2);
        QCOMPARE(log.count(u"stop"_s), 1);

        settings.tapChoice(C::Layout, 2);
        QCOMPARE(SettingsStore::shared().integer(Key::LayoutType), 2);
        QCOMPARE(settings.groups()->selected(C::Layout), 2);

        settings.tapChoice(C::Language, 1);
        QCOMPARE(posts, 0);
        QCOMPARE(LanguageManager::defaultManager().readString(u"保 存"_s), u"保 存"_s);
        settings.save();
        QCOMPARE(posts, 1);
        QCOMPARE(settings.saveText(), u"Save"_s);
        QCOMPARE(SettingsStore::shared().string(Key::LanguageCode), LanguageManager::kEnglish);
    }

    void musicListKeepsTheCurrentMusic()
    {
        const QString folder = UiTest::makePackage(u"BgMusic"_s, {u"a.mp3"_s, u"b.mp3"_s});
        ConfigManager &config = ConfigManager::defaultManager();
        config.setBgMusicPath(folder + u"/b.mp3"_s);
        C &settings = open();
        QCOMPARE(settings.arrMusic(), (QStringList{u"a.mp3"_s, u"b.mp3"_s}));
        QCOMPARE(settings.selectedMusic(), 1);
        NoticeSpy shown;
        settings.save();
        QTRY_COMPARE(shown.lastText(), u"已保存"_s);
        QCOMPARE(SettingsStore::shared().string(Key::BgMusicPath), folder + u"/b.mp3"_s);

        log.clear();
        settings.selectMusic(0);
        QCOMPARE(config.bgMusicPath(), folder + u"/a.mp3"_s);
        QCOMPARE(log, (QStringList{u"player a.mp3"_s, u"start"_s}));

        // No current music: nothing selected, and a save keeps it so.
        config.setBgMusicPath(std::nullopt);
        open();
        QCOMPARE(page->selectedMusic(), -1);
        page->save();
        QTRY_COMPARE(shown.lastText(), u"已保存"_s);
        QCOMPARE(SettingsStore::shared().string(Key::BgMusicPath), std::nullopt);
    }

    void deletingDataReloadsAndHidesTheIndicator()
    {
        UiTest::makePackage(u"BgMusic"_s, {u"a.mp3"_s});
        C &settings = open();
        QCOMPARE(settings.arrMusic(), QStringList{u"a.mp3"_s});
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish);
        NoticeSpy shown;

        settings.deleteData();
        QTRY_COMPARE(shown.lastText(), u"已删除，请重新下载"_s);
        QCOMPARE(shown.at(shown.size() - 2).at(0).value<NoticeBoard::Kind>(), NoticeBoard::Progress);
        QVERIFY(!NoticeBoard::instance().progressVisible());
        QCOMPARE(SettingsStore::shared().string(Key::ZipFileName), u"empty.first"_s);
        QVERIFY(!QDir(AppPaths::home() + u"/pkg"_s).exists());
        QCOMPARE(settings.arrMusic(), QStringList{});
        QCOMPARE(settings.selectedMusic(), -1);
    }
};

DIANCAI_UI_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
