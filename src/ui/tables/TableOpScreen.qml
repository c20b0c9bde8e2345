import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The table-operation screen: the login bar without its button, the back button and the board.
ScreenPage {
    id: screen
    objectName: "tableOpScreen"
    controller: TableOpViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    LoginBarView {
        id: bar
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        buttonVisible: false

        ActionButton {
            objectName: "backButton"
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            implicitHeight: 44
            text: ctl.backText
            onClicked: ctl.goBack()
        }
    }
    Loader {
        anchors.top: bar.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 12
        active: ctl.roomView !== null
        sourceComponent: RoomBoard {
            view: ctl.roomView
        }
    }
}
