#pragma once

#include <QString>

// Who is logged in, as kept in the settings store: "kIsLogin" ("yes") is present while an
// operator is logged in; "kAccountId" and "kAccountName" name the last operator and stay after logout.
// Logging in and out is the login manager's; everything else only reads this.
namespace LoginState {
bool isLogin();
QString accountId();
QString accountName();

void setLoggedIn(const QString &accountId, const QString &accountName);
void setLoggedOut();
} // namespace LoginState
