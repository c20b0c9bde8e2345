#include "settings/LanguageManager.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QHash<QString, QString> readLanguageFile(const QString &path)
{
    QHash<QString, QString> strings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return strings;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    const QJsonObject object = doc.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString())
            strings.insert(it.key(), it.value().toString());
    }
    return strings;
}
} // namespace

LanguageManager &LanguageManager::defaultManager()
{
    static LanguageManager manager;
    return manager;
}

void LanguageManager::loadLanguage(const QString &code, bool notify)
{
    {
        QWriteLocker lock(&lock_);
        if (currCode_ == code)
            return;
        // Set before reading, so a broken file is not retried on every request.
        currCode_ = code;
    }
    QHash<QString, QString> strings = readLanguageFile(AppPaths::resourcePath(code));
    {
        QWriteLocker lock(&lock_);
        dictStrings_ = std::move(strings);
    }
    if (notify)
        PostNotificationInMainThread(Notify::LanguageChanged);
}

QString LanguageManager::readString(const QString &key) const
{
    QReadLocker lock(&lock_);
    return dictStrings_.value(key, key);
}

std::optional<QString> LanguageManager::currCode() const
{
    QReadLocker lock(&lock_);
    return currCode_;
}

void LanguageManager::reset()
{
    QWriteLocker lock(&lock_);
    currCode_.reset();
    dictStrings_.clear();
}

QString localised(const QString &key)
{
    return LanguageManager::defaultManager().readString(key);
}
