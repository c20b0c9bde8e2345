import QtQuick
import Diancai.Ui

// The base of every full screen: the black status strip at the top, the screen's content below it,
// and the end of text editing when a keypad's close key is pressed. While orders wait in the outbox
// the strip grows to hold "待发送 N", which opens their list. Each screen gives its own
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
        height: outbox.active ? outbox.height + 8 : page.controller.statusBarHeight
        color: Theme.statusStrip

        // Made only while orders wait: most screens never show it.
        Loader {
            id: outbox
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            active: OutboxBadge.count > 0
            sourceComponent: TapButton {
                objectName: "outboxBadge"
                implicitHeight: 44
                highlighted: true
                text: Lang.text("待发送 %1").arg(OutboxBadge.count)
                onClicked: OutboxBadge.openList()
            }
        }
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
