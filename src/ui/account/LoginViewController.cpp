#include "LoginViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "services/Services.h"
#include "services/Staff.h"

using namespace Qt::StringLiterals;

LoginViewController::LoginViewController(QObject *parent)
    : AccountFormController(u"用户登录"_s, u"登录"_s, parent), staff_(Services::installed().staff)
{
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::NotificationLoginOk, [this](const Notification &n) {
        finishWaiting();
        UserNotice::success(n.object.toString());
        close();
    });
    center.addObserver(this, Notify::NotificationLoginFailed, [this](const Notification &n) {
        finishWaiting();
        UserNotice::error(n.object.toString());
    });
}

LoginViewController::~LoginViewController()
{
    finishWaiting();
}

void LoginViewController::submit()
{
    // A second tap while the server is asked would send a second login.
    if (waiting_)
        return;
    waiting_ = true;
    UserNotice::showProgress(QString());
    staff_->logIn(account(), password());
}

void LoginViewController::finishWaiting()
{
    if (!waiting_)
        return;
    waiting_ = false;
    UserNotice::hideProgress();
}
