#pragma once

#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// Numbers and "." in any place: the keypad of a server address ("192.168.1.100"), where the
// numeric keypad's one-dot rule would stop after the first dot.
class AddressKeyboard : public NumberKeyboard {
    Q_OBJECT
public:
    using NumberKeyboard::NumberKeyboard;

protected:
    bool mayAppend(const QString &key) const override { return key != kKeyDot || !characters().isEmpty(); }
};

// The text fields of a form, fed by on-screen keypads: each field takes the keys of its keypad
// (digits, an address, or digits and letters) while it is the one being edited, terminal-wide
// (EditingFocus), since every keypad posts the same notifications. Beginning to edit a field
// empties its keypad, so the first key replaces the field's text. The keypad's OK key is reported
// by okPressed(); what it means is the form's business.
class KeypadFields : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by a form's controller")
    Q_PROPERTY(QStringList texts READ texts NOTIFY textsChanged)
    Q_PROPERTY(int editingIndex READ editingIndex NOTIFY editingIndexChanged)
    // The keypad of the field being edited (the numeric one when none is).
    Q_PROPERTY(KeyboardBase *activeKeyboard READ activeKeyboard NOTIFY editingIndexChanged)
    Q_PROPERTY(bool lettersActive READ lettersActive NOTIFY editingIndexChanged)
public:
    enum Keypad { Digits, Address, Letters };
    Q_ENUM(Keypad)

    explicit KeypadFields(int count, QObject *parent = nullptr);
    ~KeypadFields() override;

    int count() const { return int(texts_.size()); }
    QStringList texts() const { return texts_; }
    QString text(int index) const { return texts_.value(index); }
    void setText(int index, const QString &text);
    void setKeypad(int index, Keypad keypad);
    int editingIndex() const { return editingIndex_; }
    KeyboardBase *activeKeyboard();
    bool lettersActive() const;

    Q_INVOKABLE void beginEditing(int index);
    Q_INVOKABLE void endEditing();
    // Empties every field and ends the editing.
    void clear();

signals:
    void textsChanged();
    void editingIndexChanged();
    void okPressed(int index);

private:
    KeyboardBase &keyboardFor(int index);
    void setEditingIndex(int index);

    QStringList texts_;
    QList<Keypad> keypads_;
    int editingIndex_ = -1;
    NumberKeyboard digits_;
    AddressKeyboard address_;
    NumberAndLetterKeyboard letters_;
};
