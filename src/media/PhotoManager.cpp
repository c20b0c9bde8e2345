#include "media/PhotoManager.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/FolderIndex.h"
#include "media/Thumbnail.h"
#include "settings/ConfigManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <mutex>

#include <cmath>
#include <memory>

namespace {
std::mutex instanceMutex;
std::unique_ptr<PhotoManager> instance;

bool onMainThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}
} // namespace

PhotoManager &PhotoManager::defaultManager()
{
    const std::lock_guard lock(instanceMutex);
    if (!instance)
        instance = std::make_unique<PhotoManager>();
    return *instance;
}

void PhotoManager::resetDefaultManager()
{
    const std::lock_guard lock(instanceMutex);
    instance.reset();
}

PhotoManager::PhotoManager()
{
    if (onMainThread()) {
        if (const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                        ? QGuiApplication::primaryScreen()
                                        : nullptr)
            setPixelScale(screen->devicePixelRatio());
    } else if (QCoreApplication *app = QCoreApplication::instance()) {
        // First used by the thumbnail task: the observer's owner still belongs with the screens.
        moveToThread(app->thread());
    }
    NotificationCenter::defaultCenter().addObserver(this, Notify::LoadNewUpdateFile,
                                                    [this](const Notification &) { loadNewUpdateFile(); });
}

bool PhotoManager::setup()
{
    const std::lock_guard rescanning(rescanMutex_);
    if (!needForceSetup_) {
        const std::shared_lock lock(indexLock_);
        if (!arrPhotoNames_.isEmpty())
            return true;
    }
    return rescan();
}

bool PhotoManager::forceSetup()
{
    const std::lock_guard rescanning(rescanMutex_);
    return rescan();
}

bool PhotoManager::rescan()
{
    needForceSetup_ = false;
    FolderIndex index;
    const bool listed = index.rebuild(ConfigManager::defaultManager().getBigPicPath());
    const std::unique_lock lock(indexLock_);
    arrPhotoNames_ = std::move(index.names);
    dictBigPhotos_ = std::move(index.paths);
    return listed;
}

void PhotoManager::loadNewUpdateFile()
{
    needForceSetup_ = true;
}

QStringList PhotoManager::arrPhotoNames() const
{
    const std::shared_lock lock(indexLock_);
    return arrPhotoNames_;
}

QHash<QString, QString> PhotoManager::dictBigPhotos() const
{
    const std::shared_lock lock(indexLock_);
    return dictBigPhotos_;
}

std::optional<QString> PhotoManager::getImagePathByFoodno(const QString &foodno) const
{
    const std::shared_lock lock(indexLock_);
    const auto found = dictBigPhotos_.constFind(foodno + QStringLiteral(".jpg"));
    if (found == dictBigPhotos_.cend())
        return std::nullopt;
    return *found;
}

std::optional<QString> PhotoManager::madeThumbnailPath(const QString &name)
{
    if (!isPlainFileName(name))
        return std::nullopt;
    const QString thumbnailPath = smallImageFolder() + u'/' + name + QStringLiteral(".jpg");
    const QFileInfo existing(thumbnailPath);
    if (existing.exists() && (existing.size() > 0 || !existing.isFile()))
        return thumbnailPath;
    return std::nullopt;
}

QString PhotoManager::getSmallImagePathByName(const QString &name, const QString &path, const QRectF &area)
{
    if (!isPlainFileName(name))
        return {};
    if (std::optional<QString> made = madeThumbnailPath(name))
        return *made;
    const QString thumbnailPath = smallImageFolder() + u'/' + name + QStringLiteral(".jpg");
    if (QFileInfo::exists(thumbnailPath))
        QFile::remove(thumbnailPath); // left empty by a crash before its data reached the disk

    const qreal scale = pixelScale_;
    const double width = std::round(area.width() * scale);
    const double height = std::round(area.height() * scale);
    // Nothing is reported on failure: the caller shows its placeholder and asks again next time.
    if (width >= 1 && height >= 1 && width <= Thumbnail::kMaxSide && height <= Thumbnail::kMaxSide)
        Thumbnail::write(path, thumbnailPath, QSize(int(width), int(height)));
    return thumbnailPath;
}

QString PhotoManager::getSmallImagePathByFoodno(const QString &foodno)
{
    setup();
    return getSmallImagePathByName(foodno, getImagePathByFoodno(foodno).value_or(QString()),
                                   kMenuThumbnailArea);
}

QString PhotoManager::smallImageFolder()
{
    const std::lock_guard lock(folderMutex_);
    if (smallImageFolder_.isEmpty()) {
        const QString folder = AppPaths::home() + QStringLiteral("/smallpic");
        if (QDir().mkpath(folder))
            smallImageFolder_ = folder;
        else
            return folder;
    }
    return smallImageFolder_;
}

void PhotoManager::deleteSmallFolder()
{
    const std::lock_guard lock(folderMutex_);
    // Thumbnails outlive the process, so the folder goes even when this run never used it.
    const QString folder =
        smallImageFolder_.isEmpty() ? AppPaths::home() + QStringLiteral("/smallpic") : smallImageFolder_;
    QDir(folder).removeRecursively();
    smallImageFolder_.clear();
}

void PhotoManager::setPixelScale(qreal scale)
{
    if (scale > 0 && std::isfinite(scale))
        pixelScale_ = scale;
}

QString PhotoManager::lostImagePath()
{
    return AppPaths::resourcePath(QStringLiteral("lost_pic.png"));
}

QString PhotoManager::smallLostImagePath()
{
    return AppPaths::resourcePath(QStringLiteral("lost_pic_s.png"));
}

QImage PhotoManager::defaultLostImage()
{
    return QImage(lostImagePath());
}

QImage PhotoManager::defaultSmallLostImage()
{
    return QImage(smallLostImagePath());
}
