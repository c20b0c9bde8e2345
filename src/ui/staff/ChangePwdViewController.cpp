#include "ChangePwdViewController.h"

#include "server/ServerExchange.h"

#include "foundation/UserNotice.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

ChangePwdViewController::ChangePwdViewController(QObject *parent)
    : KeypadFormController(u"修改密码"_s, {u"新密码"_s, u"确认新密码"_s}, true, parent)
{
    initLanguage();
}

QStringList ChangePwdViewController::readInfoLines() const
{
    // "%@：%@" filled by concatenation: the name comes from the server.
    const QString separator = localised(u"%@：%@"_s).section(u"%@"_s, 1, 1);
    return {localised(u"工号"_s) + separator + LoginManager::accountId(),
            localised(u"名字"_s) + separator + LoginManager::accountName()};
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
    ServerExchange::send(this, CommandMaker::changePassword(LoginManager::accountId(), password),
                         [this](const ServerReply &reply) {
                             if (!reply.isAccepted()) {
                                 ServerExchange::showRefusal(reply);
                                 return;
                             }
                             UserNotice::success(reply.message.isEmpty() ? localised(u"修改成功"_s)
                                                                         : reply.message);
                             close();
                         });
}
