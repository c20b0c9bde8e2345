#include "settings/ConfigKeys.h"

#include "foundation/SettingsKeys.h"

const QStringList &ConfigKeys::all()
{
    static const QStringList keys = {
        Key::BindTableNo,
        Key::Ip,
        Key::Port,
        Key::Mnum,
        Key::LanguageCode,
        Key::DefaultPrintState,
        Key::Timeout,
        Key::BgMusicPath,
        Key::ctTaiHaoShuruFangshi,
        Key::ctShowAmount,
        Key::ctLogoutAfterSend,
        Key::PlayBgMusic,
        Key::LockTable,
        Key::AutoRefreshTableStatus,
        Key::SilentMode,
        Key::IsCusMode,
        Key::IsAutoRefreshSoldOut,
        Key::AutoRefreshSoldOutIntervalTime,
        Key::IsDisplayTuiJian,
        Key::IsDarkBackground,
        Key::ShowOrderListStatus,
        Key::LayoutType,
        Key::ZipFileName,
    };
    return keys;
}
