#include "settings/DataFolder.h"

#include "foundation/AppPaths.h"
#include "foundation/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace DataFolder {

QString path()
{
    return pathForPackage(SettingsStore::shared().string(Key::ZipFileName).value_or(QString()));
}

QString pathForPackage(const QString &zipFileName)
{
    QString name = zipFileName;
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (!name.isEmpty())
        return AppPaths::home() + u'/' + name;
    return AppPaths::resourcePath(QStringLiteral("update"));
}

} // namespace DataFolder
