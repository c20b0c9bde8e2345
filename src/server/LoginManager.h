#pragma once

#include <QString>

#include <optional>

struct ServerReply;

// The logged-in operator. The state lives in the settings store (LoginState), so it survives
// restarts; this performs the login against the server and the logout. Outcomes arrive as
// notifications on the main thread: "kNotificationLoginOk" with the server's message,
// "kNotificationLoginFailed" with the text to show, "kNotificationLogout" with nothing.
class LoginManager {
public:
    static LoginManager &defaultManager();

    static bool isLogin();
    static QString accountId();
    static QString accountName();
    // "name(number)".
    static QString loginTitle();

    // Sends "LogIn" and returns at once; exactly one of the two login notifications follows.
    void loginWithUserId(const QString &userId, const QString &password);
    // Forgets that someone is logged in; the last operator's number and name stay.
    void logout();

    // What a reply to "LogIn" means: on success stores the operator and posts
    // "kNotificationLoginOk", otherwise posts "kNotificationLoginFailed".
    static void handleLoginReply(const QString &userId, const ServerReply &reply);
    // The text between the first "(" and the first ")" of a successful login's message; empty when
    // the message holds no such pair.
    static QString operatorName(const std::optional<QString> &returnMsg);
};
