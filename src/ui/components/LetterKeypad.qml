import QtQuick
import Diancai.Ui

// The alphanumeric keypad over its model (NumberAndLetterKeyboard): digits, capital letters,
// delete, "清空", "确定" and the close key, ten to a row.
Grid {
    id: keypad
    required property KeyboardBase keyboard
    property int keySize: 66

    columns: 10
    spacing: 6

    Repeater {
        model: ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
                "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P",
                "A", "S", "D", "F", "G", "H", "J", "K", "L", "delete",
                "Z", "X", "C", "V", "B", "N", "M", "clear", "ok", "close"]

        KeypadKey {
            required property string modelData
            keyName: modelData
            implicitWidth: keypad.keySize
            implicitHeight: keypad.keySize
            onTapped: name => keypad.keyboard.click(name)
        }
    }
}
