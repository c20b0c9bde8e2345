#include "KeypadFormController.h"

#include "settings/LanguageManager.h"

#include <QJSEngine>

using namespace Qt::StringLiterals;

KeypadFormController::KeypadFormController(const QString &titleKey, const QStringList &labelKeys, bool masked,
                                           QObject *parent)
    : PopRootViewController(parent), titleKey_(titleKey), labelKeys_(labelKeys), masked_(masked),
      fields_(int(labelKeys.size()))
{
    QJSEngine::setObjectOwnership(&fields_, QJSEngine::CppOwnership);
    connect(&fields_, &KeypadFields::okPressed, this, [this](int index) { okPressed(index); });
    fields_.beginEditing(0);
}

void KeypadFormController::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    title_ = language.readString(titleKey_);
    labels_.clear();
    for (const QString &key : std::as_const(labelKeys_))
        labels_.append(language.readString(key));
    infoLines_ = readInfoLines();
    confirmText_ = language.readString(u"确定"_s);
    cancelText_ = language.readString(u"取消"_s);
    emit captionsChanged();
}

void KeypadFormController::okPressed(int)
{
    fields_.endEditing();
}

void KeypadFormController::confirm()
{
    if (isDismissing())
        return;
    fields_.endEditing();
    submit();
}

void KeypadFormController::close()
{
    if (isDismissing())
        return;
    fields_.clear();
    dismissSelf();
}
