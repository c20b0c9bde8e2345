#include "VideoViewController.h"

#include "media/MediaBackend.h"

#include "foundation/UserNotice.h"
#include "media/VideoManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

VideoViewController::VideoViewController(QObject *parent)
    : MenuViewController(parent), canPlay_(hasMediaBackend())
{
}

bool VideoViewController::hasMediaBackend()
{
    return !MediaBackend::chosen().isEmpty();
}

void VideoViewController::initLanguage()
{
    emptyText_ = localised(u"没有视频"_s);
    backText_ = localised(u"回主界面"_s);
    closeText_ = localised(u"取消"_s);
    emit captionsChanged();
}

void VideoViewController::loadView()
{
    VideoManager &videos = VideoManager::defaultManager();
    // A folder that cannot be read leaves the list empty; the screen says there are no videos.
    videos.setup();
    videoNames_ = videos.arrVideoNames();
    videoPaths_.clear();
    for (const QString &name : std::as_const(videoNames_))
        videoPaths_.append(videos.dictVideos().value(name));
    emit videoNamesChanged();
}

void VideoViewController::playVideo(int row)
{
    if (row < 0 || row >= videoPaths_.size() || isPlaying())
        return;
    if (!canPlay_) {
        UserNotice::error(localised(u"无法播放视频"_s));
        return;
    }
    setPlayingSource(QUrl::fromLocalFile(videoPaths_.at(row)));
}

void VideoViewController::stopVideo()
{
    setPlayingSource(QUrl());
}

void VideoViewController::playbackFailed()
{
    if (!isPlaying())
        return;
    stopVideo();
    UserNotice::error(localised(u"视频播放失败"_s));
}

void VideoViewController::setPlayingSource(const QUrl &source)
{
    if (source == playingSource_)
        return;
    playingSource_ = source;
    emit playingChanged();
}
