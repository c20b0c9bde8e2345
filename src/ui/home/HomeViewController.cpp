#include "HomeViewController.h"

#include "ImageStore.h"
#include "Navigator.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/SoundManager.h"
#include "services/BackOffice.h"
#include "services/Catalogue.h"
#include "services/Services.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

HomeViewController::HomeViewController(QObject *parent)
    : MenuViewController(parent), services_(Services::installed())
{
}

void HomeViewController::initLanguage()
{
    orderTitle_ = localised(u"点菜"_s);
    galleryTitle_ = localised(u"图册"_s);
    videoTitle_ = localised(u"视频"_s);
    staffTitle_ = localised(u"服务入口"_s);
    musicTitle_ = localised(u"背景音乐"_s);
    emit captionsChanged();
}

void HomeViewController::loadView()
{
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::LoadNewUpdateFile,
                       [this](const Notification &) { loadNewUpdateFile(); });
    center.addObserver(this, Notify::BgMusicPlaying, [this](const Notification &) { setMusicOn(true); });
    center.addObserver(this, Notify::BgMusicStop, [this](const Notification &) { setMusicOn(false); });
    showBackground();
    showStoreName();
    if (ConfigManager::defaultManager().playBgMusic()) {
        sound().playBgMusic();
        setMusicOn(true);
    } else {
        setMusicOn(false);
    }
    // Both run in the background and stay silent on any failure; a newer version asks the
    // operator whether to open its download page.
    BackOffice::reportAndCheckForUpdate();
}

QUrl HomeViewController::welcomePicture() const
{
    const QString path = AppPaths::resourcePath(u"welcome.jpg"_s);
    return QFileInfo::exists(path) ? QUrl::fromLocalFile(path) : QUrl();
}

void HomeViewController::setMusicOn(bool on)
{
    if (on == musicOn_)
        return;
    musicOn_ = on;
    emit musicOnChanged();
}

void HomeViewController::bgMusicSwitch()
{
    setMusicOn(!musicOn_);
    if (musicOn_)
        sound().playBgMusic();
    else
        sound().stopBgMusic();
}

void HomeViewController::loadNewUpdateFile()
{
    showBackground();
    services_.catalogue->reload();
    showStoreName();
}

void HomeViewController::showBackground()
{
    background_ = ImageStore::instance().put(kBackgroundKey, ConfigManager::defaultManager().getMainImage());
    emit backgroundChanged();
}

void HomeViewController::showStoreName()
{
    // Cleared first: a package without a store name leaves the title empty, not the old name.
    if (!storeName_.isEmpty()) {
        storeName_.clear();
        emit storeNameChanged();
    }
    const QString name = services_.catalogue->storeName();
    if (name == storeName_)
        return;
    storeName_ = name;
    emit storeNameChanged();
}

void HomeViewController::btnOrderHandler()
{
    sound().flip();
    Navigator::instance().push(u"MenuScreen"_s);
}

void HomeViewController::btnSlidePicsHandler()
{
    Navigator::instance().push(u"GalleryScreen"_s);
}

void HomeViewController::btnVideoHandler()
{
    Navigator::instance().push(u"VideoScreen"_s);
}

void HomeViewController::btnStaffEntranceHandler()
{
    Navigator::instance().push(u"StaffScreen"_s);
}
