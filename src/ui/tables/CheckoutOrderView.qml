import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The bill: the headings, one row per sale line with its amount, the total, "关 闭" and "打印账单".
PopCard {
    id: view
    objectName: "checkoutOrderView"
    required property CheckoutOrderViewController controller
    readonly property var columnWidths: [0.18, 0.34, 0.14, 0.16, 0.18]

    title: controller.title
    implicitWidth: 760
    implicitHeight: 600

    ColumnLayout {
        anchors.fill: parent
        spacing: 8

        Row {
            id: heading
            Layout.fillWidth: true
            height: 40

            Repeater {
                model: view.controller.headings

                Label {
                    required property int index
                    required property string modelData
                    width: heading.width * view.columnWidths[index]
                    height: heading.height
                    text: modelData
                    verticalAlignment: Text.AlignVCenter
                    color: Theme.primary
                    font.pixelSize: Theme.fontNormal
                    font.bold: true
                }
            }
        }
        ListView {
            objectName: "billList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: view.controller.lines
            delegate: Rectangle {
                id: line
                required property int index
                required property string pluno
                required property string pluName
                required property string saleQty
                required property string salePrice
                required property string amount
                objectName: "billLine_" + index
                width: ListView.view.width
                height: 40
                color: index % 2 === 0 ? Theme.background : Theme.surface

                Row {
                    anchors.fill: parent

                    Repeater {
                        model: [line.pluno, line.pluName, line.saleQty, line.salePrice, line.amount]

                        Label {
                            required property int index
                            required property string modelData
                            width: line.width * view.columnWidths[index]
                            height: line.height
                            text: modelData
                            verticalAlignment: Text.AlignVCenter
                            elide: Text.ElideRight
                            color: Theme.text
                            font.pixelSize: Theme.fontNormal
                        }
                    }
                }
            }
        }
        Label {
            objectName: "billTotal"
            Layout.alignment: Qt.AlignRight
            text: view.controller.totalText
            color: Theme.text
            font.pixelSize: Theme.fontLarge
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 16

            ActionButton {
                objectName: "closeButton"
                Layout.fillWidth: true
                text: view.controller.closeText
                onClicked: view.controller.close()
            }
            ActionButton {
                objectName: "printButton"
                Layout.fillWidth: true
                highlighted: true
                text: view.controller.printText
                onClicked: view.controller.print()
            }
        }
    }
}
