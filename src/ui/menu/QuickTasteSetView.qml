import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The quick taste setter: the waiting lines on the left; for the selected one the taste categories,
// the offered tastes and the chosen ones (4 to a row each), and a typed taste with its surcharge.
// Changes apply at once; "关 闭" lets the lines join the order.
PopCard {
    id: view
    required property QuickTasteSetViewController controller

    title: Lang.text("请设置菜品做法")
    implicitWidth: 980
    implicitHeight: 620

    RowLayout {
        anchors.fill: parent
        spacing: 12

        ListView {
            objectName: "waitingLines"
            Layout.preferredWidth: 180
            Layout.fillHeight: true
            clip: true
            model: view.controller.lineNames
            delegate: ItemDelegate {
                required property int index
                required property string modelData
                objectName: "waitingLine_" + index
                width: ListView.view.width
                height: 56
                highlighted: index === view.controller.selectedLine
                text: modelData
                font.pixelSize: Theme.fontNormal
                onClicked: view.controller.selectLine(index)
                Accessible.name: modelData
                Accessible.checkable: true
                Accessible.checked: highlighted
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
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
                    columns: 4
                    tileWidth: 80
                    tileHeight: 80
                }
                Rectangle {
                    // Keeps the chosen tastes apart from the offered ones: both have 4 to a row.
                    Layout.preferredWidth: 1
                    Layout.fillHeight: true
                    color: Theme.keyPressed
                }
                FoodInfoScrollView {
                    objectName: "chosenTastes"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    tiles: view.controller.picker.chosen
                    columns: 4
                    tileWidth: 80
                    tileHeight: 80
                }
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                TextField {
                    id: manual
                    objectName: "manualTaste"
                    Accessible.name: Lang.text("手工输入")
                    Layout.fillWidth: true
                    placeholderText: Lang.text("手工输入")
                    text: view.controller.picker.manualText
                    font.pixelSize: Theme.fontNormal
                    focus: true
                    onTextEdited: {
                        view.controller.picker.manualText = text
                        text = Qt.binding(() => view.controller.picker.manualText)
                    }
                    Component.onCompleted: forceActiveFocus()
                }
                Label {
                    text: Lang.text("做法加价")
                    color: Theme.mutedText
                    font.pixelSize: Theme.fontSmall
                }
                TextField {
                    objectName: "manualAmount"
                    Accessible.name: Lang.text("做法加价")
                    Layout.preferredWidth: 110
                    text: view.controller.picker.amountText
                    inputMethodHints: Qt.ImhFormattedNumbersOnly
                    validator: RegularExpressionValidator { regularExpression: /[.0-9]*/ }
                    font.pixelSize: Theme.fontNormal
                    onTextEdited: view.controller.picker.amountText = text
                }
                ActionButton {
                    objectName: "addManualButton"
                    text: Lang.text("添 加")
                    onClicked: view.controller.picker.addManual()
                }
                ActionButton {
                    objectName: "closeButton"
                    highlighted: true
                    text: Lang.text("关 闭")
                    onClicked: view.controller.confirm()
                }
            }
        }
    }
}
