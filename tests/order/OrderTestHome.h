#pragma once

#include "foundation/AppPaths.h"
#include "settings/ConfigManager.h"
#include "settings/DeviceIdentity.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"

#include <QTemporaryDir>

#include <memory>

// A fresh app home with its own settings, device identity and Chinese texts, for one test.
struct OrderTestHome {
    QTemporaryDir dir;

    OrderTestHome()
    {
        AppPaths::setHome(dir.path());
        SettingsStore::setShared(
            std::make_shared<IniSettingsStore>(dir.filePath(QStringLiteral("settings.ini"))));
        ConfigManager::resetDefaultManager();
        DeviceIdentity::resetCache();
        LanguageManager::defaultManager().reset();
    }
};
