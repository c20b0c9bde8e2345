#pragma once

#include "foundation/AppPaths.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/ConfigManager.h"
#include "settings/DeviceIdentity.h"
#include "settings/SettingsStore.h"

#include <QTemporaryDir>

#include <memory>

// A fresh app home and settings store for one test, with the server address on the loopback.
// Requests still running are waited for first, so none reads a configuration being replaced.
class ServerTestHome {
public:
    ServerTestHome()
    {
        ServerRequest::sharedQueue().waitForDone();
        AppPaths::setHome(dir_.path());
        SettingsStore::setShared(
            std::make_shared<IniSettingsStore>(dir_.filePath(QStringLiteral("settings.ini"))));
        ConfigManager::resetDefaultManager();
        DeviceIdentity::resetCache();
    }
    ~ServerTestHome() { ServerRequest::sharedQueue().waitForDone(); }

    static void pointAt(int port, qint64 timeoutSeconds = 8)
    {
        ConfigManager &config = ConfigManager::defaultManager();
        config.setIp(QStringLiteral("127.0.0.1"));
        config.setPort(QString::number(port));
        config.setTimeout(timeoutSeconds);
    }

    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};
