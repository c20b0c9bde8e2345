#include "ConfigViewController.h"

#include "Appearance.h"
#include "EditingFocus.h"
#include "Navigator.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "foundation/UserNotice.h"
#include "media/SoundManager.h"
#include "package/UpdateFileDownloader.h"
#include "server/ActGuQing.h"
#include "server/NetworkChecker.h"
#include "settings/AccessCode.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/LayoutManger.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QJSEngine>

#include <chrono>

using namespace Qt::StringLiterals;

namespace {

struct GroupTexts {
    const char16_t *title;
    std::initializer_list<const char16_t *> choices;
    ChoiceGroupModel::Input input = ChoiceGroupModel::NoInput;
};

// In the order of ConfigViewController::Group.
const GroupTexts kGroups[] = {
    {u"台号录入方式", {u"点选", u"直接录入"}},
    {u"菜品总金额", {u"显示", u"不显示"}},
    {u"发送后操作员", {u"退出", u"不退出"}},
    {u"静音模式", {u"静音", u"不静音"}},
    {u"显示桌台时刷新状态", {u"刷新", u"不刷新"}},
    {u"菜品显示模式", {u"2排3列", u"2排4列", u"3排4列"}},
    {u"落单状态2", {u"即起", u"等叫", u"不出"}},
    {u"语言（Language）", {u"中文（Chinese）", u"英文（English）"}},
    {u"是否播放背景音乐", {u"播放", u"不播放"}},
    {u"顾客模式", {u"是", u"否"}},
    {u"自动刷新售罄品项", {u"是", u"否"}, ChoiceGroupModel::IntervalInput},
    {u"是否显示推荐", {u"是", u"否"}},
    {u"是否黑色主题", {u"是", u"否"}},
    {u"是否可设置落单状态", {u"是", u"否"}},
    {u"绑定桌台", {u"绑定", u"不绑定"}, ChoiceGroupModel::TableInput},
};
static_assert(std::size(kGroups) == ConfigViewController::GroupCount);

int onOff(bool on)
{
    return on ? 0 : 1;
}

// The choice that the stored settings select in each group.
int initialChoice(int group)
{
    const ConfigManager &config = ConfigManager::defaultManager();
    switch (group) {
    case ConfigViewController::TaiHaoShuru:
        return config.ctTaiHaoShuruFangshi() == 1 ? 0 : 1;
    case ConfigViewController::ShowAmount:
        return config.ctShowAmount() == 3 ? 0 : 1;
    case ConfigViewController::LogoutAfterSend:
        return config.ctLogoutAfterSend() == 6 ? 0 : 1;
    case ConfigViewController::Silent:
        return onOff(config.silentMode());
    case ConfigViewController::RefreshTableStatus:
        return onOff(config.autoRefreshTableStatus());
    case ConfigViewController::Layout: {
        const int layout = LayoutManger::defaultManager().layout();
        return layout >= 0 && layout <= 2 ? layout : 0;
    }
    case ConfigViewController::PrintState:
        return config.defaultPrintState() == u"1"_s ? 1 : config.defaultPrintState() == u"2"_s ? 2 : 0;
    case ConfigViewController::Language:
        return config.languageCode() == LanguageManager::kChinese ? 0 : 1;
    case ConfigViewController::BgMusic:
        return onOff(config.playBgMusic());
    case ConfigViewController::CusMode:
        return onOff(config.isCusMode());
    case ConfigViewController::AutoRefreshSoldOut:
        return onOff(config.isAutoRefreshSoldOut());
    case ConfigViewController::TuiJian:
        return onOff(config.isDisplayTuiJian());
    case ConfigViewController::DarkBackground:
        return onOff(config.isDarkBackground());
    case ConfigViewController::OrderListStatus:
        return onOff(config.showOrderListStatus());
    case ConfigViewController::BindTable:
        return onOff(config.lockTable());
    default:
        return 0;
    }
}
} // namespace

ConfigViewController::ConfigViewController(QObject *parent)
    : QObject(parent), clock_([] { return QDate::currentDate(); }), ticks_([] {
          using namespace std::chrono;
          return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
      }),
      fields_(FieldCount), lockField_(1)
{
    idleCheck_.setInterval(10 * 1000);
    connect(&idleCheck_, &QTimer::timeout, this, &ConfigViewController::checkIdle);
    for (QObject *owned : std::initializer_list<QObject *>{&groups_, &fields_, &lockField_})
        QJSEngine::setObjectOwnership(owned, QJSEngine::CppOwnership);
    fields_.setKeypad(IpField, KeypadFields::Address);
    fields_.setKeypad(PosNumField, KeypadFields::Address);
    fields_.setKeypad(TableField, KeypadFields::Letters);
    connect(&fields_, &KeypadFields::okPressed, &fields_, &KeypadFields::endEditing);
    connect(&lockField_, &KeypadFields::okPressed, this, &ConfigViewController::unlock);

    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::LoadNewUpdateFile,
                       [this](const Notification &) { loadNewUpdateFile(); });
    center.addObserver(this, Notify::LanguageChanged, [this](const Notification &) { initLanguage(); });
    center.addObserver(this, Notify::NotificationLogout, [this](const Notification &) { lock(); });
    center.addObserver(this, Notify::NumberKeyboardCoseClick, [this](const Notification &) {
        fields_.endEditing();
        lockField_.endEditing();
    });
    loadGroups();
    loadFields();
    initLanguage();
}

ConfigViewController::~ConfigViewController() = default;

void ConfigViewController::setIdleClock(Ticks ticks, int checkEveryMs)
{
    ticks_ = std::move(ticks);
    idleCheck_.setInterval(checkEveryMs);
    touched();
}

void ConfigViewController::setSoundManager(SoundManager *sound)
{
    sound_ = sound;
    loadMusic();
}

SoundManager &ConfigViewController::sound()
{
    return sound_ ? *sound_ : SoundManager::defaultManager();
}

void ConfigViewController::initLanguage()
{
    for (int row = 0; row < GroupCount; ++row) {
        QStringList choices;
        for (const char16_t *choice : kGroups[row].choices) {
            // The language names are shown as they stand, readable in either language.
            choices.append(row == Language ? QString::fromUtf16(choice)
                                           : localised(QString::fromUtf16(choice)));
        }
        groups_.setTexts(row, localised(QString::fromUtf16(kGroups[row].title)), choices);
    }
    fieldLabels_ = {localised(u"服务器 IP："_s), localised(u"服务器端口："_s), localised(u"点菜机号："_s),
                    localised(u"通信等待（秒）："_s)};
    intervalPlaceholder_ = localised(u"刷新间隔（秒）"_s);
    musicLabel_ = localised(u"请选择背景音乐"_s);
    lockLabel_ = localised(u"请输入密码"_s);
    unlockText_ = localised(u"确 定"_s);
    saveText_ = localised(u"保 存"_s);
    helpText_ = localised(u"查看帮助"_s);
    updateText_ = localised(u"更新商品资料"_s);
    deleteText_ = localised(u"删除商品资料"_s);
    emit captionsChanged();
}

void ConfigViewController::loadGroups()
{
    QList<ChoiceGroupModel::Group> groups;
    for (int row = 0; row < GroupCount; ++row)
        groups.append({QString(), QStringList(), initialChoice(row), kGroups[row].input});
    groups_.setGroups(std::move(groups));
}

void ConfigViewController::loadFields()
{
    ConfigManager &config = ConfigManager::defaultManager();
    fields_.setText(IpField, config.ip().value_or(QString()));
    fields_.setText(PortField, config.port().value_or(QString()));
    fields_.setText(PosNumField, config.posNum());
    fields_.setText(TimeoutField, QString::number(config.timeout()));
    const qint64 interval = config.autoRefreshSoldOutIntervalTime();
    fields_.setText(IntervalField, interval >= 1 ? QString::number(interval) : QString());
    fields_.setText(TableField, config.bindTableNo().value_or(QString()));
}

void ConfigViewController::loadMusic()
{
    arrMusic_ = sound().arrBgMusic();
    // The current music is the chosen row, so that a save without a tap keeps it.
    const QString current = ConfigManager::defaultManager().bgMusicPath().value_or(QString());
    selectedMusic_ = -1;
    for (int row = 0; row < arrMusic_.size(); ++row) {
        if (!current.isEmpty() && sound().dictBgMusic().value(arrMusic_.at(row)) == current)
            selectedMusic_ = row;
    }
    emit musicChanged();
}

void ConfigViewController::loadNewUpdateFile()
{
    sound().setup();
    loadMusic();
}

void ConfigViewController::setShown(bool shown)
{
    if (shown == shown_)
        return;
    shown_ = shown;
    // Every press while the page is up counts as a tap on it: watched at the application, so that
    // no layer over the page has to take the presses meant for its controls.
    if (shown)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
    if (!shown) {
        fields_.endEditing();
        lockField_.clear();
        return;
    }
    if (arrMusic_.isEmpty())
        loadMusic();
    if (locked_)
        lockField_.beginEditing(0);
}

bool ConfigViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::TouchBegin)
        touched();
    return QObject::eventFilter(watched, event);
}

void ConfigViewController::touched()
{
    lastTouch_ = ticks_();
}

void ConfigViewController::checkIdle()
{
    if (ticks_() - lastTouch_ >= kIdleLockMs)
        lock();
}

void ConfigViewController::lock()
{
    idleCheck_.stop();
    fields_.endEditing();
    lockField_.clear();
    if (locked_)
        return;
    locked_ = true;
    emit lockedChanged();
    if (shown_)
        lockField_.beginEditing(0);
}

void ConfigViewController::unlock()
{
    if (!locked_)
        return;
    // Read now, not when the page opened: the code changes at midnight.
    const bool right = lockField_.text(0) == AccessCode::forDate(clock_());
    lockField_.clear();
    if (!right) {
        UserNotice::error(localised(u"密码不正确"_s));
        lockField_.beginEditing(0);
        return;
    }
    EditingFocus::instance().clear();
    locked_ = false;
    touched();
    idleCheck_.start();
    emit lockedChanged();
}

void ConfigViewController::tapChoice(int group, int choice)
{
    if (locked_ || group < 0 || group >= GroupCount || choice < 0 ||
        choice >= int(kGroups[group].choices.size()))
        return;
    groups_.setSelected(group, choice);
    applyChoice(group, choice);
}

void ConfigViewController::applyChoice(int group, int choice)
{
    ConfigManager &config = ConfigManager::defaultManager();
    const bool first = choice == 0;
    switch (group) {
    case TaiHaoShuru:
        config.setCtTaiHaoShuruFangshi(first ? 1 : 2);
        break;
    case ShowAmount:
        config.setCtShowAmount(first ? 3 : 4);
        break;
    case LogoutAfterSend:
        config.setCtLogoutAfterSend(first ? 6 : 5);
        break;
    case Silent:
        config.setSilentMode(first);
        break;
    case RefreshTableStatus: {
        // Stored alone: other taps and the typed fields wait for the save.
        config.setAutoRefreshTableStatus(first);
        SettingsStore &store = SettingsStore::shared();
        store.setValue(Key::AutoRefreshTableStatus, first);
        store.sync();
        break;
    }
    case Layout:
        LayoutManger::defaultManager().setLayout(choice);
        LayoutManger::defaultManager().save();
        break;
    case PrintState:
        config.setDefaultPrintState(QString::number(choice));
        break;
    case Language:
        config.setLanguageCode(first ? LanguageManager::kChinese : LanguageManager::kEnglish);
        break;
    case BgMusic:
        config.setPlayBgMusic(first);
        if (first)
            sound().playBgMusic();
        else
            sound().stopBgMusic();
        break;
    case CusMode:
        config.setIsCusMode(first);
        break;
    case AutoRefreshSoldOut:
        config.setIsAutoRefreshSoldOut(first);
        break;
    case TuiJian:
        config.setIsDisplayTuiJian(first);
        break;
    case DarkBackground:
        config.setIsDarkBackground(first);
        Appearance::instance().refresh();
        break;
    case OrderListStatus:
        config.setShowOrderListStatus(first);
        break;
    case BindTable:
        config.setLockTable(first);
        break;
    default:
        break;
    }
}

void ConfigViewController::selectMusic(int row)
{
    if (locked_ || row < 0 || row >= arrMusic_.size())
        return;
    selectedMusic_ = row;
    emit musicChanged();
    ConfigManager::defaultManager().setBgMusicPath(sound().dictBgMusic().value(arrMusic_.at(row)));
    sound().playBgMusic();
}

void ConfigViewController::save()
{
    if (locked_)
        return;
    fields_.endEditing();
    ConfigManager &config = ConfigManager::defaultManager();
    SettingsForm::Input input;
    input.ip = fields_.text(IpField);
    input.posNum = fields_.text(PosNumField);
    input.port = fields_.text(PortField);
    input.timeout = fields_.text(TimeoutField);
    input.bindTableNo = fields_.text(TableField);
    input.interval = fields_.text(IntervalField);
    input.lockTable = config.lockTable();
    input.autoRefreshSoldOut = config.isAutoRefreshSoldOut();
    const SettingsForm::Result checked = SettingsForm::check(input);
    if (!checked.error.isEmpty()) {
        UserNotice::error(localised(checked.error));
        return;
    }

    const SettingsForm::Values &values = checked.values;
    if (values.ip)
        config.setIp(values.ip);
    config.setPosNum(values.posNum);
    config.setPort(values.port);
    config.setTimeout(values.timeout);
    config.setBindTableNo(values.bindTableNo);
    config.setAutoRefreshSoldOutIntervalTime(values.interval);
    if (selectedMusic_ >= 0 && selectedMusic_ < arrMusic_.size())
        config.setBgMusicPath(sound().dictBgMusic().value(arrMusic_.at(selectedMusic_)));
    LanguageManager::defaultManager().loadLanguage(config.languageCode());
    config.save();
    loadFields();
    UserNotice::success(localised(u"已保存"_s));

    // The new settings take effect now, not at the next start.
    NetworkChecker::sharedInstance().check();
    ActGuQing &poller = ActGuQing::sharedInstance();
    if (poller.isPolling()) {
        if (config.isAutoRefreshSoldOut() && config.autoRefreshSoldOutIntervalTime() > 0)
            poller.start();
        else
            poller.stop();
    }
    Appearance::instance().refresh();
}

void ConfigViewController::showHelp()
{
    Navigator::instance().push(u"HelpScreen"_s);
}

void ConfigViewController::updateData()
{
    if (locked_)
        return;
    emit updateRequested();
}

void ConfigViewController::deleteData()
{
    if (locked_)
        return;
    UserNotice::showProgress(QString());
    UpdateFileDownloader::sharedInstance().deleteData();
    DBManager::defaultManager().setup();
    UserNotice::hideProgress();
    UserNotice::success(u"已删除，请重新下载"_s);
    // Pictures, music and the home screen follow the empty data folder; the music list with them.
    NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
}
