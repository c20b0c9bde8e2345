import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The taste editor: the taste categories, the offered tastes and the chosen ones (3 to a row each,
// sharing the width), a typed taste with its surcharge (not in the whole-order form), "取消" and
// "确定".
PopCard {
    id: view
    required property TasteViewController controller

    title: controller.title
    implicitWidth: 900
    implicitHeight: 620

    ColumnLayout {
        anchors.fill: parent
        spacing: 8

        CategoryScrollView {
            objectName: "tasteCategories"
            Layout.fillWidth: true
            Layout.preferredHeight: 48
            categories: view.controller.picker.categories
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 8
            FoodInfoScrollView {
                objectName: "offeredTastes"
                Layout.fillWidth: true
                Layout.fillHeight: true
                tiles: view.controller.picker.offered
                columns: 3
                tileWidth: 105
                tileHeight: 105
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                Label {
                    text: Lang.text("做法修改")
                    color: Theme.mutedText
                    font.pixelSize: Theme.fontSmall
                }
                FoodInfoScrollView {
                    objectName: "chosenTastes"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    tiles: view.controller.picker.chosen
                    columns: 3
                    tileWidth: 105
                    tileHeight: 105
                }
            }
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            TextField {
                objectName: "manualTaste"
                Layout.fillWidth: true
                placeholderText: Lang.text("手工输入")
                Accessible.name: Lang.text("手工输入")
                text: view.controller.picker.manualText
                font.pixelSize: Theme.fontNormal
                onTextEdited: {
                    view.controller.picker.manualText = text
                    text = Qt.binding(() => view.controller.picker.manualText)
                }
            }
            Label {
                visible: !view.controller.packForm
                text: Lang.text("做法加价")
                color: Theme.mutedText
                font.pixelSize: Theme.fontSmall
            }
            TextField {
                objectName: "manualAmount"
                Accessible.name: Lang.text("做法加价")
                visible: !view.controller.packForm
                Layout.preferredWidth: 110
                text: view.controller.picker.amountText
                inputMethodHints: Qt.ImhFormattedNumbersOnly
                font.pixelSize: Theme.fontNormal
                onTextEdited: view.controller.picker.amountText = text
            }
            ActionButton {
                objectName: "addManualButton"
                text: Lang.text("添 加")
                onClicked: view.controller.picker.addManual()
            }
            ActionButton {
                objectName: "cancelButton"
                text: Lang.text("取消")
                onClicked: view.controller.cancel()
            }
            ActionButton {
                objectName: "confirmButton"
                highlighted: true
                text: Lang.text("确定")
                onClicked: view.controller.confirm()
            }
        }
    }
}
