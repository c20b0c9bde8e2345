#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class Staff;

// The login bar along the top of the screens that host it: its button (btnLogin) reads the
// logged-in operator ("name(number)") or "未登录", and opens the login dialog, or the logout dialog
// for a logged-in operator. In customer mode a logged-in operator gets "当前是顾客模式，可在设置中
// 切换" instead, so a guest cannot log the waiter out.
class LoginBar : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
public:
    static constexpr int kHeight = 46;

    explicit LoginBar(QObject *parent = nullptr);

    QString title() const { return title_; }

    // The button's action, run over the hosting screen.
    Q_INVOKABLE void showLoginView();

signals:
    void titleChanged();

private:
    void setTitle(const QString &title);
    void readTitle();

    Staff *staff_;
    QString title_;
};
