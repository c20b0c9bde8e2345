#include "ConfigViewController.h"

#include "SettingsChoices.h"

#include "Appearance.h"
#include "EditingFocus.h"
#include "Navigator.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "media/SoundManager.h"
#include "services/BackOffice.h"
#include "services/Catalogue.h"
#include "services/Services.h"
#include "settings/AccessCode.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsForm.h"

#include <QCoreApplication>
#include <QEvent>
#include <QJSEngine>

#include <chrono>

using namespace Qt::StringLiterals;

ConfigViewController::ConfigViewController(QObject *parent)
    : QObject(parent), services_(Services::installed()), clock_([] { return QDate::currentDate(); }),
      ticks_([] {
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
    for (int row = 0; row < GroupCount; ++row)
        groups_.setTexts(row, SettingsChoices::title(row), SettingsChoices::choices(row));
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
        groups.append(
            {QString(), QStringList(), SettingsChoices::initialChoice(row), SettingsChoices::input(row)});
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
        choice >= SettingsChoices::choiceCount(group))
        return;
    groups_.setSelected(group, choice);
    SettingsChoices::apply(group, choice, sound());
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
    BackOffice::recheckServer();
    BackOffice::followSoldOutSettings();
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
    BackOffice::deleteBaseData();
    services_.catalogue->reload();
    UserNotice::hideProgress();
    UserNotice::success(u"已删除，请重新下载"_s);
    // Pictures, music and the home screen follow the empty data folder; the music list with them.
    NotificationCenter::defaultCenter().post(Notify::LoadNewUpdateFile);
}
