import QtQuick
import Diancai.Ui

// A choice of an option group: as wide as its text, filled with the primary colour when chosen.
Rectangle {
    id: button
    property string text
    property bool chosen: false
    signal clicked
    Accessible.role: Accessible.RadioButton
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: chosen
    Accessible.onPressAction: clicked()
    activeFocusOnTab: true

    implicitWidth: Math.max(56, label.implicitWidth + 20)
    implicitHeight: 44
    radius: 6
    color: chosen ? Theme.primary : (area.pressed ? Theme.keyPressed : Theme.surfaceRaised)

    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        color: button.chosen ? Theme.primaryText : Theme.text
        font.pixelSize: Theme.fontSmall
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
    FocusMark {
        visible: button.activeFocus
    }
}
