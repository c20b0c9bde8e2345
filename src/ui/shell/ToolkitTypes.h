#pragma once

#include "toolkit/KeyboardBase.h"
#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"
#include "toolkit/PopRootViewController.h"

#include <QtQml/qqml.h>

// The toolkit's models as QML types. The toolkit links no QtQuick, so they are registered here.
struct KeyboardBaseForeign {
    Q_GADGET
    QML_FOREIGN(KeyboardBase)
    QML_NAMED_ELEMENT(KeyboardBase)
    QML_UNCREATABLE("the base of the keypad models")
};

struct NumberKeyboardForeign {
    Q_GADGET
    QML_FOREIGN(NumberKeyboard)
    QML_NAMED_ELEMENT(NumberKeyboard)
};

struct NumberAndLetterKeyboardForeign {
    Q_GADGET
    QML_FOREIGN(NumberAndLetterKeyboard)
    QML_NAMED_ELEMENT(NumberAndLetterKeyboard)
};

struct PopRootViewControllerForeign {
    Q_GADGET
    QML_FOREIGN(PopRootViewController)
    QML_NAMED_ELEMENT(PopRootViewController)
    QML_UNCREATABLE("pop-ups are opened through PopViewManager")
};
