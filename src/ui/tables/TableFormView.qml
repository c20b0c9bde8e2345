import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// A table operation's dialog: each field under its label (a tap starts editing it; table numbers
// also take a physical keyboard), the keypad of the field being edited, "取消" and "确定".
PopCard {
    id: view
    objectName: "tableFormView"
    required property TableFormController controller

    title: controller.title
    implicitWidth: letters.implicitWidth + 2 * padding
    implicitHeight: headerHeight + column.implicitHeight + 2 * padding

    ColumnLayout {
        id: column
        anchors.fill: parent
        spacing: 10

        Repeater {
            model: view.controller.labels

            RowLayout {
                id: fieldRow
                required property int index
                required property string modelData
                readonly property bool editing: view.controller.fields.editingIndex === index
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
                    editing: fieldRow.editing
                    // Only table numbers take a physical keyboard too.
                    typeable: view.controller.isTableField(fieldRow.index)
                    onTapped: view.controller.fields.beginEditing(fieldRow.index)
                    onEdited: text => view.controller.typeText(fieldRow.index, text)
                    // Its label stands beside it; a screen reader reads them together.
                    Accessible.name: fieldRow.modelData + (text === "" ? "" : " " + text)
                }
            }
        }
        // Both keypads in one place of constant size: the card keeps its height when they swap.
        Item {
            Layout.alignment: Qt.AlignHCenter
            implicitWidth: letters.implicitWidth
            implicitHeight: Math.max(letters.implicitHeight, digits.implicitHeight)

            LetterKeypad {
                id: letters
                objectName: "letterKeypad"
                anchors.centerIn: parent
                visible: view.controller.fields.lettersActive
                keyboard: view.controller.fields.activeKeyboard
            }
            NumberKeypad {
                id: digits
                objectName: "numberKeypad"
                anchors.centerIn: parent
                visible: !view.controller.fields.lettersActive
                keyboard: view.controller.fields.activeKeyboard
            }
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
