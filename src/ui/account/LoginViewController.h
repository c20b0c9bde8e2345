#pragma once

#include "AccountFormController.h"

#include <functional>

// The login dialog: the operator number and password are checked by the ordering server. While the
// answer is awaited a blocking progress indicator shows. "kNotificationLoginOk" shows the server's
// message and closes the dialog; "kNotificationLoginFailed" shows its text and leaves the dialog
// open for another try.
class LoginViewController : public AccountFormController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the login bar")
    Q_CLASSINFO("PopView", "LoginView")
public:
    using LoginFunction = std::function<void(const QString &userId, const QString &password)>;

    explicit LoginViewController(QObject *parent = nullptr);
    // A dialog that goes while the answer is awaited takes its progress indicator with it.
    ~LoginViewController() override;

    // What sends the login; the staff service's by default (tests put a recorder here).
    void setLoginFunction(LoginFunction login) { login_ = std::move(login); }
    bool isWaiting() const { return waiting_; }

protected:
    void submit() override;

private:
    void finishWaiting();

    LoginFunction login_;
    bool waiting_ = false;
};
