#include "media/AdManager.h"

#include "media/FolderIndex.h"
#include "media/PhotoManager.h"
#include "settings/ConfigManager.h"

#include <mutex>

#include <memory>

namespace {
std::mutex instanceMutex;
std::unique_ptr<AdManager> instance;
} // namespace

AdManager &AdManager::defaultManager()
{
    const std::lock_guard lock(instanceMutex);
    if (!instance)
        instance = std::make_unique<AdManager>();
    return *instance;
}

void AdManager::resetDefaultManager()
{
    const std::lock_guard lock(instanceMutex);
    instance.reset();
}

bool AdManager::setup()
{
    FolderIndex index;
    const bool listed = index.rebuild(ConfigManager::defaultManager().getAdPicturePath());
    arrPhotoNames_ = std::move(index.names);
    dictBigPhotos_ = std::move(index.paths);
    return listed;
}

QImage AdManager::defaultLostImage()
{
    return PhotoManager::defaultLostImage();
}
