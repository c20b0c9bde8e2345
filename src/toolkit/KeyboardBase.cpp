#include "toolkit/KeyboardBase.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"

namespace {
QStringList splitCharacters(const QString &text)
{
    QStringList characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        characters.append(text.mid(i, pair ? 2 : 1));
        if (pair)
            ++i;
    }
    return characters;
}
} // namespace

KeyboardBase::KeyboardBase(QObject *parent) : QObject(parent) {}

void KeyboardBase::setupValue(const std::optional<QString> &text)
{
    strValue_ = text;
    if (text)
        setCharacters(splitCharacters(*text));
}

void KeyboardBase::setCharacters(QStringList characters)
{
    if (characters == array_)
        return;
    array_ = std::move(characters);
    emit valueChanged();
}

QStringList KeyboardBase::digitKeys()
{
    QStringList keys;
    for (char c = '1'; c <= '9'; ++c)
        keys.append(QString(QChar::fromLatin1(c)));
    keys.append(QStringLiteral("0"));
    return keys;
}

bool KeyboardBase::mayAppend(const QString &) const
{
    return true;
}

QStringList KeyboardBase::keys() const
{
    return characterKeys() + QStringList{kKeyDelete, kKeyClear, kKeyOk, kKeyClose};
}

void KeyboardBase::click(const QString &key)
{
    if (key == kKeyOk) {
        PostNotificationInMainThread(Notify::NumberKeyboardOkClick, getValue());
        return;
    }
    if (key == kKeyClose) {
        PostNotificationInMainThread(Notify::NumberKeyboardCoseClick);
        return;
    }

    QStringList next = array_;
    if (key == kKeyDelete) {
        if (!next.isEmpty())
            next.removeLast();
    } else if (key == kKeyClear) {
        next.clear();
    } else if (characterKeys().contains(key)) {
        if (mayAppend(key))
            next.append(key);
    } else {
        return;
    }
    setCharacters(std::move(next));
    PostNotificationInMainThread(Notify::NumberKeyboardClick, getValue());
}
