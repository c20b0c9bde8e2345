import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The table board: the room strip, the tables six to a row with their live states, and the
// operation buttons ("刷 新" first) in two rows below.
Rectangle {
    id: board
    objectName: "roomBoard"
    required property RoomView view

    radius: Theme.radius
    color: Theme.surface

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 10
        spacing: 8

        CategoryScrollView {
            objectName: "roomStrip"
            Layout.fillWidth: true
            Layout.preferredHeight: 48
            categories: board.view.rooms
        }
        GridView {
            id: grid
            objectName: "tableGrid"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            cellWidth: Math.floor(width / 6)
            cellHeight: 115
            model: board.view.tables
            delegate: Item {
                id: cell
                required property int index
                required property string tableNo
                required property string number
                required property string name
                required property string second
                required property bool inUse
                required property bool selected
                width: grid.cellWidth
                height: grid.cellHeight
                TableTile {
                    objectName: "table_" + cell.tableNo
                    anchors.centerIn: parent
                    number: cell.number
                    name: cell.name
                    second: cell.second
                    inUse: cell.inUse
                    selected: cell.selected
                    onTapped: board.view.tables.tap(cell.index)
                }
            }
        }
        GridLayout {
            Layout.fillWidth: true
            columns: 6
            rowSpacing: 6
            columnSpacing: 6

            Repeater {
                model: board.view.buttonTitles

                ActionButton {
                    required property int index
                    required property string modelData
                    objectName: "boardButton_" + index
                    Layout.fillWidth: true
                    implicitHeight: 48
                    implicitWidth: 100
                    highlighted: index === RoomView.Refresh
                    text: modelData
                    onClicked: board.view.tapButton(index)
                }
            }
        }
    }
}
