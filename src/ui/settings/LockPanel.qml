import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The lock of the settings page: "请输入密码", the masked code field, the keypad and "确 定".
Item {
    id: panel
    objectName: "lockPanel"
    required property ConfigViewController config

    ColumnLayout {
        anchors.centerIn: parent
        width: keypad.implicitWidth
        spacing: 14

        Label {
            objectName: "lockLabel"
            Layout.alignment: Qt.AlignHCenter
            text: panel.config.lockLabel
            color: Theme.text
            font.pixelSize: Theme.fontLarge
        }
        KeypadField {
            objectName: "lockField"
            Layout.fillWidth: true
            text: panel.config.lockField.texts[0]
            secret: true
            editing: panel.config.lockField.editingIndex === 0
            onTapped: panel.config.lockField.beginEditing(0)
            // Named by the prompt above it, never by the code.
            Accessible.name: panel.config.lockLabel
        }
        NumberKeypad {
            id: keypad
            keyboard: panel.config.lockField.activeKeyboard
        }
        ActionButton {
            objectName: "unlockButton"
            Layout.fillWidth: true
            highlighted: true
            text: panel.config.unlockText
            onClicked: panel.config.unlock()
        }
    }
}
