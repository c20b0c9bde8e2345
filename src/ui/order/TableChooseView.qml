import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The table chooser: the rooms strip, the tables seven to a row, the fields "台号", "人数",
// "服务员" (a tap starts editing one; the table field also takes a physical keyboard), the keypad
// of the field being edited, "取消" and "确定".
PopCard {
    id: view
    required property TableChooseViewController controller

    title: Lang.text("台号")
    implicitWidth: 7 * 115 + 2 * padding
    implicitHeight: 720

    component FieldBox: Rectangle {
        id: box
        required property TableChooseViewController chooser
        required property int field
        required property string label
        required property string value
        property bool typed: false
        Layout.fillWidth: true
        implicitHeight: 52
        radius: 8
        color: Theme.background
        border.width: box.chooser.editingField === box.field ? 3 : 1
        border.color: box.chooser.editingField === box.field ? Theme.accent : Theme.mutedText
        RowLayout {
            anchors.fill: parent
            anchors.margins: 8
            Label {
                text: box.label
                color: Theme.mutedText
                font.pixelSize: Theme.fontSmall
            }
            TextInput {
                objectName: "field_" + box.field
                Layout.fillWidth: true
                text: box.value
                readOnly: !box.typed
                color: Theme.text
                font.pixelSize: Theme.fontNormal
                onTextEdited: box.chooser.setField(box.field, text)
            }
        }
        TapHandler {
            onTapped: box.chooser.beginEditing(box.field)
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 8

        CategoryScrollView {
            objectName: "roomStrip"
            Layout.fillWidth: true
            Layout.preferredHeight: 48
            categories: view.controller.rooms
        }
        GridView {
            id: grid
            objectName: "tableGrid"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            cellWidth: Math.floor(width / 7)
            cellHeight: 115
            model: view.controller.tables
            delegate: Item {
                id: cell
                required property int index
                required property string number
                required property string name
                required property string second
                required property bool inUse
                required property bool selected
                width: grid.cellWidth
                height: grid.cellHeight
                TableView {
                    objectName: "table_" + cell.index
                    anchors.centerIn: parent
                    number: cell.number
                    name: cell.name
                    second: cell.second
                    inUse: cell.inUse
                    selected: cell.selected
                    onTapped: view.controller.tables.tap(cell.index)
                }
            }
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            FieldBox {
                chooser: view.controller
                field: TableChooseViewController.TableField
                label: Lang.text("台号")
                value: view.controller.tableNo
                typed: !view.controller.tableLocked
            }
            FieldBox {
                chooser: view.controller
                field: TableChooseViewController.GuestField
                label: Lang.text("人数")
                value: view.controller.guests
            }
            FieldBox {
                chooser: view.controller
                field: TableChooseViewController.WaiterField
                label: Lang.text("服务员")
                value: view.controller.waiter
            }
        }
        LetterKeypad {
            Layout.alignment: Qt.AlignHCenter
            visible: view.controller.editingField === TableChooseViewController.TableField
            keyboard: view.controller.letterKeys
        }
        NumberKeypad {
            Layout.alignment: Qt.AlignHCenter
            visible: view.controller.editingField === TableChooseViewController.GuestField
                     || view.controller.editingField === TableChooseViewController.WaiterField
            keyboard: view.controller.numberKeys
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 16
            ActionButton {
                objectName: "cancelButton"
                Layout.fillWidth: true
                text: Lang.text("取消")
                onClicked: view.controller.cancel()
            }
            ActionButton {
                objectName: "confirmButton"
                Layout.fillWidth: true
                highlighted: true
                text: Lang.text("确定")
                onClicked: view.controller.confirm()
            }
        }
    }
}
