import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The big-picture screen: the dish's full picture with a panel of its name, price, ordered amount
// and description. A swipe steps to the next or previous dish, which slides in; a single tap shows
// or hides the panel, a double tap returns to the menu. By keyboard the picture takes Tab, Left and
// Right step as swipes do, Enter or Space toggles the panel.
ScreenPage {
    id: screen
    objectName: "menuDetailScreen"
    required property QtObject menu
    required property string foodno
    controller: MenuDetailViewController {
        id: ctl
        menu: screen.menu
        foodno: screen.foodno
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.pictureBackdrop
    }
    Image {
        id: picture
        objectName: "detailPicture"
        width: parent.width
        height: parent.height
        source: ctl.picture
        asynchronous: true
        fillMode: Image.PreserveAspectFit
        sourceSize.width: width
        sourceSize.height: height
    }
    NumberAnimation {
        id: slideIn
        target: picture
        property: "x"
        to: 0
        duration: 250
        easing.type: Easing.OutCubic
    }
    Connections {
        target: ctl
        function onSlide(direction: int) {
            slideIn.from = direction * screen.width
            slideIn.restart()
        }
    }
    MouseArea {
        // Press and release tell the gestures apart: a swipe steps, a tap that did not move toggles
        // the panel once no second tap follows, two taps return. A tap on the panel is not one.
        id: gestures
        objectName: "detailGestures"
        anchors.fill: parent
        activeFocusOnTab: true
        Keys.onLeftPressed: ctl.prevFood()
        Keys.onRightPressed: ctl.nextFood()
        // To a screen reader, the picture of the dish: pressed, it shows or hides the panel; its page
        // actions step through the dishes as swipes do.
        Accessible.role: Accessible.Button
        Accessible.name: ctl.name.replace(/<[^>]*>/g, "")
        Accessible.onPressAction: ctl.togglePanel()
        Accessible.onNextPageAction: ctl.nextFood()
        Accessible.onPreviousPageAction: ctl.prevFood()
        property point pressedAt
        property bool moved: false
        function movedTo(mouse) {
            const slop = Qt.styleHints.startDragDistance
            return moved || Math.abs(mouse.x - pressedAt.x) > slop || Math.abs(mouse.y - pressedAt.y) > slop
        }
        onPressed: mouse => {
            pressedAt = Qt.point(mouse.x, mouse.y)
            moved = false
        }
        onPositionChanged: mouse => moved = movedTo(mouse)
        onReleased: mouse => {
            if (movedTo(mouse)) {
                const dx = mouse.x - pressedAt.x
                if (dx < -60)
                    ctl.nextFood()
                else if (dx > 60)
                    ctl.prevFood()
            } else if (tapTimer.running) {
                tapTimer.stop()
                ctl.goBack()
            } else if (!panel.visible || !panel.contains(mapToItem(panel, mouse.x, mouse.y))) {
                tapTimer.start()
            }
        }
        Timer {
            id: tapTimer
            interval: 300
            onTriggered: ctl.togglePanel()
        }
        FocusMark {
            anchors.margins: 0 // inside the screen's edge
            visible: gestures.activeFocus
        }
    }
    Rectangle {
        id: panel
        objectName: "detailPanel"
        visible: ctl.panelVisible
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 180
        color: Theme.detailPanel

        Column {
            anchors.left: parent.left
            anchors.right: buttons.left
            anchors.top: parent.top
            anchors.margins: 16
            spacing: 8

            Text {
                objectName: "detailName"
                text: ctl.name
                textFormat: Text.StyledText
                color: Theme.textOnPicture
                font.pixelSize: Theme.fontLarge
            }
            Label {
                objectName: "detailPrice"
                text: ctl.price
                color: Theme.accent
                font.pixelSize: Theme.fontNormal
            }
            Label {
                objectName: "detailRemark"
                width: parent.width
                text: ctl.remark
                wrapMode: Text.Wrap
                maximumLineCount: 3
                elide: Text.ElideRight
                color: Theme.textOnPicture
                font.pixelSize: Theme.fontSmall
            }
        }
        Row {
            id: buttons
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            anchors.rightMargin: 16
            spacing: 12

            ActionButton {
                objectName: "detailRemove"
                implicitWidth: 64
                font.pixelSize: Theme.fontLarge
                text: "−"
                Accessible.name: ctl.name.replace(/<[^>]*>/g, "") + " −"
                onClicked: ctl.delFood()
            }
            Label {
                objectName: "detailAmount"
                anchors.verticalCenter: parent.verticalCenter
                width: 48
                horizontalAlignment: Text.AlignHCenter
                text: ctl.amount
                color: Theme.textOnPicture
                font.pixelSize: Theme.fontLarge
            }
            ActionButton {
                objectName: "detailAdd"
                implicitWidth: 64
                highlighted: true
                font.pixelSize: Theme.fontLarge
                text: "+"
                Accessible.name: ctl.name.replace(/<[^>]*>/g, "") + " +"
                onClicked: ctl.addFood()
            }
        }
    }
    ActionButton {
        objectName: "backButton"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: 16
        text: Lang.text("返回")
        onClicked: ctl.goBack()
    }
}
