#pragma once

#include <QString>

#include <functional>

class Catalogue;
class QObject;

// The people who work the terminal: who is logged in (kept in the settings, so it survives a
// restart), logging in and out, changing one's password, and who may give a dish as a gift. The
// login's outcome arrives as a notification ("kNotificationLoginOk" with the server's message,
// "kNotificationLoginFailed" with the text to show), so every screen that waits on it hears it.
class Staff {
public:
    explicit Staff(const Catalogue &catalogue);
    virtual ~Staff() = default;

    // What a gift authorisation with these credentials gets.
    enum class GiftAuthority { Granted, WrongCredentials, NotPermitted };

    virtual bool isLoggedIn() const;
    virtual QString loggedInId() const;
    virtual QString loggedInName() const;
    // "name(number)" of the operator logged in last.
    virtual QString loggedInTitle() const;

    // Asks the server; returns at once, and exactly one of the two login notifications follows.
    virtual void logIn(const QString &id, const QString &password);
    // Forgets that someone is logged in ("kNotificationLogout"); the last number and name stay.
    virtual void logOut();
    // Changes the logged-in operator's password on the server, under the blocking indicator. Shows
    // the outcome (the server's message, else "修改成功"; a refusal's message, else "操作失败") and,
    // when it changed and `owner` still lives, calls `onChanged`.
    virtual void changePassword(QObject *owner, const QString &newPassword, std::function<void()> onChanged);

    // The operator logged in now, when they may give gifts on their own authority.
    virtual bool loggedInMayGiveGifts() const;
    // The server's data knows gifts at all; when it does not, the server is asked to update it.
    virtual bool giftsSupported() const;
    // Checks an operator's number and password against the base data and their gift permission.
    virtual GiftAuthority authoriseGift(const QString &id, const QString &password) const;

private:
    const Catalogue &catalogue_;
};
