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
    // Two rows of tables stay in sight above a keypad.
    implicitHeight: 740

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
                TableTile {
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
            KeypadField {
                objectName: "field_" + TableChooseViewController.TableField
                Layout.fillWidth: true
                label: Lang.text("台号")
                text: view.controller.tableNo
                editing: view.controller.editingField === TableChooseViewController.TableField
                typeable: !view.controller.tableLocked
                onEdited: text => view.controller.setField(TableChooseViewController.TableField, text)
                onTapped: view.controller.beginEditing(TableChooseViewController.TableField)
            }
            KeypadField {
                objectName: "field_" + TableChooseViewController.GuestField
                Layout.fillWidth: true
                label: Lang.text("人数")
                text: view.controller.guests
                editing: view.controller.editingField === TableChooseViewController.GuestField
                onTapped: view.controller.beginEditing(TableChooseViewController.GuestField)
            }
            KeypadField {
                objectName: "field_" + TableChooseViewController.WaiterField
                Layout.fillWidth: true
                label: Lang.text("服务员")
                text: view.controller.waiter
                editing: view.controller.editingField === TableChooseViewController.WaiterField
                onTapped: view.controller.beginEditing(TableChooseViewController.WaiterField)
            }
        }
        LetterKeypad {
            Layout.alignment: Qt.AlignHCenter
            keySize: 52
            visible: view.controller.editingField === TableChooseViewController.TableField
            keyboard: view.controller.letterKeys
        }
        NumberKeypad {
            Layout.alignment: Qt.AlignHCenter
            keySize: 52
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
