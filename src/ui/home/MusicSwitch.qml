import QtQuick
import Diancai.Ui

// The background-music switch with its label: a note over a knob that sits right when the music
// is on. Drawn by hand: the style's switch casts shadows the software renderer cannot draw.
Row {
    id: control
    property bool on: false
    property string label
    signal toggled

    spacing: 10

    Rectangle {
        objectName: "musicSwitchTrack"
        width: 72
        height: 40
        radius: height / 2
        color: control.on ? Theme.primary : "#99000000"
        border.width: 2
        border.color: "white"

        Rectangle {
            width: 32
            height: 32
            radius: 16
            y: 4
            x: control.on ? parent.width - width - 4 : 4
            color: "white"
            Behavior on x {
                NumberAnimation {
                    duration: 120
                }
            }
            Text {
                anchors.centerIn: parent
                text: "\u266A"
                color: control.on ? Theme.primary : Theme.mutedText
                font.pixelSize: Theme.fontSmall
            }
        }
        MouseArea {
            anchors.fill: parent
            onClicked: control.toggled()
        }
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: control.label
        color: "white"
        font.pixelSize: Theme.fontNormal
        style: Text.Outline
        styleColor: "#80000000"
    }
}
