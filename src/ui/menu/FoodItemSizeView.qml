import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The size chooser: one row per size; a tap orders the dish in that size.
PopCard {
    id: view
    required property FoodItemSizeViewController controller

    title: Lang.text("请选择菜品规格")
    implicitWidth: 480
    implicitHeight: headerHeight + 2 * padding + Math.min(5, controller.rows.length) * 64 + 80

    ColumnLayout {
        anchors.fill: parent
        spacing: 16

        ListView {
            objectName: "sizeRows"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: view.controller.rows
            delegate: ItemDelegate {
                required property int index
                required property string modelData
                objectName: "sizeRow_" + index
                width: ListView.view.width
                height: 64
                highlighted: index === view.controller.selectedRow
                text: modelData
                font.pixelSize: Theme.fontNormal
                onClicked: view.controller.chooseRow(index)
                // One choice of the sizes, checked while chosen.
                Accessible.name: modelData
                Accessible.checkable: true
                Accessible.checked: highlighted
            }
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
