import QtQuick
import Diancai.Ui

// The background-music switch with its label: a note over a knob that sits right when the music
// is on; a tap on the switch or its label turns it. Drawn by hand: the style's switch casts shadows
// the software renderer cannot draw.
Item {
    id: control
    property bool on: false
    property string label
    signal toggled
    Accessible.role: Accessible.CheckBox
    Accessible.name: label
    Accessible.checkable: true
    Accessible.checked: on
    Accessible.onPressAction: toggled()
    Accessible.onToggleAction: toggled()
    activeFocusOnTab: true

    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight

    Row {
        id: row
        spacing: 10

        Rectangle {
            objectName: "musicSwitchTrack"
            width: 80
            height: 44
            radius: height / 2
            color: control.on ? Theme.primary : Theme.switchOff
            border.width: 2
            border.color: Theme.switchKnob

            Rectangle {
                width: 36
                height: 36
                radius: 18
                y: 4
                x: control.on ? parent.width - width - 4 : 4
                color: Theme.switchKnob
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
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: control.label
            color: Theme.textOnPicture
            font.pixelSize: Theme.fontNormal
            style: Text.Outline
            styleColor: Theme.softTextOutline
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: control.toggled()
    }
    FocusMark {
        visible: control.activeFocus
    }
}
