import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The order list: the login bar and the toolbar (waiter or customer), the column headings, the
// lines, and the footer with the order's remark, the totals, clear-all and "下单".
ScreenPage {
    id: screen
    objectName: "orderListScreen"
    controller: OrderListViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        LoginBarView {
            Layout.fillWidth: true
        }
        RowLayout {
            objectName: "toolbar"
            Layout.fillWidth: true
            Layout.margins: 8
            spacing: 6
            ActionButton {
                objectName: "backButton"
                text: "‹"
                Accessible.name: Lang.text("返回")
                onClicked: ctl.goBack()
            }
            Label {
                Layout.fillWidth: true
                text: Lang.text("已点品项")
                color: Theme.text
                font.pixelSize: Theme.fontLarge
            }
            Repeater {
                model: ctl.isCusMode ? ["btnTable", "btnTableOp", "btnSearch"]
                                     : ["btnZengSong", "btnTableOp", "btnTable", "btnTempFood",
                                        "btnGuaDan", "btnSwitchState", "btnSearch"]
                delegate: TapButton {
                    required property string modelData
                    objectName: modelData
                    visible: ctl.toolbarVisible
                    implicitWidth: Math.max(96, implicitHeight)
                    implicitHeight: 48
                    font.pixelSize: Theme.fontSmall
                    highlighted: modelData === "btnZengSong" && ctl.gifts.active
                    text: {
                        switch (modelData) {
                        case "btnZengSong": return Lang.text("赠送")
                        case "btnTableOp": return ctl.isCusMode ? Lang.text("查账单") : Lang.text("餐台操作")
                        case "btnTable": return ctl.tableTitle
                        case "btnTempFood": return Lang.text("临时菜")
                        case "btnGuaDan": return ctl.guaDanTitle
                        case "btnSwitchState": return Lang.text("落单状态")
                        default: return Lang.text("菜品查询")
                        }
                    }
                    onClicked: {
                        switch (modelData) {
                        case "btnZengSong": ctl.gifts.toggle(); break
                        case "btnTableOp": ctl.isCusMode ? ctl.checkBill() : ctl.showTableOp(); break
                        case "btnTable": ctl.showTables(); break
                        case "btnTempFood": ctl.showTempFood(); break
                        case "btnGuaDan": ctl.guaDan(); break
                        case "btnSwitchState": ctl.switchState(); break
                        default: ctl.showSearch()
                        }
                    }
                }
            }
        }
        RowLayout {
            objectName: "headings"
            Layout.fillWidth: true
            Layout.leftMargin: 8
            Layout.rightMargin: 8
            spacing: 6
            Repeater {
                model: [["菜品", 200], ["类别", 80], ["数量", 188], ["单价", 90], ["状态", 64], ["做法", -1]]
                delegate: Label {
                    required property var modelData
                    Layout.preferredWidth: modelData[1]
                    Layout.fillWidth: modelData[1] < 0
                    text: Lang.text(modelData[0])
                    color: Theme.mutedText
                    font.pixelSize: Theme.fontSmall
                }
            }
            Label {
                objectName: "giftHeading"
                visible: ctl.gifts.active
                Layout.preferredWidth: 72
                text: Lang.text("赠送")
                color: Theme.mutedText
                font.pixelSize: Theme.fontSmall
            }
            Item { Layout.preferredWidth: 44 }
        }
        ListView {
            id: list
            objectName: "orderList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: ctl.rows
            delegate: OrderListCell {
                width: ListView.view.width
                controller: ctl
            }
        }
        RowLayout {
            objectName: "footer"
            Layout.fillWidth: true
            Layout.margins: 8
            spacing: 8
            TapButton {
                objectName: "btnRemark"
                text: Lang.text("整单备注")
                onClicked: ctl.orderRemark()
            }
            Label {
                objectName: "remark"
                Layout.fillWidth: true
                text: ctl.remarkText
                elide: Text.ElideRight
                color: Theme.text
                font.pixelSize: Theme.fontSmall
            }
            Label {
                text: Lang.text("数量合计：") + ctl.quantityText
                color: Theme.text
                font.pixelSize: Theme.fontNormal
            }
            Label {
                objectName: "amountTotal"
                visible: ctl.showAmount
                text: Lang.text("金额合计：") + ctl.amountText
                color: Theme.accent
                font.pixelSize: Theme.fontNormal
            }
            TapButton {
                objectName: "btnRemoveAll"
                text: Lang.text("清空")
                onClicked: ctl.removeAll()
            }
            TapButton {
                objectName: "btnSend"
                highlighted: true
                text: Lang.text("下单")
                onClicked: ctl.sendFlow.start()
            }
        }
    }
}
