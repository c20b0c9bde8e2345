#pragma once

class Staff;

#include "toolkit/PopRootViewController.h"

#include <QString>
#include <QtQml/qqmlregistration.h>

// The logout dialog: who is logged in ("当前用户：name(number)"), "注销" and a close button.
class LogoutViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the login bar")
    Q_CLASSINFO("PopView", "LogoutView")
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(QString accountText READ accountText NOTIFY captionsChanged)
    Q_PROPERTY(QString logoutText READ logoutText NOTIFY captionsChanged)
    Q_PROPERTY(QString closeText READ closeText NOTIFY captionsChanged)
public:
    explicit LogoutViewController(QObject *parent = nullptr);

    QString title() const { return title_; }
    // The account line (lblAccount).
    QString accountText() const { return accountText_; }
    QString logoutText() const { return title_; }
    QString closeText() const { return closeText_; }

    void initLanguage() override;

    // Logs out, then closes.
    Q_INVOKABLE void logout();
    Q_INVOKABLE void close();

signals:
    void captionsChanged();

private:
    Staff *staff_;
    QString title_;
    QString accountText_;
    QString closeText_;
};
