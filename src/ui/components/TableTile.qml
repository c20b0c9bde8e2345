import QtQuick
import QtQuick.Controls
import Diancai.Ui

// One table tile: the number label (or guests and amount when in use), the name, the second label
// and the in-use mark; a tap reports tapped().
Rectangle {
    id: tile
    required property string number
    required property string name
    required property string second
    required property bool inUse
    required property bool selected
    signal tapped()
    // Read as "A01 大厅1号" with its state: free, or its guests and amount (then in the number
    // label, the table's number in the second one).
    Accessible.role: Accessible.Button
    Accessible.name: (inUse ? [second, name, number] : [number, name, second, Lang.text("空闲")])
                     .filter(t => t !== "").join(" ")
    Accessible.checkable: true
    Accessible.checked: selected
    Accessible.onPressAction: tapped()
    activeFocusOnTab: true

    width: 105
    height: 105
    radius: 8
    color: inUse ? Theme.accent : Theme.surfaceRaised
    // The keyboard's focus shows on the tile's own border: a grid of tiles needs no extra items.
    border.width: selected || activeFocus ? 3 : 1
    border.color: activeFocus ? Theme.focus : selected ? Theme.text : Theme.mutedText

    Column {
        anchors.centerIn: parent
        width: parent.width - 8
        spacing: 4
        Label {
            objectName: "tableNumber"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: tile.number
            elide: Text.ElideRight
            color: Theme.text
            font.pixelSize: Theme.fontSmall
        }
        Label {
            objectName: "tableName"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: tile.name
            elide: Text.ElideRight
            color: Theme.text
            font.pixelSize: Theme.fontNormal
        }
        Label {
            objectName: "tableSecond"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: tile.second
            visible: text.length > 0
            color: Theme.text
            font.pixelSize: Theme.fontSmall
        }
    }
    Rectangle {
        objectName: "inUseMark"
        visible: tile.inUse
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.margins: 6
        width: 14
        height: 14
        radius: 7
        color: Theme.tableInUse
    }
    MouseArea {
        anchors.fill: parent
        onClicked: tile.tapped()
    }
}
