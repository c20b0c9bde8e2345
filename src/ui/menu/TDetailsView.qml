import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The set-meal details: components and the selected one's alternatives side by side, the number of
// sets with "−" / "+", the price, "换 菜", "取消" and "确定".
PopCard {
    id: view
    required property TDetailsViewController controller

    title: controller.title
    implicitWidth: 900
    implicitHeight: 600

    ColumnLayout {
        anchors.fill: parent
        spacing: 12

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12

            SetMealRowsView {
                objectName: "componentRows"
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                Layout.fillHeight: true
                rows: view.controller.components
                onRowTapped: index => view.controller.selectComponent(index)
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.preferredWidth: 1
                Layout.fillHeight: true
                Label {
                    text: Lang.text("可换菜品")
                    color: Theme.mutedText
                    font.pixelSize: Theme.fontSmall
                }
                SetMealRowsView {
                    objectName: "alternativeRows"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    rows: view.controller.alternatives
                    onRowTapped: index => view.controller.selectAlternative(index)
                }
            }
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 12

            Label {
                text: Lang.text("单价")
                color: Theme.mutedText
                font.pixelSize: Theme.fontNormal
            }
            Label {
                objectName: "setPrice"
                text: view.controller.priceText
                color: Theme.primary
                font.pixelSize: Theme.fontNormal
            }
            Item { Layout.fillWidth: true }
            Label {
                text: Lang.text("数量")
                color: Theme.mutedText
                font.pixelSize: Theme.fontNormal
            }
            ActionButton {
                objectName: "delButton"
                implicitWidth: 56
                text: "−"
                Accessible.name: view.title + " −"
                onClicked: view.controller.del()
            }
            Label {
                objectName: "setQty"
                text: view.controller.qtyText
                color: Theme.text
                font.pixelSize: Theme.fontNormal
            }
            ActionButton {
                objectName: "addButton"
                implicitWidth: 56
                text: "+"
                Accessible.name: view.title + " +"
                onClicked: view.controller.add()
            }
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 12
            ActionButton {
                objectName: "changeButton"
                Layout.fillWidth: true
                text: Lang.text("换 菜")
                onClicked: view.controller.change()
            }
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
