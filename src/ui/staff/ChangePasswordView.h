#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class Staff;

// The password page of the staff screen: one button, "修改密码", which opens the password dialog
// for the logged-in operator, or asks the staff screen for the login dialog ("kShowLoginView")
// when nobody is logged in.
class ChangePasswordView : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString buttonText READ buttonText NOTIFY buttonTextChanged)
public:
    explicit ChangePasswordView(QObject *parent = nullptr);

    QString buttonText() const { return buttonText_; }

    Q_INVOKABLE void changePassword();

signals:
    void buttonTextChanged();

private:
    void initLanguage();

    Staff *staff_;

    QString buttonText_;
};
