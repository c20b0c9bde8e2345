#pragma once

#include <QString>

// Every key of the settings store, in one place.
namespace Key {
// ConfigManager
inline const QString BindTableNo = QStringLiteral("kBindTableNo");
inline const QString Ip = QStringLiteral("kIp");
inline const QString Port = QStringLiteral("kPort");
inline const QString Mnum = QStringLiteral("kMnum");
inline const QString LanguageCode = QStringLiteral("kLanguageCode");
inline const QString DefaultPrintState = QStringLiteral("kDefaultPrintState");
inline const QString Timeout = QStringLiteral("kTimeout");
inline const QString BgMusicPath = QStringLiteral("kBgMusicPath");
inline const QString ctTaiHaoShuruFangshi = QStringLiteral("kctTaiHaoShuruFangshi");
inline const QString ctShowAmount = QStringLiteral("kctShowAmount");
inline const QString ctLogoutAfterSend = QStringLiteral("kctLogoutAfterSend");
inline const QString PlayBgMusic = QStringLiteral("kPlayBgMusic");
inline const QString LockTable = QStringLiteral("kLockTable");
inline const QString AutoRefreshTableStatus = QStringLiteral("kAutoRefreshTableStatus");
inline const QString SilentMode = QStringLiteral("kSilentMode");
inline const QString IsCusMode = QStringLiteral("kIsCusMode");
inline const QString IsAutoRefreshSoldOut = QStringLiteral("kIsAutoRefreshSoldOut");
inline const QString AutoRefreshSoldOutIntervalTime = QStringLiteral("kAutoRefreshSoldOutIntervalTime");
inline const QString IsDisplayTuiJian = QStringLiteral("kIsDisplayTuiJian");
inline const QString IsDarkBackground = QStringLiteral("kIsDarkBackground");
inline const QString ShowOrderListStatus = QStringLiteral("kShowOrderListStatus");
// LayoutManger
inline const QString LayoutType = QStringLiteral("kLayoutType");
// installed base-data package
inline const QString ZipFileName = QStringLiteral("kZipFileName");
// login state
inline const QString IsLogin = QStringLiteral("kIsLogin");
inline const QString AccountId = QStringLiteral("kAccountId");
inline const QString AccountName = QStringLiteral("kAccountName");
// the last flow number made on this terminal; the next one continues after it
inline const QString LastFlowNo = QStringLiteral("kLastFlowNo");
} // namespace Key
