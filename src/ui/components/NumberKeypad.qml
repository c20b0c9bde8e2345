import QtQuick
import Diancai.Ui

// The numeric keypad over its model (NumberKeyboard): digits, ".", delete, "清空", "确定" and the
// close key. It only forwards taps; the model keeps the value and posts the notifications.
Grid {
    id: keypad
    required property KeyboardBase keyboard
    property int keySize: Theme.keySize

    columns: 4
    spacing: 8

    Repeater {
        model: ["1", "2", "3", "delete", "4", "5", "6", "clear", "7", "8", "9", "ok", ".", "0", "close"]

        KeypadKey {
            required property string modelData
            keyName: modelData
            implicitWidth: keypad.keySize
            implicitHeight: keypad.keySize
            onTapped: name => keypad.keyboard.click(name)
        }
    }
}
