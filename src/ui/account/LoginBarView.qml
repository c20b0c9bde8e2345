import QtQuick
import Diancai.Ui

// The login bar across the top of a screen: one button with the login state, which opens the login
// or logout dialog.
Rectangle {
    id: bar
    objectName: "loginBar"
    property bool buttonVisible: true
    readonly property LoginBar controller: LoginBar {}

    implicitHeight: 56
    color: Theme.barOverPicture

    TapButton {
        objectName: "btnLogin"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        implicitHeight: 44
        visible: bar.buttonVisible
        text: bar.controller.title
        font.pixelSize: Theme.fontSmall
        onClicked: bar.controller.showLoginView()
    }
}
