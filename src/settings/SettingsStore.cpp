#include "settings/SettingsStore.h"

#include "foundation/AppPaths.h"

#include <QMutexLocker>

namespace {
QMutex sharedMutex;
std::shared_ptr<SettingsStore> sharedStore;
} // namespace

std::optional<QString> SettingsStore::string(const QString &key) const
{
    const QVariant v = value(key);
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

qint64 SettingsStore::integer(const QString &key) const
{
    return value(key).toLongLong();
}

bool SettingsStore::boolean(const QString &key) const
{
    return value(key).toBool();
}

SettingsStore &SettingsStore::shared()
{
    QMutexLocker lock(&sharedMutex);
    if (!sharedStore)
        sharedStore = std::make_shared<IniSettingsStore>(AppPaths::home() + QStringLiteral("/settings.ini"));
    return *sharedStore;
}

void SettingsStore::setShared(std::shared_ptr<SettingsStore> store)
{
    QMutexLocker lock(&sharedMutex);
    sharedStore = std::move(store);
}

IniSettingsStore::IniSettingsStore(const QString &filePath)
    : settings_(filePath, QSettings::IniFormat)
{
}

QVariant IniSettingsStore::value(const QString &key) const
{
    QMutexLocker lock(&mutex_);
    return settings_.value(key);
}

void IniSettingsStore::setValue(const QString &key, const QVariant &value)
{
    QMutexLocker lock(&mutex_);
    settings_.setValue(key, value);
}

void IniSettingsStore::remove(const QString &key)
{
    QMutexLocker lock(&mutex_);
    settings_.remove(key);
}

void IniSettingsStore::sync()
{
    QMutexLocker lock(&mutex_);
    settings_.sync();
}
