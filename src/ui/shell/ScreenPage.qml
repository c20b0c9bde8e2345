import QtQuick
import Diancai.Ui

// The base of every full screen: the black status strip at the top, the screen's content below it,
// and the end of text editing when a keypad's close key is pressed. Each screen gives its own
// controller, which QML destroys with the screen.
Item {
    id: page
    required property MenuViewController controller
    default property alias content: body.data

    Rectangle {
        id: strip
        objectName: "statusStrip"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: page.controller.statusBarHeight
        color: Theme.statusStrip
    }
    Item {
        id: body
        objectName: "screenBody"
        anchors.top: strip.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }
    Item {
        // Takes the keyboard focus from whichever field has it.
        id: focusSink
    }
    Connections {
        target: page.controller
        function onEndEditingRequested() {
            focusSink.forceActiveFocus()
        }
    }
}
