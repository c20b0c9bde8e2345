import QtQuick
import Diancai.Ui

// One pop-up on screen: a black 0.4 dimming over everything below it, and the pop-up's view, which
// slides down from above the top edge to paddingTop in 0.2 s and back up in 0.3 s when it closes.
// Only the pop-up on top of the stack takes input, and only it is in a reader's reach.
CoverableArea {
    id: frame
    objectName: "popFrame"
    anchors.fill: parent

    required property QtObject popup
    required property url view
    required property int paddingTop
    required property PopStage stage
    property bool closing: false
    readonly property bool active: !closing && stage.activePopup === popup

    enabled: active
    covered: !active || NoticeBoard.dialogVisible
    // Destroyed without a dismissal: nothing left to show.
    onPopupChanged: if (!popup) {
        card.active = false
        frame.destroy()
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.scrim
        opacity: Theme.dimOpacity
    }
    MouseArea {
        // The screen below takes no taps while a pop-up is open.
        anchors.fill: parent
    }
    Loader {
        id: card
        objectName: "popCard"
        anchors.horizontalCenter: parent.horizontalCenter
        // Placed by the slides only, no binding on y: the animations keep bindings, and one on the
        // height would throw a card that grows after it came down back above the screen.
        onLoaded: slideIn.start()
    }
    NumberAnimation {
        id: slideIn
        target: card
        property: "y"
        from: -card.height
        to: frame.paddingTop
        duration: 200
        easing.type: Easing.OutCubic
    }
    NumberAnimation {
        id: slideOut
        target: card
        property: "y"
        to: -card.height
        duration: 300
        easing.type: Easing.InCubic
        onFinished: {
            // The view goes before its controller does.
            card.active = false
            frame.destroy()
            frame.stage.dismissFinished(frame.popup)
        }
    }
    Connections {
        target: frame.stage
        function onDismissRequested(popup: QtObject) {
            if (popup !== frame.popup)
                return
            frame.closing = true
            slideIn.stop()
            slideOut.start()
        }
    }
    Component.onCompleted: card.setSource(view, {
        "controller": popup
    })
}
