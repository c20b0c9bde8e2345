#pragma once

#include "toolkit/NumberKeyboard.h"
#include "toolkit/PopRootViewController.h"

#include <QString>
#include <QtQml/qqmlregistration.h>

// A pop-up with a title, one number field fed by its own numeric keypad, and "取消" / "确定": the
// common form of the quantity, price and guest-count editors, which override confirm() with their
// checks.
//
// The field copies the keypad's value on "kNumberKeyboardClick" and confirms on
// "kNumberKeyboardOkClick", both only while it holds the editing focus (EditingFocus): every keypad
// posts the same names. The field is edited from the opening; beginning to edit empties the keypad,
// so the first key replaces the text shown. The base confirm() posts "kPopManagerControllerConfirm", cancel()
// posts "kPopManagerControllerCancel", each with the pop-up as object (QObject*), and then closes.
class NumberInputViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "NumberInputView")
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(QString confirmText READ confirmText NOTIFY captionsChanged)
    Q_PROPERTY(QString cancelText READ cancelText NOTIFY captionsChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool editing READ isEditing NOTIFY editingChanged)
    Q_PROPERTY(NumberKeyboard *keyboard READ keyboard CONSTANT)
public:
    // `titleKey` is the Chinese title, shown through the string table.
    NumberInputViewController(const QString &titleKey, const QString &text, QObject *parent = nullptr);
    ~NumberInputViewController() override;

    QString title() const { return title_; }
    QString confirmText() const { return confirmText_; }
    QString cancelText() const { return cancelText_; }
    QString text() const { return text_; }
    void setText(const QString &text);
    bool isEditing() const { return editing_; }
    NumberKeyboard *keyboard() { return &keyboard_; }

    Q_INVOKABLE void beginEditing();
    void endEditing() override;
    void initLanguage() override;

    Q_INVOKABLE virtual void confirm();
    Q_INVOKABLE virtual void cancel();

signals:
    void captionsChanged();
    void textChanged();
    void editingChanged();

private:
    void setEditing(bool editing);

    QString titleKey_;
    QString title_;
    QString confirmText_;
    QString cancelText_;
    QString text_;
    bool editing_ = false;
    NumberKeyboard keyboard_;
};
