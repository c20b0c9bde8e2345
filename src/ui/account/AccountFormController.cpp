#include "AccountFormController.h"

#include "foundation/UserNotice.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

AccountFormController::AccountFormController(const QString &titleKey, const QString &confirmKey,
                                             QObject *parent)
    : PopRootViewController(parent), titleKey_(titleKey), confirmKey_(confirmKey)
{
    connect(&fields_, &KeypadFields::textsChanged, this, &AccountFormController::textsChanged);
    connect(&fields_, &KeypadFields::editingIndexChanged, this, &AccountFormController::editingFieldChanged);
    connect(&fields_, &KeypadFields::okPressed, this, &AccountFormController::okPressed);
    initLanguage();
    beginEditing(AccountField);
}

void AccountFormController::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    title_ = titleKey_.isEmpty() ? QString() : language.readString(titleKey_);
    confirmText_ = language.readString(confirmKey_);
    closeText_ = language.readString(u"取消"_s);
    accountPlaceholder_ = language.readString(u"用户名"_s);
    passwordPlaceholder_ = language.readString(u"密码"_s);
    emit captionsChanged();
}

void AccountFormController::setTitleKey(const QString &titleKey)
{
    titleKey_ = titleKey;
    initLanguage();
}

void AccountFormController::beginEditing(Field field)
{
    if (!isDismissing())
        fields_.beginEditing(int(field) - 1);
}

void AccountFormController::endEditing()
{
    fields_.endEditing();
}

void AccountFormController::okPressed()
{
    if (isDismissing())
        return;
    if (account().isEmpty())
        beginEditing(AccountField);
    else if (password().isEmpty())
        beginEditing(PasswordField);
    else
        confirm();
}

void AccountFormController::confirm()
{
    if (isDismissing())
        return;
    if (account().isEmpty() || password().isEmpty()) {
        UserNotice::error(LanguageManager::defaultManager().readString(u"用户名或密码不能为空"_s));
        return;
    }
    endEditing();
    submit();
}

void AccountFormController::close()
{
    if (isDismissing())
        return;
    endEditing();
    dismissSelf();
}
