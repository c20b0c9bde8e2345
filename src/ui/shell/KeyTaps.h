#pragma once
#include <QObject>
#include <QtQml/qqmlregistration.h>
class QQuickItem;

// Enter, Return and Space that no control took tap the control with the keyboard focus, through
// the press action a screen reader uses: each control says once what a tap does
// (`Accessible.onPressAction`), and keyboard, screen reader and finger meet there. One handler at
// the window's layers instead of three key handlers on every button of every row.
class KeyTaps : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    // True when `key` taps `item` and it was tapped.
    Q_INVOKABLE static bool tap(int key, QQuickItem *item);
};
