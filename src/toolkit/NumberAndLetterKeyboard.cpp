#include "toolkit/NumberAndLetterKeyboard.h"

QStringList NumberAndLetterKeyboard::digitsAndLetters()
{
    QStringList keys = digitKeys();
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.append(QString(QChar::fromLatin1(c)));
    return keys;
}

NumberAndLetterKeyboard::NumberAndLetterKeyboard(QObject *parent) : KeyboardBase(parent) {}

QStringList NumberAndLetterKeyboard::characterKeys() const
{
    static const QStringList keys = digitsAndLetters();
    return keys;
}
