#include "media/VideoManager.h"

#include "media/FolderIndex.h"
#include "settings/ConfigManager.h"

#include <mutex>

#include <memory>

namespace {
std::mutex instanceMutex;
std::unique_ptr<VideoManager> instance;
} // namespace

VideoManager &VideoManager::defaultManager()
{
    const std::lock_guard lock(instanceMutex);
    if (!instance)
        instance = std::make_unique<VideoManager>();
    return *instance;
}

void VideoManager::resetDefaultManager()
{
    const std::lock_guard lock(instanceMutex);
    instance.reset();
}

bool VideoManager::setup()
{
    FolderIndex index;
    const bool listed = index.rebuild(ConfigManager::defaultManager().getAdVideoPath());
    arrVideoNames_ = std::move(index.names);
    dictVideos_ = std::move(index.paths);
    return listed;
}
