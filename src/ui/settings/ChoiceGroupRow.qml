import QtQuick
import QtQuick.Controls
import Diancai.Ui

// One option group of the settings page: its title, its choices (the chosen one highlighted) and,
// while its first choice is chosen, its extra input.
Rectangle {
    id: row
    required property ConfigViewController config
    required property int index
    required property string title
    required property var choices
    required property int selected
    required property int input
    required property bool inputVisible
    // The field of `config.fields` that the input edits.
    readonly property int field: input === ChoiceGroupModel.IntervalInput ? ConfigViewController.IntervalField
                                                                          : ConfigViewController.TableField

    objectName: "choiceGroup_" + index
    height: 52
    radius: 6
    color: Theme.background

    Label {
        id: titleLabel
        anchors.left: parent.left
        anchors.leftMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 150
        text: row.title
        elide: Text.ElideRight
        color: Theme.text
        font.pixelSize: Theme.fontSmall
    }
    Row {
        id: choiceRow
        anchors.left: titleLabel.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6

        Repeater {
            model: row.choices

            ChoiceButton {
                required property int index
                required property string modelData
                objectName: "choice_" + row.index + "_" + index
                chosen: index === row.selected
                text: modelData
                onClicked: row.config.tapChoice(row.index, index)
            }
        }
    }
    KeypadField {
        objectName: "groupInput_" + row.index
        anchors.left: choiceRow.right
        anchors.leftMargin: 8
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        implicitHeight: 44
        visible: row.inputVisible
        text: row.config.fields.texts[row.field] ?? ""
        placeholder: row.input === ChoiceGroupModel.IntervalInput ? row.config.intervalPlaceholder : ""
        editing: row.config.fields.editingIndex === row.field
        onTapped: row.config.fields.beginEditing(row.field)
    }
}
