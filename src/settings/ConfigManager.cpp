#include "settings/ConfigManager.h"

#include "foundation/AppPaths.h"
#include "foundation/SettingsKeys.h"
#include "settings/DataFolder.h"
#include "settings/SettingsStore.h"

#include <QMutex>

#include <memory>

namespace {
QMutex instanceMutex;
std::unique_ptr<ConfigManager> instance;

QString dataPath(const char *name)
{
    return DataFolder::path() + u'/' + QLatin1String(name);
}

QVariant optionalText(const std::optional<QString> &text)
{
    return text ? QVariant(*text) : QVariant();
}
} // namespace

ConfigManager &ConfigManager::defaultManager()
{
    QMutexLocker lock(&instanceMutex);
    if (!instance) {
        instance = std::make_unique<ConfigManager>();
        instance->restore();
        instance->getServerAddress();
    }
    return *instance;
}

void ConfigManager::resetDefaultManager()
{
    QMutexLocker lock(&instanceMutex);
    instance.reset();
}

void ConfigManager::restore()
{
    const SettingsStore &store = SettingsStore::shared();
    bindTableNo_ = store.string(Key::BindTableNo);
    ip_ = store.string(Key::Ip);
    port_ = store.string(Key::Port);
    posNum_ = store.string(Key::Mnum).value_or(QString());
    languageCode_ = store.string(Key::LanguageCode).value_or(QString());
    defaultPrintState_ = store.string(Key::DefaultPrintState).value_or(QString());
    timeout_ = store.integer(Key::Timeout);
    bgMusicPath_ = store.string(Key::BgMusicPath);
    ctTaiHaoShuruFangshi_ = store.integer(Key::ctTaiHaoShuruFangshi);
    ctShowAmount_ = store.integer(Key::ctShowAmount);
    ctLogoutAfterSend_ = store.integer(Key::ctLogoutAfterSend);
    playBgMusic_ = store.boolean(Key::PlayBgMusic);
    lockTable_ = store.boolean(Key::LockTable);
    autoRefreshTableStatus_ = store.boolean(Key::AutoRefreshTableStatus);
    silentMode_ = store.boolean(Key::SilentMode);
    isCusMode_ = store.boolean(Key::IsCusMode);
    isAutoRefreshSoldOut_ = store.boolean(Key::IsAutoRefreshSoldOut);
    autoRefreshSoldOutIntervalTime_ = store.integer(Key::AutoRefreshSoldOutIntervalTime);
    isDisplayTuiJian_ = store.boolean(Key::IsDisplayTuiJian);
    isDarkBackground_ = store.boolean(Key::IsDarkBackground);
    showOrderListStatus_ = store.boolean(Key::ShowOrderListStatus);

    if (languageCode_.isEmpty())
        languageCode_ = QStringLiteral("zh-strings");
    if (defaultPrintState_.isEmpty())
        defaultPrintState_ = QStringLiteral("0");
    if (ctTaiHaoShuruFangshi_ == 0)
        ctTaiHaoShuruFangshi_ = 1;
    if (ctShowAmount_ == 0)
        ctShowAmount_ = 3;
    if (ctLogoutAfterSend_ == 0)
        ctLogoutAfterSend_ = 5;
    if (timeout_ <= 0)
        timeout_ = 8;
}

void ConfigManager::save()
{
    if (!lockTable_)
        bindTableNo_ = QString();

    SettingsStore &store = SettingsStore::shared();
    store.setValue(Key::BindTableNo, optionalText(bindTableNo_));
    store.setValue(Key::Ip, optionalText(ip_));
    store.setValue(Key::Port, optionalText(port_));
    // Through the getter: a number never set is stored as the default, not as an empty text.
    store.setValue(Key::Mnum, posNum());
    store.setValue(Key::LanguageCode, languageCode_);
    store.setValue(Key::DefaultPrintState, defaultPrintState_);
    store.setValue(Key::Timeout, timeout_);
    store.setValue(Key::BgMusicPath, optionalText(bgMusicPath_));
    store.setValue(Key::ctTaiHaoShuruFangshi, ctTaiHaoShuruFangshi_);
    store.setValue(Key::ctShowAmount, ctShowAmount_);
    store.setValue(Key::ctLogoutAfterSend, ctLogoutAfterSend_);
    store.setValue(Key::PlayBgMusic, playBgMusic_);
    store.setValue(Key::LockTable, lockTable_);
    store.setValue(Key::AutoRefreshTableStatus, autoRefreshTableStatus_);
    store.setValue(Key::SilentMode, silentMode_);
    store.setValue(Key::IsCusMode, isCusMode_);
    store.setValue(Key::IsAutoRefreshSoldOut, isAutoRefreshSoldOut_);
    store.setValue(Key::AutoRefreshSoldOutIntervalTime, autoRefreshSoldOutIntervalTime_);
    store.setValue(Key::IsDisplayTuiJian, isDisplayTuiJian_);
    store.setValue(Key::IsDarkBackground, isDarkBackground_);
    store.setValue(Key::ShowOrderListStatus, showOrderListStatus_);
    store.sync();
}

std::optional<QString> ConfigManager::getServerAddress()
{
    if (!ip_)
        ip_ = kDefaultIp;
    if (!port_)
        port_ = kDefaultPort;
    if (ip_->isEmpty())
        return std::nullopt;
    if (port_->isEmpty())
        return QStringLiteral("http://") + *ip_;
    return QStringLiteral("http://") + *ip_ + u':' + *port_;
}

QString ConfigManager::posNum()
{
    if (posNum_.isEmpty())
        posNum_ = QStringLiteral("001");
    return posNum_;
}

QString ConfigManager::getDatabasePath() const
{
    return dataPath("PadBaseData.db");
}
QString ConfigManager::getBigPicPath() const
{
    return dataPath("foodPicBig");
}
QString ConfigManager::getAdPicturePath() const
{
    return dataPath("AdPicture");
}
QString ConfigManager::getAdVideoPath() const
{
    return dataPath("AdVideo");
}
QString ConfigManager::getMainBgPath() const
{
    return dataPath("MainBg.jpg");
}
QString ConfigManager::getBgMusicPath() const
{
    return dataPath("BgMusic");
}

QImage ConfigManager::getMainImage() const
{
    QImage image(getMainBgPath());
    if (image.isNull())
        image.load(AppPaths::resourcePath(QStringLiteral("hotel.jpg")));
    return image;
}
