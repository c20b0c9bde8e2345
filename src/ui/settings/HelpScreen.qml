import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The help screen: setting a terminal up, the access code and what each setting does.
ScreenPage {
    id: screen
    objectName: "helpScreen"
    controller: HelpViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    ActionButton {
        id: back
        objectName: "backButton"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: 16
        text: ctl.backText
        onClicked: ctl.goBack()
    }
    Label {
        objectName: "helpTitle"
        anchors.verticalCenter: back.verticalCenter
        anchors.horizontalCenter: parent.horizontalCenter
        text: ctl.title
        color: Theme.text
        font.pixelSize: Theme.fontLarge
        font.bold: true
    }
    Flickable {
        anchors.top: back.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 24
        contentHeight: sections.implicitHeight
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: sections
            width: parent.width
            spacing: 18

            Repeater {
                model: ctl.sections

                Column {
                    id: section
                    required property int index
                    required property var modelData
                    objectName: "helpSection_" + index
                    width: sections.width
                    spacing: 6

                    Label {
                        text: section.modelData.title
                        color: Theme.primary
                        font.pixelSize: Theme.fontNormal
                        font.bold: true
                    }
                    Label {
                        objectName: "helpBody"
                        width: section.width
                        text: section.modelData.body
                        wrapMode: Text.Wrap
                        color: Theme.text
                        font.pixelSize: Theme.fontSmall
                        lineHeight: 1.3
                    }
                }
            }
        }
    }
}
