#pragma once

#include "AccountFormController.h"

class Staff;

// The login dialog: the staff service asks the ordering server to check the operator number and
// password. While the answer is awaited a blocking progress indicator shows. "kNotificationLoginOk"
// shows the server's message and closes the dialog; "kNotificationLoginFailed" shows its text and
// leaves the dialog open for another try.
class LoginViewController : public AccountFormController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the login bar")
    Q_CLASSINFO("PopView", "LoginView")
public:
    explicit LoginViewController(QObject *parent = nullptr);
    // A dialog that goes while the answer is awaited takes its progress indicator with it.
    ~LoginViewController() override;

    bool isWaiting() const { return waiting_; }

protected:
    void submit() override;

private:
    void finishWaiting();

    Staff *staff_;
    bool waiting_ = false;
};
