#pragma once

#include "KeypadFields.h"

#include "toolkit/PopRootViewController.h"

#include <QString>
#include <QtQml/qqmlregistration.h>

// The common form of the login and authorisation dialogs: an operator-number field and a password
// field, both fed by one numeric keypad (KeypadFields), a confirming button and a close button.
// The operator-number field is edited from the start.
// The keypad's OK key submits when both fields are filled; otherwise it moves the editing to the
// operator-number field when that is empty, else to the password field.
class AccountFormController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the base of the login and authorisation dialogs")
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(QString confirmText READ confirmText NOTIFY captionsChanged)
    Q_PROPERTY(QString closeText READ closeText NOTIFY captionsChanged)
    Q_PROPERTY(QString accountPlaceholder READ accountPlaceholder NOTIFY captionsChanged)
    Q_PROPERTY(QString passwordPlaceholder READ passwordPlaceholder NOTIFY captionsChanged)
    Q_PROPERTY(QString account READ account WRITE setAccount NOTIFY textsChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY textsChanged)
    Q_PROPERTY(Field editingField READ editingField NOTIFY editingFieldChanged)
    Q_PROPERTY(KeyboardBase *keyboard READ keyboard CONSTANT)
public:
    enum Field { NoField, AccountField, PasswordField };
    Q_ENUM(Field)

    // `titleKey` and `confirmKey` are the Chinese texts, shown through the string table.
    AccountFormController(const QString &titleKey, const QString &confirmKey, QObject *parent = nullptr);

    QString title() const { return title_; }
    QString confirmText() const { return confirmText_; }
    QString closeText() const { return closeText_; }
    QString accountPlaceholder() const { return accountPlaceholder_; }
    QString passwordPlaceholder() const { return passwordPlaceholder_; }
    QString account() const { return fields_.text(0); }
    void setAccount(const QString &text) { fields_.setText(0, text); }
    QString password() const { return fields_.text(1); }
    void setPassword(const QString &text) { fields_.setText(1, text); }
    Field editingField() const { return Field(fields_.editingIndex() + 1); }
    KeyboardBase *keyboard() { return fields_.activeKeyboard(); }

    void setTitleKey(const QString &titleKey);

    Q_INVOKABLE void beginEditing(AccountFormController::Field field);
    void endEditing() override;
    void initLanguage() override;

    // The confirming button: "用户名或密码不能为空" when a field is empty, else submit().
    Q_INVOKABLE void confirm();
    // The close button: closes without submitting.
    Q_INVOKABLE void close();

signals:
    void captionsChanged();
    void textsChanged();
    void editingFieldChanged();

protected:
    // Both fields are filled and editing has ended.
    virtual void submit() = 0;

private:
    void okPressed();

    QString titleKey_;
    QString confirmKey_;
    QString title_;
    QString confirmText_;
    QString closeText_;
    QString accountPlaceholder_;
    QString passwordPlaceholder_;
    KeypadFields fields_{2};
};
