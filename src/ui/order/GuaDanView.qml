import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The held-order list: the held orders ("序号", "挂单时间") on the left, the selected one's lines
// ("名称", "数量", "单价", "总价") and its total on the right, "取消" and "确定".
PopCard {
    id: view
    required property GuaDanViewController controller

    title: Lang.text("选择挂单序号")
    implicitWidth: 900
    implicitHeight: 600

    component Cells: RowLayout {
        id: cells
        required property var texts
        property color textColor: Theme.text
        spacing: 8
        Repeater {
            model: cells.texts
            Label {
                required property string modelData
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                text: modelData
                elide: Text.ElideRight
                color: cells.textColor
                font.pixelSize: Theme.fontNormal
            }
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 8
        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12
            ColumnLayout {
                Layout.preferredWidth: 320
                Layout.fillHeight: true
                Cells {
                    Layout.fillWidth: true
                    texts: [Lang.text("序号"), Lang.text("挂单时间")]
                    textColor: Theme.mutedText
                }
                ListView {
                    objectName: "heldOrders"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    clip: true
                    model: view.controller.heldRows
                    delegate: ItemDelegate {
                        required property int index
                        required property string modelData
                        objectName: "heldOrder_" + index
                        width: ListView.view.width
                        height: 48
                        highlighted: index === view.controller.selectedIndex
                        onClicked: view.controller.select(index)
                        contentItem: Cells { texts: modelData.split("\t") }
                    }
                }
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                Cells {
                    Layout.fillWidth: true
                    texts: [Lang.text("名称"), Lang.text("数量"), Lang.text("单价"), Lang.text("总价")]
                    textColor: Theme.mutedText
                }
                ListView {
                    objectName: "heldLines"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    clip: true
                    model: view.controller.lineRows
                    delegate: Cells {
                        required property string modelData
                        width: ListView.view.width
                        height: 40
                        texts: modelData.split("\t")
                    }
                }
                RowLayout {
                    Label {
                        text: Lang.text("总价")
                        color: Theme.mutedText
                        font.pixelSize: Theme.fontNormal
                    }
                    Label {
                        objectName: "heldTotal"
                        text: view.controller.totalText
                        color: Theme.text
                        font.pixelSize: Theme.fontLarge
                    }
                }
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
