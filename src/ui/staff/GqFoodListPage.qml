import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The sold-out page: dish number, name and quantity left, one row per dish of the server's list.
Rectangle {
    id: page
    required property GqFoodListView view
    readonly property var columnWidths: [0.25, 0.5, 0.25]

    radius: Theme.radius
    color: Theme.surface

    Row {
        id: heading
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: 12
        height: 48

        Repeater {
            model: page.view.headings

            Label {
                required property int index
                required property string modelData
                width: heading.width * page.columnWidths[index]
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
        objectName: "soldOutList"
        anchors.top: heading.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 12
        clip: true
        model: page.view.model
        delegate: Rectangle {
            id: row
            required property int index
            required property string foodno
            required property string foodName
            required property string leftQty

            objectName: "soldOut_" + index
            width: ListView.view.width
            height: 44
            color: index % 2 === 0 ? Theme.background : Theme.surface

            Row {
                anchors.fill: parent

                Repeater {
                    model: [row.foodno, row.foodName, row.leftQty]

                    Label {
                        required property int index
                        required property string modelData
                        width: row.width * page.columnWidths[index]
                        height: row.height
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
}
