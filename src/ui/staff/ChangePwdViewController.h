#pragma once

#include "KeypadFormController.h"

class Staff;

// The password dialog: the logged-in operator's number and name, the new password and its
// confirmation (masked, on the numeric keypad). "确定" refuses an empty password ("密码不能为空")
// and two different entries ("两次输入不一致"); otherwise the server is asked to change the
// password. Its acceptance shows the server's message and closes the dialog; a refusal shows the
// message and an unreadable reply "解析错误", and the dialog stays for another try.
class ChangePwdViewController : public KeypadFormController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the password page")
    Q_CLASSINFO("PopView", "ChangePwdView")
public:
    explicit ChangePwdViewController(QObject *parent = nullptr);

protected:
    void submit() override;
    QStringList readInfoLines() const override;

private:
    Staff *staff_;
};
