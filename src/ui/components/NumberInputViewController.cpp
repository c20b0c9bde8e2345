#include "NumberInputViewController.h"

#include "EditingFocus.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "settings/LanguageManager.h"

#include <QJSEngine>

using namespace Qt::StringLiterals;

NumberInputViewController::NumberInputViewController(const QString &titleKey, const QString &text,
                                                     QObject *parent)
    : PopRootViewController(parent), titleKey_(titleKey), text_(text)
{
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::NumberKeyboardClick, [this](const Notification &) {
        if (editing_)
            setText(keyboard_.getValue());
    });
    center.addObserver(this, Notify::NumberKeyboardOkClick, [this](const Notification &) {
        if (!editing_)
            return;
        endEditing();
        confirm();
    });
    connect(&EditingFocus::instance(), &EditingFocus::focusLost, this, [this](QObject *editor) {
        if (editor == this)
            setEditing(false);
    });
    // A member, never QML's to delete.
    QJSEngine::setObjectOwnership(&keyboard_, QJSEngine::CppOwnership);
    initLanguage();
    // Opened to be typed in: the keys work at once, the first one replacing the text shown.
    beginEditing();
}

NumberInputViewController::~NumberInputViewController()
{
    EditingFocus::instance().end(this);
}

void NumberInputViewController::initLanguage()
{
    const LanguageManager &language = LanguageManager::defaultManager();
    title_ = language.readString(titleKey_);
    confirmText_ = language.readString(u"确定"_s);
    cancelText_ = language.readString(u"取消"_s);
    emit captionsChanged();
}

void NumberInputViewController::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    emit textChanged();
}

void NumberInputViewController::setEditing(bool editing)
{
    if (editing == editing_)
        return;
    editing_ = editing;
    emit editingChanged();
}

void NumberInputViewController::beginEditing()
{
    if (isDismissing())
        return;
    keyboard_.setupValue(QString());
    EditingFocus::instance().begin(this);
    setEditing(true);
}

void NumberInputViewController::endEditing()
{
    EditingFocus::instance().end(this);
    setEditing(false);
}

void NumberInputViewController::confirm()
{
    if (isDismissing())
        return;
    endEditing();
    PostNotificationInMainThread(Notify::PopManagerControllerConfirm, QVariant::fromValue<QObject *>(this));
    dismissSelf();
}

void NumberInputViewController::cancel()
{
    if (isDismissing())
        return;
    endEditing();
    PostNotificationInMainThread(Notify::PopManagerControllerCancel, QVariant::fromValue<QObject *>(this));
    dismissSelf();
}
