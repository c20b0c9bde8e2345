#include "settings/LoginState.h"

#include "foundation/SettingsKeys.h"
#include "settings/SettingsStore.h"

namespace LoginState {

bool isLogin()
{
    return SettingsStore::shared().value(Key::IsLogin).isValid();
}

QString accountId()
{
    return SettingsStore::shared().string(Key::AccountId).value_or(QString());
}

QString accountName()
{
    return SettingsStore::shared().string(Key::AccountName).value_or(QString());
}

void setLoggedIn(const QString &accountId, const QString &accountName)
{
    SettingsStore &store = SettingsStore::shared();
    store.setValue(Key::AccountId, accountId);
    store.setValue(Key::AccountName, accountName);
    store.setValue(Key::IsLogin, QStringLiteral("yes"));
    store.sync();
}

void setLoggedOut()
{
    SettingsStore &store = SettingsStore::shared();
    store.remove(Key::IsLogin);
    store.sync();
}

} // namespace LoginState
