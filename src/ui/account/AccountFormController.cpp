#include "AccountFormController.h"

#include "EditingFocus.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "settings/LanguageManager.h"

#include <QJSEngine>

using namespace Qt::StringLiterals;

AccountFormController::AccountFormController(const QString &titleKey, const QString &confirmKey,
                                             QObject *parent)
    : PopRootViewController(parent), titleKey_(titleKey), confirmKey_(confirmKey)
{
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::NumberKeyboardClick, [this](const Notification &) { keyPressed(); });
    center.addObserver(this, Notify::NumberKeyboardOkClick, [this](const Notification &) { okPressed(); });
    connect(&EditingFocus::instance(), &EditingFocus::focusLost, this, [this](QObject *editor) {
        if (editor == this)
            setEditingField(NoField);
    });
    // A member, never QML's to delete.
    QJSEngine::setObjectOwnership(&keyboard_, QJSEngine::CppOwnership);
    initLanguage();
    beginEditing(AccountField);
}

AccountFormController::~AccountFormController()
{
    EditingFocus::instance().end(this);
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

void AccountFormController::setAccount(const QString &text)
{
    if (text == account_)
        return;
    account_ = text;
    emit accountChanged();
}

void AccountFormController::setPassword(const QString &text)
{
    if (text == password_)
        return;
    password_ = text;
    emit passwordChanged();
}

void AccountFormController::setEditingField(Field field)
{
    if (field == editingField_)
        return;
    editingField_ = field;
    emit editingFieldChanged();
}

void AccountFormController::beginEditing(Field field)
{
    if (isDismissing())
        return;
    if (field == NoField) {
        endEditing();
        return;
    }
    keyboard_.setupValue(QString());
    EditingFocus::instance().begin(this);
    setEditingField(field);
}

void AccountFormController::endEditing()
{
    EditingFocus::instance().end(this);
    setEditingField(NoField);
}

void AccountFormController::keyPressed()
{
    if (!EditingFocus::instance().isEditing(this))
        return;
    if (editingField_ == AccountField)
        setAccount(keyboard_.getValue());
    else if (editingField_ == PasswordField)
        setPassword(keyboard_.getValue());
}

void AccountFormController::okPressed()
{
    if (!EditingFocus::instance().isEditing(this) || isDismissing())
        return;
    if (account_.isEmpty())
        beginEditing(AccountField);
    else if (password_.isEmpty())
        beginEditing(PasswordField);
    else
        confirm();
}

void AccountFormController::confirm()
{
    if (isDismissing())
        return;
    if (account_.isEmpty() || password_.isEmpty()) {
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
