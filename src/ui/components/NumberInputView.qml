import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// A number pop-up: the title, the field (a tap starts editing it), the numeric keypad, "取消" and
// "确定".
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

        Rectangle {
            objectName: "numberField"
            Layout.fillWidth: true
            implicitHeight: 64
            radius: 8
            color: Theme.background
            border.width: view.controller.editing ? 3 : 1
            border.color: view.controller.editing ? Theme.accent : Theme.mutedText

            Label {
                objectName: "numberText"
                anchors.verticalCenter: parent.verticalCenter
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 16
                text: view.controller.text
                elide: Text.ElideLeft
                color: Theme.text
                font.pixelSize: Theme.fontLarge
            }
            MouseArea {
                anchors.fill: parent
                onClicked: view.controller.beginEditing()
            }
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
