#include "StaffViewController.h"

#include "ChangePasswordView.h"
#include "GqFoodListView.h"
#include "RoomView.h"

#include "ConfigViewController.h"
#include "LoginViewController.h"
#include "Navigator.h"
#include "OutboxViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "media/SoundManager.h"
#include "services/BackOffice.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopViewManager.h"

using namespace Qt::StringLiterals;

StaffViewController::StaffViewController(QObject *parent)
    : MenuViewController(parent), services_(Services::installed())
{
}

StaffViewController::~StaffViewController()
{
    // The outcome would arrive with nobody left to take the indicator down.
    if (updating_)
        UserNotice::hideProgress();
}

void StaffViewController::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    menuTitles_.clear();
    for (const QString &key : {u"餐台操作"_s, u"沽清列表"_s, u"修改密码"_s, u"系统设置"_s, u"更新商品资料"_s,
                               u"返回点菜"_s, u"回主界面"_s, u"待发送订单"_s})
        menuTitles_.append(language.readString(key));
    emit captionsChanged();
}

void StaffViewController::loadView()
{
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::DownUpdateFileProgress, [this](const Notification &n) {
        if (updating_)
            UserNotice::showProgress(n.object.toString());
    });
    center.addObserver(this, Notify::DownUpdateFileOk, [this](const Notification &n) {
        finishUpdate();
        UserNotice::success(n.object.toString());
    });
    center.addObserver(this, Notify::DownUpdateFileFailed, [this](const Notification &n) {
        finishUpdate();
        UserNotice::error(n.object.toString());
    });
    center.addObserver(this, Notify::ShowLoginView, [](const Notification &) { showLoginView(); });
}

void StaffViewController::showLoginView()
{
    PopViewManager::defaultManager().popController(new LoginViewController);
}

bool StaffViewController::passesChecks(bool needsLogin)
{
    if (ConfigManager::defaultManager().isCusMode()) {
        UserNotice::info(LanguageManager::defaultManager().readString(u"当前是顾客模式，可在设置中切换"_s));
        return false;
    }
    if (needsLogin && !services_.staff->isLoggedIn()) {
        showLoginView();
        return false;
    }
    return true;
}

void StaffViewController::showPage(Page page)
{
    if (page == currentPage_)
        return;
    currentPage_ = page;
    if (configView_)
        configView_->setShown(page == SettingsPage);
    emit currentPageChanged();
}

void StaffViewController::selectEntry(int entry)
{
    if (!ConfigManager::defaultManager().playBgMusic())
        sound().stopBgMusic();
    showPage(NoPage);
    switch (entry) {
    case TableEntry:
        if (!passesChecks(true))
            return;
        if (!roomView_) {
            roomView_ = new RoomView(this);
            emit pagesChanged();
        }
        showPage(RoomPage);
        roomView_->setup();
        break;
    case SoldOutEntry:
        if (!passesChecks(true))
            return;
        if (!gqFoodListView_) {
            gqFoodListView_ = new GqFoodListView(this);
            emit pagesChanged();
        }
        showPage(SoldOutPage);
        gqFoodListView_->setup();
        break;
    case PasswordEntry:
        if (!passesChecks(false))
            return;
        if (!changePwdView_) {
            changePwdView_ = new ChangePasswordView(this);
            emit pagesChanged();
        }
        showPage(PasswordPage);
        break;
    case SettingsEntry:
        if (!configView_) {
            configView_ = new ConfigViewController(this);
            configView_->setSoundManager(&sound());
            connect(configView_, &ConfigViewController::updateRequested, this,
                    &StaffViewController::beginUpdate);
            emit pagesChanged();
        }
        showPage(SettingsPage);
        break;
    case UpdateEntry:
        if (passesChecks(true))
            beginUpdate();
        break;
    case MenuEntry:
        Navigator::instance().push(u"MenuScreen"_s);
        break;
    case HomeEntry:
        sound().close();
        Navigator::instance().popToRoot();
        break;
    case OutboxEntry:
        OutboxViewController::open(); // refused in customer mode, as the other entries
        break;
    default:
        break;
    }
}

void StaffViewController::beginUpdate()
{
    updating_ = true;
    UserNotice::showProgress(QString());
    if (BackOffice::beginBaseDataDownload())
        return;
    // One is under way: its outcome still shows when it comes, nobody waits behind the indicator.
    finishUpdate();
    UserNotice::info(LanguageManager::defaultManager().readString(u"商品资料正在更新，请稍候"_s));
}

void StaffViewController::finishUpdate()
{
    if (!updating_)
        return;
    updating_ = false;
    UserNotice::hideProgress();
}
