#include "LogoutViewController.h"

#include "services/Services.h"
#include "services/Staff.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

LogoutViewController::LogoutViewController(QObject *parent)
    : PopRootViewController(parent), staff_(Services::installed().staff)
{
    initLanguage();
}

void LogoutViewController::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    title_ = language.readString(u"注销"_s);
    // "%@：%@" filled by concatenation: the operator's name comes from the server.
    const QString separator = language.readString(u"%@：%@"_s).section(u"%@"_s, 1, 1);
    accountText_ = language.readString(u"当前用户"_s) + separator + staff_->loggedInTitle();
    closeText_ = language.readString(u"取消"_s);
    emit captionsChanged();
}

void LogoutViewController::logout()
{
    if (isDismissing())
        return;
    staff_->logOut();
    dismissSelf();
}

void LogoutViewController::close()
{
    dismissSelf();
}
