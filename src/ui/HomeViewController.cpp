#include "HomeViewController.h"

#include "ImageStore.h"
#include "Navigator.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

using namespace Qt::StringLiterals;

namespace {
QString text(const QString &key)
{
    return LanguageManager::defaultManager().readString(key);
}
} // namespace

HomeViewController::HomeViewController(QObject *parent) : MenuViewController(parent) {}

void HomeViewController::initLanguage()
{
    orderTitle_ = text(u"点菜"_s);
    galleryTitle_ = text(u"图册"_s);
    videoTitle_ = text(u"视频"_s);
    staffTitle_ = text(u"服务入口"_s);
    musicTitle_ = text(u"背景音乐"_s);
    emit captionsChanged();
}

void HomeViewController::loadView()
{
    NotificationCenter::defaultCenter().addObserver(this, Notify::LoadNewUpdateFile,
                                                    [this](const Notification &) { loadNewUpdateFile(); });
    showBackground();
    showStoreName();
}

void HomeViewController::loadNewUpdateFile()
{
    showBackground();
    DBManager::defaultManager().setup();
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
    DBManager::defaultManager().getStoreName([this](const StoreInfo &info) {
        if (info.pvalue == storeName_)
            return;
        storeName_ = info.pvalue;
        emit storeNameChanged();
    });
}

void HomeViewController::openPlaceholder(const QString &titleKey)
{
    Navigator::instance().push(u"PlaceholderScreen"_s, {{u"titleKey"_s, titleKey}});
}

void HomeViewController::btnOrderHandler()
{
    openPlaceholder(u"点菜"_s);
}

void HomeViewController::btnSlidePicsHandler()
{
    openPlaceholder(u"图册"_s);
}

void HomeViewController::btnVideoHandler()
{
    openPlaceholder(u"视频"_s);
}

void HomeViewController::btnStaffEntranceHandler()
{
    openPlaceholder(u"服务入口"_s);
}
