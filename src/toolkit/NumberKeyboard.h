#pragma once

#include "toolkit/KeyboardBase.h"

// The numeric keypad: quantities, prices, guest counts, table numbers, passwords.
// Keys "0".."9" and "."; a dot is taken only after at least one character and only once.
class NumberKeyboard : public KeyboardBase {
    Q_OBJECT
public:
    static inline const QString kKeyDot = QStringLiteral(".");

    explicit NumberKeyboard(QObject *parent = nullptr);

protected:
    QStringList characterKeys() const override;
    bool mayAppend(const QString &key) const override;
};
