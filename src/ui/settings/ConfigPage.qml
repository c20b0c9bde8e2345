import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The settings page: the lock panel until the access code is typed, then the option groups on the
// left and the fields, the music list and the buttons on the right, with the keypad of the field
// being edited over the lower part.
Rectangle {
    id: page
    objectName: "configPage"
    required property ConfigViewController config

    radius: Theme.radius
    color: Theme.surface
    onVisibleChanged: page.config.setShown(visible)
    Component.onCompleted: page.config.setShown(visible)

    LockPanel {
        anchors.fill: parent
        visible: page.config.locked
        config: page.config
    }
    Item {
        objectName: "configContent"
        anchors.fill: parent
        anchors.margins: 12
        visible: !page.config.locked

        ListView {
            id: groupList
            objectName: "choiceGroups"
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.bottom: parent.bottom
            width: parent.width * 0.62
            spacing: 4
            clip: true
            model: page.config.groups
            delegate: ChoiceGroupRow {
                width: groupList.width
                config: page.config
            }
        }
        ConfigSidePanel {
            anchors.top: parent.top
            anchors.left: groupList.right
            anchors.leftMargin: 12
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            config: page.config
        }
        Rectangle {
            // The letters (the bound table, the last group) open at the top, the digits beside
            // the fields they feed.
            objectName: "configKeypad"
            anchors.right: parent.right
            y: page.config.fields.lettersActive ? 0 : parent.height - height
            width: keypad.width + 24
            height: keypad.height + 24
            radius: Theme.radius
            color: Theme.surfaceRaised
            visible: page.config.fields.editingIndex >= 0

            Loader {
                id: keypad
                anchors.centerIn: parent
                sourceComponent: page.config.fields.lettersActive ? letters : digits
            }
            Component {
                id: digits
                NumberKeypad {
                    keyboard: page.config.fields.activeKeyboard
                }
            }
            Component {
                id: letters
                LetterKeypad {
                    keyboard: page.config.fields.activeKeyboard
                }
            }
        }
    }
}
