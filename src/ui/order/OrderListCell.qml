import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// One line of the order list: name with size, category, quantity with "−" and "+", tastes, the
// print-state badge, the price, the gift toggle (gift mode only) and the remove button. A set
// meal's component shows its values but none of the buttons that change it.
Rectangle {
    id: cell
    required property int index
    required property string name
    required property string category
    required property string quantity
    required property string taste
    required property string stateLabel
    required property string stateColor
    required property string price
    required property bool isComponent
    required property bool priceActive
    required property bool isGift
    required property bool giftVisible
    required property OrderListViewController controller
    // The buttons of a line are read with the dish they act on: "宫保鸡丁 数量 2.00".
    readonly property string plainName: name.replace(/<[^>]*>/g, "")

    objectName: "orderRow_" + index
    height: 60
    color: index % 2 ? Theme.surface : Theme.background

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 8
        anchors.rightMargin: 8
        spacing: 6
        Label {
            objectName: "name"
            Layout.preferredWidth: 200
            leftPadding: cell.isComponent ? 24 : 0
            text: cell.name
            textFormat: Text.StyledText
            elide: Text.ElideRight
            color: Theme.text
            font.pixelSize: Theme.fontNormal
        }
        Label {
            Layout.preferredWidth: 80
            text: cell.category
            elide: Text.ElideRight
            color: Theme.mutedText
            font.pixelSize: Theme.fontSmall
        }
        TapButton {
            objectName: "delButton"
            Accessible.name: cell.plainName + " −"
            implicitWidth: 44
            implicitHeight: 44
            text: "−"
            opacity: cell.isComponent ? 0 : 1
            enabled: !cell.isComponent
            onClicked: cell.controller.del(cell.index)
        }
        TapButton {
            objectName: "quantityButton"
            Accessible.name: cell.plainName + " " + Lang.text("数量") + " " + cell.quantity
            implicitWidth: 88
            implicitHeight: 44
            text: cell.quantity
            font.pixelSize: Theme.fontSmall
            onClicked: cell.controller.showSaleQtyChange(cell.index)
        }
        TapButton {
            objectName: "addButton"
            Accessible.name: cell.plainName + " +"
            implicitWidth: 44
            implicitHeight: 44
            text: "+"
            opacity: cell.isComponent ? 0 : 1
            enabled: !cell.isComponent
            onClicked: cell.controller.add(cell.index)
        }
        TapButton {
            objectName: "priceButton"
            Accessible.name: cell.plainName + " " + Lang.text("单价") + " " + cell.price
            implicitWidth: 90
            implicitHeight: 44
            text: cell.price
            highlighted: cell.priceActive
            onClicked: cell.controller.changeAmount(cell.index)
        }
        Rectangle {
            objectName: "stateBadge"
            Accessible.role: Accessible.Button
            Accessible.name: cell.plainName + " " + Lang.text("状态") + " " + cell.stateLabel
            Accessible.onPressAction: cell.controller.switchLineState(cell.index)
            activeFocusOnTab: true
            border.width: activeFocus ? 3 : 0
            border.color: Theme.focus
            implicitWidth: 64
            implicitHeight: 44
            radius: 6
            color: Theme.stateColour(cell.stateColor)
            Text {
                anchors.centerIn: parent
                text: cell.stateLabel
                color: Theme.primaryText
                font.pixelSize: Theme.fontSmall
            }
            MouseArea {
                anchors.fill: parent
                onClicked: cell.controller.switchLineState(cell.index)
            }
        }
        TapButton {
            objectName: "tasteButton"
            Accessible.name: cell.plainName + " " + Lang.text("做法") + (cell.taste !== "" ? " " + cell.taste : "")
            Layout.fillWidth: true
            implicitHeight: 44
            text: cell.taste
            font.pixelSize: Theme.fontSmall
            onClicked: cell.controller.showTaste(cell.index)
        }
        TapButton {
            objectName: "giftToggle"
            Accessible.name: cell.plainName + " " + Lang.text("赠送")
            Accessible.checkable: true
            Accessible.checked: cell.isGift
            visible: cell.giftVisible
            implicitWidth: 72
            implicitHeight: 44
            text: Lang.text("赠送")
            highlighted: cell.isGift
            onClicked: cell.controller.toggleGift(cell.index)
        }
        TapButton {
            objectName: "removeButton"
            Accessible.name: cell.plainName + " " + Lang.text("删除")
            implicitWidth: 44
            implicitHeight: 44
            text: "×"
            opacity: cell.isComponent ? 0 : 1
            enabled: !cell.isComponent
            onClicked: cell.controller.remove(cell.index)
        }
    }
}
