import QtQuick
import QtQuick.Controls
import Diancai.Ui

// One key of an on-screen keypad, big enough for a thumb. `keyName` is what the keypad model
// takes: a character, or "delete", "clear", "ok", "close".
Rectangle {
    id: key
    required property string keyName
    readonly property bool isAction: keyName.length > 1
    signal tapped(string keyName)
    // The arrows are read by what they do; the other keys by their caption.
    Accessible.role: Accessible.Button
    Accessible.name: keyName === "delete" ? Lang.text("退格") : keyName === "close" ? Lang.text("收起键盘")
                                                                                  : caption.text
    Accessible.onPressAction: tapped(keyName)
    activeFocusOnTab: true

    objectName: "key_" + keyName
    implicitWidth: Theme.keySize
    implicitHeight: Theme.keySize
    radius: 8
    color: area.pressed ? Theme.keyPressed : (isAction ? Theme.keyAction : Theme.keyFace)
    // The keyboard's focus shows on the key's own border: a keypad needs no extra items.
    border.width: activeFocus ? 3 : 1
    border.color: activeFocus ? Theme.focus : Theme.keyPressed

    Label {
        id: caption
        objectName: "keyCaption"
        anchors.centerIn: parent
        width: parent.width - 8
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        color: Theme.text
        font.pixelSize: key.keyName === "clear" || key.keyName === "ok" ? Theme.fontNormal : Theme.fontLarge
        text: {
            switch (key.keyName) {
            case "delete":
                return "←"
            case "clear":
                return Lang.text("清空")
            case "ok":
                return Lang.text("确定")
            case "close":
                return "▼"
            default:
                return key.keyName
            }
        }
    }
    // A physical keyboard or a scanner types on the keypad in use: its characters, Backspace for
    // the delete key and Delete for "清空". Enter stays with the focused button.
    Shortcut {
        sequences: key.keyName.length === 1 ? [key.keyName] : key.keyName === "delete" ? ["Backspace"]
                 : key.keyName === "clear" ? ["Delete"] : []
        enabled: key.visible && key.enabled
        onActivated: key.tapped(key.keyName)
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: key.tapped(key.keyName)
    }
}
