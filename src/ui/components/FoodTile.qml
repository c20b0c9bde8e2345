import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The face of one tile of a tile grid: its caption and second line; the tile tapped last is framed.
Rectangle {
    id: tile
    property string title
    property string detail
    property bool selected
    property color faceColor: Theme.surfaceRaised
    signal tapped
    Accessible.role: Accessible.Button
    Accessible.name: detail !== "" ? title + " " + detail : title
    Accessible.checkable: true
    Accessible.checked: selected
    Accessible.onPressAction: tapped()
    activeFocusOnTab: true

    radius: 8
    color: area.pressed ? Theme.keyPressed : faceColor
    border.width: selected ? 3 : 1
    border.color: selected ? Theme.accent : Theme.keyPressed

    Column {
        anchors.centerIn: parent
        width: parent.width - 12
        spacing: 4

        Label {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            maximumLineCount: 3
            elide: Text.ElideRight
            text: tile.title
            color: Theme.text
            font.pixelSize: Theme.fontNormal
        }
        Label {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            visible: text !== ""
            elide: Text.ElideRight
            text: tile.detail
            color: Theme.mutedText
            font.pixelSize: Theme.fontSmall
        }
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: tile.tapped()
    }
    FocusMark {
        visible: tile.activeFocus
    }
}
