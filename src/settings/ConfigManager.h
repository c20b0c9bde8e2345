#pragma once

#include <QImage>
#include <QString>

#include <optional>

// The terminal's settings: server address, terminal number, timeout, table binding, display and
// behaviour options, language, and the paths of the installed base data. Loaded from the
// settings store once, written only by `save`.
class ConfigManager {
public:
    static inline const QString kDefaultIp = QStringLiteral("192.168.1.100");
    static inline const QString kDefaultPort = QStringLiteral("8030");

    // Created on first use: restores the settings and fills in the address defaults.
    static ConfigManager &defaultManager();
    // Drops the process-wide instance; the next defaultManager() restores from the store again.
    static void resetDefaultManager();

    void restore();
    void save();

    // "http://ip:port", "http://ip" when the port is empty, no address when the ip is empty.
    std::optional<QString> getServerAddress();

    QString getDatabasePath() const;
    QString getBigPicPath() const;
    QString getAdPicturePath() const;
    QString getAdVideoPath() const;
    QString getMainBgPath() const;
    QString getBgMusicPath() const;
    // The home-screen background: the data folder's "MainBg.jpg", else the shipped "hotel.jpg".
    QImage getMainImage() const;

    std::optional<QString> bindTableNo() const { return bindTableNo_; }
    void setBindTableNo(const std::optional<QString> &v) { bindTableNo_ = v; }
    std::optional<QString> ip() const { return ip_; }
    void setIp(const std::optional<QString> &v) { ip_ = v; }
    std::optional<QString> port() const { return port_; }
    void setPort(const std::optional<QString> &v) { port_ = v; }
    QString posNum();
    void setPosNum(const QString &v) { posNum_ = v; }
    QString languageCode() const { return languageCode_; }
    void setLanguageCode(const QString &v) { languageCode_ = v; }
    QString defaultPrintState() const { return defaultPrintState_; }
    void setDefaultPrintState(const QString &v) { defaultPrintState_ = v; }
    qint64 timeout() const { return timeout_; }
    void setTimeout(qint64 seconds) { timeout_ = seconds <= 0 ? 8 : seconds; }
    std::optional<QString> bgMusicPath() const { return bgMusicPath_; }
    void setBgMusicPath(const std::optional<QString> &v) { bgMusicPath_ = v; }

    qint64 ctTaiHaoShuruFangshi() const { return ctTaiHaoShuruFangshi_; }
    void setCtTaiHaoShuruFangshi(qint64 v) { ctTaiHaoShuruFangshi_ = v; }
    qint64 ctShowAmount() const { return ctShowAmount_; }
    void setCtShowAmount(qint64 v) { ctShowAmount_ = v; }
    // Amounts are shown unless the setting says 4 ("不显示").
    bool showsAmounts() const { return ctShowAmount_ != 4; }
    qint64 ctLogoutAfterSend() const { return ctLogoutAfterSend_; }
    void setCtLogoutAfterSend(qint64 v) { ctLogoutAfterSend_ = v; }

    bool playBgMusic() const { return playBgMusic_; }
    void setPlayBgMusic(bool v) { playBgMusic_ = v; }
    bool lockTable() const { return lockTable_; }
    void setLockTable(bool v) { lockTable_ = v; }
    bool autoRefreshTableStatus() const { return autoRefreshTableStatus_; }
    void setAutoRefreshTableStatus(bool v) { autoRefreshTableStatus_ = v; }
    bool silentMode() const { return silentMode_; }
    void setSilentMode(bool v) { silentMode_ = v; }
    bool isCusMode() const { return isCusMode_; }
    void setIsCusMode(bool v) { isCusMode_ = v; }
    bool isAutoRefreshSoldOut() const { return isAutoRefreshSoldOut_; }
    void setIsAutoRefreshSoldOut(bool v) { isAutoRefreshSoldOut_ = v; }
    qint64 autoRefreshSoldOutIntervalTime() const { return autoRefreshSoldOutIntervalTime_; }
    void setAutoRefreshSoldOutIntervalTime(qint64 v) { autoRefreshSoldOutIntervalTime_ = v; }
    bool isDisplayTuiJian() const { return isDisplayTuiJian_; }
    void setIsDisplayTuiJian(bool v) { isDisplayTuiJian_ = v; }
    bool isDarkBackground() const { return isDarkBackground_; }
    void setIsDarkBackground(bool v) { isDarkBackground_ = v; }
    bool showOrderListStatus() const { return showOrderListStatus_; }
    void setShowOrderListStatus(bool v) { showOrderListStatus_ = v; }

private:
    std::optional<QString> bindTableNo_;
    std::optional<QString> ip_;
    std::optional<QString> port_;
    QString posNum_;
    QString languageCode_;
    QString defaultPrintState_;
    qint64 timeout_ = 8;
    std::optional<QString> bgMusicPath_;
    qint64 ctTaiHaoShuruFangshi_ = 1;
    qint64 ctShowAmount_ = 3;
    qint64 ctLogoutAfterSend_ = 5;
    bool playBgMusic_ = false;
    bool lockTable_ = false;
    bool autoRefreshTableStatus_ = false;
    bool silentMode_ = false;
    bool isCusMode_ = false;
    bool isAutoRefreshSoldOut_ = false;
    qint64 autoRefreshSoldOutIntervalTime_ = 0;
    bool isDisplayTuiJian_ = false;
    bool isDarkBackground_ = false;
    bool showOrderListStatus_ = false;
};
