#pragma once

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "media/PhotoManager.h"
#include "media/SoundManager.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using namespace Qt::StringLiterals;

inline QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A fresh app home and settings store for one test, with the base data installed as the package
// "pkg.zip", so the data folder is "<home>/pkg" (not created until a test writes into it).
class MediaTestHome {
public:
    MediaTestHome()
    {
        AppPaths::setHome(dir_.path());
        SettingsStore::setShared(
            std::make_shared<IniSettingsStore>(dir_.filePath(QStringLiteral("settings.ini"))));
        usePackage(QStringLiteral("pkg"));
    }

    // Points the data folder at "<home>/<name>".
    void usePackage(const QString &name)
    {
        SettingsStore::shared().setValue(Key::ZipFileName, name + QStringLiteral(".zip"));
        ConfigManager::resetDefaultManager();
    }

    QString home() const { return dir_.path(); }
    QString dataPath(const QString &relative, const QString &package = QStringLiteral("pkg")) const
    {
        return dir_.path() + u'/' + package + u'/' + relative;
    }
    QString smallPicFolder() const { return dir_.path() + QStringLiteral("/smallpic"); }

    static bool writeFile(const QString &path, const QByteArray &bytes = QByteArrayLiteral("x"))
    {
        QDir().mkpath(path.left(path.lastIndexOf(u'/')));
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // A picture whose left half is red and right half blue, so scaling can be checked.
    static bool writePicture(const QString &path, QSize size = QSize(120, 90))
    {
        QDir().mkpath(path.left(path.lastIndexOf(u'/')));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width() / 2; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        return image.save(path, "JPG", 90);
    }

private:
    QTemporaryDir dir_;
};
