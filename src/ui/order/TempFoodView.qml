import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The temporary-dish editor: the catalogue's temporary dishes ("商品编号", "商品名称"), the name,
// price and quantity fields, "取消" and "确定".
PopCard {
    id: view
    required property TempFoodViewController controller

    title: Lang.text("临时菜")
    implicitWidth: 720
    implicitHeight: 560

    ColumnLayout {
        anchors.fill: parent
        spacing: 8

        RowLayout {
            Layout.fillWidth: true
            Label {
                Layout.preferredWidth: 200
                text: Lang.text("商品编号")
                color: Theme.mutedText
                font.pixelSize: Theme.fontSmall
            }
            Label {
                Layout.fillWidth: true
                text: Lang.text("商品名称")
                color: Theme.mutedText
                font.pixelSize: Theme.fontSmall
            }
        }
        ListView {
            objectName: "tempDishes"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: view.controller.dishNumbers
            delegate: ItemDelegate {
                required property int index
                required property string modelData
                objectName: "tempDish_" + index
                width: ListView.view.width
                height: 48
                highlighted: index === view.controller.selectedIndex
                onClicked: view.controller.select(index)
                Accessible.name: modelData + " " + (view.controller.dishNames[index] ?? "")
                Accessible.checkable: true
                Accessible.checked: highlighted
                contentItem: RowLayout {
                    Label {
                        Layout.preferredWidth: 200
                        text: modelData
                        color: Theme.text
                        font.pixelSize: Theme.fontNormal
                    }
                    Label {
                        Layout.fillWidth: true
                        text: view.controller.dishNames[index] ?? ""
                        color: Theme.text
                        font.pixelSize: Theme.fontNormal
                    }
                }
            }
        }
        GridLayout {
            Layout.fillWidth: true
            columns: 2
            Label { text: Lang.text("菜名"); color: Theme.text; font.pixelSize: Theme.fontNormal }
            TextField {
                objectName: "tempName"
                Accessible.name: Lang.text("菜名")
                Layout.fillWidth: true
                text: view.controller.nameText
                font.pixelSize: Theme.fontNormal
                onTextEdited: view.controller.nameText = text
            }
            Label { text: Lang.text("单价"); color: Theme.text; font.pixelSize: Theme.fontNormal }
            TextField {
                objectName: "tempPrice"
                Accessible.name: Lang.text("单价")
                Layout.fillWidth: true
                text: view.controller.priceText
                inputMethodHints: Qt.ImhFormattedNumbersOnly
                font.pixelSize: Theme.fontNormal
                onTextEdited: view.controller.priceText = text
            }
            Label { text: Lang.text("数量"); color: Theme.text; font.pixelSize: Theme.fontNormal }
            TextField {
                objectName: "tempQty"
                Accessible.name: Lang.text("数量")
                Layout.fillWidth: true
                text: view.controller.qtyText
                inputMethodHints: Qt.ImhFormattedNumbersOnly
                font.pixelSize: Theme.fontNormal
                onTextEdited: view.controller.qtyText = text
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
