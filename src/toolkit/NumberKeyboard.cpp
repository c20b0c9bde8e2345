#include "toolkit/NumberKeyboard.h"

NumberKeyboard::NumberKeyboard(QObject *parent) : KeyboardBase(parent) {}

QStringList NumberKeyboard::characterKeys() const
{
    static const QStringList keys = digitKeys() + QStringList{kKeyDot};
    return keys;
}

bool NumberKeyboard::mayAppend(const QString &key) const
{
    if (key != kKeyDot)
        return true;
    return !characters().isEmpty() && !characters().contains(kKeyDot);
}
