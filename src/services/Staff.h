#pragma once

#include <QString>

class Catalogue;

// The people who work the terminal: who is logged in, and who may give a dish as a gift.
class Staff {
public:
    explicit Staff(const Catalogue &catalogue);
    virtual ~Staff() = default;

    // What a gift authorisation with these credentials gets.
    enum class GiftAuthority { Granted, WrongCredentials, NotPermitted };

    virtual bool isLoggedIn() const;
    virtual QString loggedInId() const;
    // The operator logged in now, when they may give gifts on their own authority.
    virtual bool loggedInMayGiveGifts() const;
    // The server's data knows gifts at all; when it does not, the server is asked to update it.
    virtual bool giftsSupported() const;
    // Checks an operator's number and password against the base data and their gift permission.
    virtual GiftAuthority authoriseGift(const QString &id, const QString &password) const;

private:
    const Catalogue &catalogue_;
};
