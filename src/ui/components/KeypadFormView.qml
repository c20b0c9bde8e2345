import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// A pop-up form of one to three keypad-fed fields: the title, information lines, each field under
// its label (a tap starts editing it), the keypad, "取消" and "确定".
PopCard {
    id: view
    required property KeypadFormController controller

    title: controller.title
    implicitWidth: keypad.implicitWidth + 2 * padding
    implicitHeight: headerHeight + column.implicitHeight + 2 * padding

    ColumnLayout {
        id: column
        anchors.fill: parent
        spacing: 10

        Repeater {
            model: view.controller.infoLines

            Label {
                required property string modelData
                objectName: "infoLine"
                text: modelData
                color: Theme.text
                font.pixelSize: Theme.fontNormal
            }
        }
        Repeater {
            model: view.controller.labels

            RowLayout {
                id: fieldRow
                required property int index
                required property string modelData
                Layout.fillWidth: true
                spacing: 12

                Label {
                    Layout.preferredWidth: 110
                    text: fieldRow.modelData
                    color: Theme.text
                    font.pixelSize: Theme.fontNormal
                    elide: Text.ElideRight
                }
                KeypadField {
                    objectName: "formField_" + fieldRow.index
                    Layout.fillWidth: true
                    text: view.controller.fields.texts[fieldRow.index]
                    secret: view.controller.masked
                    editing: view.controller.fields.editingIndex === fieldRow.index
                    onTapped: view.controller.fields.beginEditing(fieldRow.index)
                    // Its label stands beside it; a screen reader reads them together.
                    Accessible.name: fieldRow.modelData + (secret || text === "" ? "" : " " + text)
                }
            }
        }
        NumberKeypad {
            id: keypad
            Layout.alignment: Qt.AlignHCenter
            keyboard: view.controller.fields.activeKeyboard
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 16

            ActionButton {
                objectName: "cancelButton"
                Layout.fillWidth: true
                text: view.controller.cancelText
                onClicked: view.controller.close()
            }
            ActionButton {
                objectName: "confirmButton"
                Layout.fillWidth: true
                highlighted: true
                text: view.controller.confirmText
                onClicked: view.controller.confirm()
            }
        }
    }
}
