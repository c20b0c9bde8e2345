import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The outbox list: per queued order its table, time queued, lines, amount, state and last error,
// with "立即重试" and "取消"; "关闭" below. Empty, it says so.
PopCard {
    id: view
    required property OutboxViewController controller
    // The text columns' shares of what the buttons leave of a row.
    readonly property var shares: [1, 1, 0.9, 1.2, 1.4, 2.6]
    readonly property int buttonsWidth: 238

    title: Lang.text("待发送订单")
    implicitWidth: 980
    implicitHeight: 560

    component Cells: RowLayout {
        id: cells
        required property var texts
        property color textColor: Theme.text
        spacing: 8
        Repeater {
            model: cells.texts
            Label {
                required property int index
                required property string modelData
                Layout.fillWidth: true
                Layout.preferredWidth: view.shares[index]
                text: modelData
                elide: Text.ElideRight
                color: cells.textColor
                font.pixelSize: Theme.fontSmall
            }
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 8

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            Cells {
                Layout.fillWidth: true
                texts: [Lang.text("桌号"), Lang.text("加入时间"), Lang.text("品项数"), Lang.text("金额"),
                    Lang.text("状态"), Lang.text("最近错误")]
                textColor: Theme.mutedText
            }
            Item {
                Layout.preferredWidth: view.buttonsWidth
            }
        }
        ListView {
            id: list
            objectName: "outboxRows"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            spacing: 4
            model: view.controller.rows
            delegate: RowLayout {
                id: row
                required property int index
                required property var modelData
                objectName: "outboxRow_" + index
                width: ListView.view.width
                height: 60
                spacing: 8

                Cells {
                    Layout.fillWidth: true
                    texts: [row.modelData.table, row.modelData.time, String(row.modelData.lines),
                        row.modelData.amount, row.modelData.state, row.modelData.error]
                }
                ActionButton {
                    objectName: "retryButton"
                    Layout.preferredWidth: 130
                    text: Lang.text("立即重试")
                    Accessible.name: row.modelData.table + " " + text
                    onClicked: view.controller.retry()
                }
                ActionButton {
                    objectName: "cancelOrderButton"
                    Layout.preferredWidth: 100
                    text: Lang.text("取消")
                    Accessible.name: row.modelData.table + " " + text
                    onClicked: view.controller.cancelOrder(row.modelData.flowNo, row.modelData.table)
                }
            }
            Label {
                objectName: "outboxEmpty"
                anchors.centerIn: parent
                visible: list.count === 0
                text: Lang.text("没有待发送订单")
                color: Theme.mutedText
                font.pixelSize: Theme.fontNormal
            }
        }
        ActionButton {
            objectName: "closeButton"
            Layout.alignment: Qt.AlignRight
            Layout.preferredWidth: 200
            highlighted: true
            text: Lang.text("关闭")
            onClicked: view.controller.close()
        }
    }
}
