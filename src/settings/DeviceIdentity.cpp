#include "settings/DeviceIdentity.h"

#include "foundation/AppPaths.h"

#include <QFile>
#include <QMutex>
#include <QSaveFile>
#include <QUuid>

namespace {
QMutex mutex;
QString cachedElement;

QString identityPath()
{
    return AppPaths::home() + u'/' + DeviceIdentity::kFileName;
}
} // namespace

namespace DeviceIdentity {

QString keyChainUUID()
{
    QFile stored(identityPath());
    if (stored.open(QIODevice::ReadOnly)) {
        const QString value = QString::fromUtf8(stored.readAll()).trimmed();
        if (!value.isEmpty())
            return value;
    }
    const QString made = QUuid::createUuid().toString(QUuid::WithoutBraces).remove(u'-').toUpper();
    QSaveFile file(identityPath());
    if (file.open(QIODevice::WriteOnly)) {
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        file.write(made.toUtf8());
        file.commit();
    }
    return made;
}

QString devSerialElement()
{
    QMutexLocker lock(&mutex);
    if (cachedElement.isEmpty())
        cachedElement = QStringLiteral("<DevSerial>") + keyChainUUID() + QStringLiteral("</DevSerial>");
    return cachedElement;
}

void resetCache()
{
    QMutexLocker lock(&mutex);
    cachedElement.clear();
}

} // namespace DeviceIdentity
