import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// A number pop-up: the title, the field (edited from the start; a tap edits it again), the numeric
// keypad, "取消" and "确定".
PopCard {
    id: view
    required property NumberInputViewController controller

    title: controller.title
    implicitWidth: keypad.implicitWidth + 2 * padding
    implicitHeight: headerHeight + column.implicitHeight + 2 * padding

    ColumnLayout {
        id: column
        anchors.fill: parent
        spacing: 16

        KeypadField {
            objectName: "numberField"
            Layout.fillWidth: true
            implicitHeight: 64
            text: view.controller.text
            editing: view.controller.editing
            fontSize: Theme.fontLarge
            onTapped: view.controller.beginEditing()
        }
        NumberKeypad {
            id: keypad
            Layout.alignment: Qt.AlignHCenter
            keyboard: view.controller.keyboard
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 16

            ActionButton {
                objectName: "cancelButton"
                Layout.fillWidth: true
                text: view.controller.cancelText
                font.pixelSize: Theme.fontNormal
                onClicked: view.controller.cancel()
            }
            ActionButton {
                objectName: "confirmButton"
                Layout.fillWidth: true
                highlighted: true
                text: view.controller.confirmText
                font.pixelSize: Theme.fontNormal
                onClicked: view.controller.confirm()
            }
        }
    }
}
