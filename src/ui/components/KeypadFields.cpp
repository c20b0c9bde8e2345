#include "KeypadFields.h"

#include "EditingFocus.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"

#include <QJSEngine>

KeypadFields::KeypadFields(int count, QObject *parent)
    : QObject(parent), texts_(count), keypads_(count, Digits)
{
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::NumberKeyboardClick, [this](const Notification &) {
        if (EditingFocus::instance().isEditing(this) && editingIndex_ >= 0)
            setText(editingIndex_, keyboardFor(editingIndex_).getValue());
    });
    center.addObserver(this, Notify::NumberKeyboardOkClick, [this](const Notification &) {
        if (EditingFocus::instance().isEditing(this) && editingIndex_ >= 0)
            emit okPressed(editingIndex_);
    });
    connect(&EditingFocus::instance(), &EditingFocus::focusLost, this, [this](QObject *editor) {
        if (editor == this)
            setEditingIndex(-1);
    });
    // Members, never QML's to delete.
    for (QObject *keyboard : std::initializer_list<QObject *>{&digits_, &address_, &letters_})
        QJSEngine::setObjectOwnership(keyboard, QJSEngine::CppOwnership);
}

KeypadFields::~KeypadFields()
{
    EditingFocus::instance().end(this);
}

void KeypadFields::setText(int index, const QString &text)
{
    if (index < 0 || index >= count() || texts_.at(index) == text)
        return;
    texts_[index] = text;
    emit textsChanged();
}

void KeypadFields::setKeypad(int index, Keypad keypad)
{
    if (index >= 0 && index < count())
        keypads_[index] = keypad;
}

KeyboardBase &KeypadFields::keyboardFor(int index)
{
    switch (keypads_.value(index, Digits)) {
    case Address:
        return address_;
    case Letters:
        return letters_;
    case Digits:
        break;
    }
    return digits_;
}

KeyboardBase *KeypadFields::activeKeyboard()
{
    return &keyboardFor(editingIndex_);
}

bool KeypadFields::lettersActive() const
{
    return keypads_.value(editingIndex_, Digits) == Letters;
}

void KeypadFields::setEditingIndex(int index)
{
    if (index == editingIndex_)
        return;
    editingIndex_ = index;
    emit editingIndexChanged();
}

void KeypadFields::beginEditing(int index)
{
    if (index < 0 || index >= count()) {
        endEditing();
        return;
    }
    keyboardFor(index).setupValue(QString());
    EditingFocus::instance().begin(this);
    setEditingIndex(index);
}

void KeypadFields::endEditing()
{
    EditingFocus::instance().end(this);
    setEditingIndex(-1);
}

void KeypadFields::clear()
{
    endEditing();
    bool changed = false;
    for (QString &text : texts_) {
        changed = changed || !text.isEmpty();
        text.clear();
    }
    for (KeyboardBase *keyboard : std::initializer_list<KeyboardBase *>{&digits_, &address_, &letters_})
        keyboard->setupValue(QString());
    if (changed)
        emit textsChanged();
}
