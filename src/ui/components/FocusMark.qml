import QtQuick
import Diancai.Ui

// The frame around the control that has the keyboard focus, drawn just outside it so that it never
// hides the control's own face.
Rectangle {
    anchors.fill: parent
    anchors.margins: -4
    radius: parent.radius !== undefined ? parent.radius + 4 : 4
    color: Theme.noFill
    border.width: 3
    border.color: Theme.focus
    z: 100
}
