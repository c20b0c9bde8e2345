import QtQuick
import QtQuick.Controls
import Diancai.Ui

// Stands in for a screen that is not built yet: its title and the way back home.
ScreenPage {
    id: screen
    objectName: "placeholderScreen"
    // The Chinese title, shown through the string table.
    property string titleKey
    controller: MenuViewController {}

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    Label {
        objectName: "placeholderTitle"
        anchors.centerIn: parent
        text: Lang.text(screen.titleKey)
        color: Theme.text
        font.pixelSize: Theme.fontTitle
    }
    ActionButton {
        objectName: "backHome"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: 16
        text: Lang.text("回主界面")
        font.pixelSize: Theme.fontNormal
        onClicked: Navigator.popToRoot()
    }
}
