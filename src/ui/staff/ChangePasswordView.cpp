#include "ChangePasswordView.h"

#include "ChangePwdViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopViewManager.h"

using namespace Qt::StringLiterals;

ChangePasswordView::ChangePasswordView(QObject *parent) : QObject(parent), staff_(Services::installed().staff)
{
    NotificationCenter::defaultCenter().addObserver(this, Notify::LanguageChanged,
                                                    [this](const Notification &) { initLanguage(); });
    initLanguage();
}

void ChangePasswordView::initLanguage()
{
    buttonText_ = LanguageManager::defaultManager().readString(u"修改密码"_s);
    emit buttonTextChanged();
}

void ChangePasswordView::changePassword()
{
    if (!staff_->isLoggedIn()) {
        PostNotificationInMainThread(Notify::ShowLoginView);
        return;
    }
    PopViewManager::defaultManager().popController(new ChangePwdViewController);
}
