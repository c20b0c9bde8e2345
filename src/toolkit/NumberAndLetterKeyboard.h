#pragma once

#include "toolkit/KeyboardBase.h"

// The alphanumeric keypad of the dish search: dish numbers and mnemonic codes.
// Keys "0".."9" and the capital letters "A".."Z".
class NumberAndLetterKeyboard : public KeyboardBase {
    Q_OBJECT
public:
    explicit NumberAndLetterKeyboard(QObject *parent = nullptr);

protected:
    QStringList characterKeys() const override;

private:
    static QStringList digitsAndLetters();
};
