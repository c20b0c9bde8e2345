#include "ChangePwdViewController.h"

#include "foundation/UserNotice.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

ChangePwdViewController::ChangePwdViewController(QObject *parent)
    : KeypadFormController(u"修改密码"_s, {u"新密码"_s, u"确认新密码"_s}, true, parent),
      staff_(Services::installed().staff)
{
    initLanguage();
}

QStringList ChangePwdViewController::readInfoLines() const
{
    // "%@：%@" filled by concatenation: the name comes from the server.
    const QString separator = localised(u"%@：%@"_s).section(u"%@"_s, 1, 1);
    return {localised(u"工号"_s) + separator + staff_->loggedInId(),
            localised(u"名字"_s) + separator + staff_->loggedInName()};
}

void ChangePwdViewController::submit()
{
    const QString password = fields()->text(0);
    if (password.isEmpty()) {
        UserNotice::error(localised(u"密码不能为空"_s));
        return;
    }
    if (password != fields()->text(1)) {
        UserNotice::error(localised(u"两次输入不一致"_s));
        return;
    }
    staff_->changePassword(this, password, [this] { close(); });
}
