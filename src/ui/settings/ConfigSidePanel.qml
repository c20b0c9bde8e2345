import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The right side of the settings page: the four typed fields, the music list, save and help, and
// the two data buttons.
ColumnLayout {
    id: panel
    required property ConfigViewController config

    spacing: 8

    Repeater {
        model: panel.config.fieldLabels

        RowLayout {
            id: fieldRow
            required property int index
            required property string modelData
            Layout.fillWidth: true

            Label {
                Layout.preferredWidth: 130
                text: fieldRow.modelData
                elide: Text.ElideRight
                color: Theme.text
                font.pixelSize: Theme.fontSmall
            }
            KeypadField {
                objectName: "configField_" + fieldRow.index
                Layout.fillWidth: true
                implicitHeight: 44
                text: panel.config.fields.texts[fieldRow.index] ?? ""
                editing: panel.config.fields.editingIndex === fieldRow.index
                onTapped: panel.config.fields.beginEditing(fieldRow.index)
            }
        }
    }
    Label {
        text: panel.config.musicLabel
        color: Theme.text
        font.pixelSize: Theme.fontSmall
    }
    ListView {
        objectName: "musicList"
        Layout.fillWidth: true
        Layout.fillHeight: true
        clip: true
        model: panel.config.arrMusic
        delegate: Rectangle {
            id: musicRow
            required property int index
            required property string modelData
            objectName: "music_" + index
            width: ListView.view.width
            height: 44
            color: index === panel.config.selectedMusic ? Theme.selected : Theme.background
            border.width: musicArea.activeFocus ? 3 : 0
            border.color: Theme.focus

            Label {
                anchors.fill: parent
                anchors.leftMargin: 10
                text: musicRow.modelData
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideMiddle
                color: Theme.text
                font.pixelSize: Theme.fontSmall
            }
            MouseArea {
                id: musicArea
                anchors.fill: parent
                onClicked: panel.config.selectMusic(musicRow.index)
                Accessible.role: Accessible.Button
                Accessible.name: musicRow.modelData
                Accessible.onPressAction: panel.config.selectMusic(musicRow.index)
                Accessible.checkable: true
                Accessible.checked: musicRow.index === panel.config.selectedMusic
                activeFocusOnTab: true
            }
        }
    }
    GridLayout {
        Layout.fillWidth: true
        columns: 2
        columnSpacing: 8
        rowSpacing: 8

        ActionButton {
            objectName: "saveButton"
            Layout.fillWidth: true
            highlighted: true
            text: panel.config.saveText
            onClicked: panel.config.save()
        }
        ActionButton {
            objectName: "helpButton"
            Layout.fillWidth: true
            text: panel.config.helpText
            onClicked: panel.config.showHelp()
        }
        ActionButton {
            objectName: "updateDataButton"
            Layout.fillWidth: true
            text: panel.config.updateText
            font.pixelSize: Theme.fontSmall
            onClicked: panel.config.updateData()
        }
        ActionButton {
            objectName: "deleteDataButton"
            Layout.fillWidth: true
            text: panel.config.deleteText
            font.pixelSize: Theme.fontSmall
            onClicked: panel.config.deleteData()
        }
    }
}
