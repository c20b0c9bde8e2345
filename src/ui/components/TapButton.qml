import QtQuick
import Diancai.Ui

// A flat button drawn from plain QtQuick items, in the look of ActionButton: the home screen and
// its login bar use it, so that the first frame needs none of the controls style.
Rectangle {
    id: control
    property string text
    property bool highlighted: false
    property alias font: label.font
    readonly property bool down: area.pressed
    readonly property color face: highlighted ? Theme.primary : Theme.surfaceRaised
    signal clicked

    // Read by screen readers and operated from a keyboard: Tab reaches it, Enter or Space taps it
    // (through its press action, see KeyTaps).
    Accessible.role: Accessible.Button
    // "挂 单" is spaced for the eye only: it reads "挂单".
    Accessible.name: text.replace(/([\u4e00-\u9fff]) (?=[\u4e00-\u9fff])/g, "$1")
    Accessible.onPressAction: clicked()
    activeFocusOnTab: true

    implicitHeight: 56
    implicitWidth: Math.max(120, label.implicitWidth + 32)
    radius: 8
    color: down ? Qt.darker(face, 1.2) : face
    opacity: enabled ? 1 : 0.5
    // The keyboard's focus shows on the button's own border: a list of buttons needs no extra items.
    border.width: activeFocus ? 3 : highlighted ? 0 : 1
    border.color: activeFocus ? Theme.focus : Theme.keyPressed

    Text {
        id: label
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        text: control.text
        color: control.highlighted ? Theme.primaryText : Theme.text
        font.pixelSize: Theme.fontNormal
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: control.clicked()
    }
}
