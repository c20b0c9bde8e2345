#pragma once

#include <QString>

// Every notification name of the terminal, in one place.
namespace Notify {
inline const QString UpdateOrderList = QStringLiteral("kUpdateOrderList");
inline const QString TaskOrderAmount = QStringLiteral("kTaskOrderAmount");
inline const QString UpdateOrderPackInfoDone = QStringLiteral("updateOrderPackInfoDone");
inline const QString TaskGenSmallImage = QStringLiteral("kTaskGenSmallImage");
inline const QString SendOrderPackSuccess = QStringLiteral("kSendOrderPackSuccess");
inline const QString SendOrderPackFailed = QStringLiteral("kSendOrderPackFailed");
inline const QString OutboxChanged = QStringLiteral("kOutboxChanged");
inline const QString FoodIsSoldOut = QStringLiteral("kFoodIsSoldOut");
inline const QString NotificationLoginOk = QStringLiteral("kNotificationLoginOk");
inline const QString NotificationLoginFailed = QStringLiteral("kNotificationLoginFailed");
inline const QString NotificationLogout = QStringLiteral("kNotificationLogout");
inline const QString ZengSongAuthSuccess = QStringLiteral("kZengSongAuthSuccess");
inline const QString PopAuthViewController = QStringLiteral("kPopAuthViewController");
inline const QString GuaDanChoosed = QStringLiteral("kGuaDanChoosed");
inline const QString FoodTempChangePrice = QStringLiteral("kFoodTempChangePrice");
inline const QString PopManagerControllerConfirm = QStringLiteral("kPopManagerControllerConfirm");
inline const QString PopManagerControllerCancel = QStringLiteral("kPopManagerControllerCancel");
inline const QString PopManagerControllerDismiss = QStringLiteral("kPopManagerControllerDismiss");
inline const QString PopManagerControllerBackToFront = QStringLiteral("kPopManagerControllerBackToFront");
inline const QString DownUpdateFileProgress = QStringLiteral("kDownUpdateFileProgress");
inline const QString DownUpdateFileOk = QStringLiteral("kDownUpdateFileOk");
inline const QString DownUpdateFileFailed = QStringLiteral("kDownUpdateFileFailed");
inline const QString LoadNewUpdateFile = QStringLiteral("kLoadNewUpdateFile");
inline const QString LanguageChanged = QStringLiteral("kLanguageChanged");
inline const QString BgMusicPlaying = QStringLiteral("kBgMusicPlaying");
inline const QString BgMusicStop = QStringLiteral("kBgMusicStop");
inline const QString StyleLeftMenuSeleted = QStringLiteral("kStyleLeftMenuSeleted");
inline const QString PrintSaleList = QStringLiteral("kPrintSaleList");
inline const QString ShowLoginView = QStringLiteral("kShowLoginView");
inline const QString NumberKeyboardClick = QStringLiteral("kNumberKeyboardClick");
inline const QString NumberKeyboardOkClick = QStringLiteral("kNumberKeyboardOkClick");
inline const QString NumberKeyboardCoseClick = QStringLiteral("kNumberKeyboardCoseClick");
} // namespace Notify
