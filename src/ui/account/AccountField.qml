import QtQuick
import QtQuick.Controls
import Diancai.Ui

// One field of the account form: its text (dots for a password) or its placeholder, outlined in the
// accent colour while it takes the keypad's keys. A tap starts editing it.
Rectangle {
    id: field
    property string text
    property string placeholder
    property bool secret: false
    property bool editing: false
    signal tapped

    implicitHeight: 56
    radius: 8
    color: Theme.background
    border.width: editing ? 3 : 1
    border.color: editing ? Theme.accent : Theme.mutedText

    Label {
        objectName: "fieldText"
        anchors.verticalCenter: parent.verticalCenter
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: 16
        text: field.text === "" ? field.placeholder : (field.secret ? "\u25CF".repeat(field.text.length) : field.text)
        color: field.text === "" ? Theme.mutedText : Theme.text
        elide: Text.ElideLeft
        font.pixelSize: Theme.fontNormal
    }
    MouseArea {
        anchors.fill: parent
        onClicked: field.tapped()
    }
}
