#include "media/SoundManager.h"

#include "foundation/AppPaths.h"
#include "foundation/MainThread.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/FolderIndex.h"
#include "media/QtAudioBackend.h"
#include "settings/ConfigManager.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <mutex>

namespace {
std::mutex instanceMutex;
std::unique_ptr<SoundManager> instance;

std::optional<QString> chosenMusic()
{
    const std::optional<QString> path = ConfigManager::defaultManager().bgMusicPath();
    if (!path || path->isEmpty())
        return std::nullopt;
    return path;
}
} // namespace

SoundManager &SoundManager::defaultManager()
{
    const std::lock_guard lock(instanceMutex);
    if (!instance) {
        instance = std::make_unique<SoundManager>(std::make_unique<QtAudioBackend>());
        instance->subscribe();
        instance->setup();
    }
    return *instance;
}

void SoundManager::resetDefaultManager()
{
    const std::lock_guard lock(instanceMutex);
    instance.reset();
}

SoundManager::SoundManager(std::unique_ptr<AudioBackend> backend) : backend_(std::move(backend))
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app && thread() != app->thread())
        moveToThread(app->thread());
}

SoundManager::~SoundManager() = default;

void SoundManager::subscribe()
{
    NotificationCenter::defaultCenter().addObserver(this, Notify::LoadNewUpdateFile,
                                                    [this](const Notification &) { loadNewUpdateFile(); });
}

void SoundManager::onMainThread(std::function<void()> work)
{
    if (QThread::currentThread() == thread())
        work();
    else
        runOnMainThread(this, std::move(work));
}

void SoundManager::setup()
{
    onMainThread([this] {
        if (!effectsLoaded_) {
            effectsLoaded_ = true;
            for (const QString &name : kEffectNames) {
                const QString path = AppPaths::resourcePath(name + QStringLiteral(".wav"));
                if (QFileInfo::exists(path))
                    backend_->loadEffect(name, path);
            }
        }

        FolderIndex index;
        const bool listed = index.rebuild(ConfigManager::defaultManager().getBgMusicPath());
        arrBgMusic_ = std::move(index.names);
        dictBgMusic_ = std::move(index.paths);
        if (!listed)
            return;
        if (const std::optional<QString> music = chosenMusic()) {
            // The new player replaces one that may be playing; the music switch must not go on
            // showing music that has stopped.
            const bool wasPlaying = backend_->isMusicPlaying();
            backend_->newMusicPlayer(*music);
            if (wasPlaying)
                NotificationCenter::defaultCenter().post(Notify::BgMusicStop);
        }
    });
}

void SoundManager::playEffect(const QString &name)
{
    onMainThread([this, name] {
        if (!ConfigManager::defaultManager().silentMode())
            backend_->playEffect(name);
    });
}

void SoundManager::playBgMusic()
{
    onMainThread([this] {
        if (backend_->isMusicPlaying())
            backend_->stopMusic();
        if (const std::optional<QString> music = chosenMusic()) {
            backend_->newMusicPlayer(*music);
            backend_->startMusicLooping();
        }
        NotificationCenter::defaultCenter().post(Notify::BgMusicPlaying);
    });
}

void SoundManager::stopBgMusic()
{
    onMainThread([this] {
        if (backend_->isMusicPlaying())
            backend_->stopMusic();
        NotificationCenter::defaultCenter().post(Notify::BgMusicStop);
    });
}
