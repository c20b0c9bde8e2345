#include "LoginBar.h"

#include "LoginViewController.h"
#include "LogoutViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopViewManager.h"

using namespace Qt::StringLiterals;

LoginBar::LoginBar(QObject *parent) : QObject(parent), staff_(Services::installed().staff)
{
    auto &center = NotificationCenter::defaultCenter();
    // The notifications arrive on the main thread, so the title changes there too.
    center.addObserver(this, Notify::NotificationLoginOk,
                       [this](const Notification &) { setTitle(staff_->loggedInTitle()); });
    center.addObserver(this, Notify::NotificationLogout, [this](const Notification &) { readTitle(); });
    center.addObserver(this, Notify::LanguageChanged, [this](const Notification &) { readTitle(); });
    readTitle();
}

void LoginBar::readTitle()
{
    setTitle(staff_->isLoggedIn() ? staff_->loggedInTitle()
                                  : LanguageManager::defaultManager().readString(u"未登录"_s));
}

void LoginBar::setTitle(const QString &title)
{
    if (title == title_)
        return;
    title_ = title;
    emit titleChanged();
}

void LoginBar::showLoginView()
{
    auto &pops = PopViewManager::defaultManager();
    if (!staff_->isLoggedIn()) {
        pops.popController(new LoginViewController);
        return;
    }
    if (ConfigManager::defaultManager().isCusMode()) {
        UserNotice::info(LanguageManager::defaultManager().readString(u"当前是顾客模式，可在设置中切换"_s));
        return;
    }
    pops.popController(new LogoutViewController);
}
