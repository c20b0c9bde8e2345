import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The dish-operation dialog: the entries on the left (the quantity entry holds its own field), on
// the right the search field, the column titles and the candidates; below, the keypad of the field
// being edited, "取消" and "确定".
PopCard {
    id: view
    objectName: "styleTableView"
    required property StyleTableViewController controller
    readonly property KeypadFields fields: controller.fields

    title: controller.title
    implicitWidth: 980
    implicitHeight: 720

    ColumnLayout {
        anchors.fill: parent
        spacing: 8

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12

            ListView {
                objectName: "entryList"
                Layout.preferredWidth: 300
                Layout.fillHeight: true
                clip: true
                spacing: 6
                model: view.controller.entries
                delegate: Rectangle {
                    id: entry
                    required property int index
                    required property string name
                    required property string value
                    required property bool editable
                    required property bool checked
                    objectName: "entry_" + index
                    width: ListView.view.width
                    height: 60
                    radius: 8
                    color: checked ? Theme.selected : Theme.surfaceRaised
                    border.width: entryTap.activeFocus ? 3 : checked ? 2 : 0
                    border.color: entryTap.activeFocus ? Theme.focus : Theme.accent

                    // The whole entry chooses it; an entry with a field, its name's part.
                    MouseArea {
                        id: entryTap
                        objectName: "entryTap"
                        anchors.top: parent.top
                        anchors.bottom: parent.bottom
                        anchors.left: parent.left
                        width: entry.editable ? nameLabel.width + 16 : parent.width
                        onClicked: view.controller.selectEntry(entry.index)
                        Accessible.role: Accessible.Button
                        Accessible.name: entry.name
                        Accessible.onPressAction: view.controller.selectEntry(entry.index)
                        Accessible.checkable: true
                        Accessible.checked: entry.checked
                        activeFocusOnTab: true
                    }
                    RowLayout {
                        anchors.fill: parent
                        anchors.leftMargin: 10
                        anchors.rightMargin: 10
                        anchors.topMargin: 6
                        anchors.bottomMargin: 6
                        Label {
                            id: nameLabel
                            Layout.preferredWidth: 110
                            text: entry.name
                            color: Theme.text
                            font.pixelSize: Theme.fontNormal
                        }
                        Label {
                            objectName: "entryValue"
                            visible: !entry.editable
                            Layout.fillWidth: true
                            text: entry.value
                            elide: Text.ElideRight
                            color: Theme.accent
                            font.pixelSize: Theme.fontNormal
                        }
                        KeypadField {
                            objectName: "amountField"
                            visible: entry.editable
                            Layout.fillWidth: true
                            Layout.fillHeight: true
                            text: view.fields.texts[StyleTableViewController.AmountField]
                            editing: view.fields.editingIndex === StyleTableViewController.AmountField
                            typeable: true
                            onTapped: view.fields.beginEditing(StyleTableViewController.AmountField)
                            onEdited: text => view.controller.typeText(StyleTableViewController.AmountField, text)
                        }
                    }
                }
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                spacing: 6

                KeypadField {
                    objectName: "searchField"
                    Layout.fillWidth: true
                    text: view.fields.texts[StyleTableViewController.SearchField]
                    placeholder: Lang.text("搜索")
                    editing: view.fields.editingIndex === StyleTableViewController.SearchField
                    typeable: true
                    onTapped: view.fields.beginEditing(StyleTableViewController.SearchField)
                    onEdited: text => view.controller.typeText(StyleTableViewController.SearchField, text)
                }
                Row {
                    id: heading
                    Layout.fillWidth: true
                    height: 36
                    Repeater {
                        model: view.controller.columnTitles
                        Label {
                            required property string modelData
                            width: heading.width / Math.max(1, view.controller.columnTitles.length)
                            height: heading.height
                            text: modelData
                            verticalAlignment: Text.AlignVCenter
                            color: Theme.primary
                            font.pixelSize: Theme.fontNormal
                            font.bold: true
                        }
                    }
                }
                ListView {
                    objectName: "candidateList"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    clip: true
                    model: view.controller.candidates
                    delegate: Rectangle {
                        id: candidate
                        required property int index
                        required property var cells
                        required property bool picked
                        objectName: "candidate_" + index
                        // Read as its cells in a row, checked while picked.
                        Accessible.role: Accessible.Button
                        Accessible.name: candidate.cells.join(" ")
                        Accessible.checkable: true
                        Accessible.checked: picked
                        Accessible.onPressAction: view.controller.pickCandidate(candidate.index)
                        activeFocusOnTab: true
                        width: ListView.view.width
                        height: 44
                        color: picked ? Theme.selected : (index % 2 === 0 ? Theme.background : Theme.surface)
                        border.width: activeFocus ? 3 : 0
                        border.color: Theme.focus
                        Row {
                            anchors.fill: parent
                            Repeater {
                                model: candidate.cells
                                Label {
                                    required property string modelData
                                    width: candidate.width / Math.max(1, candidate.cells.length)
                                    height: candidate.height
                                    text: modelData
                                    verticalAlignment: Text.AlignVCenter
                                    elide: Text.ElideRight
                                    color: Theme.text
                                    font.pixelSize: Theme.fontNormal
                                }
                            }
                        }
                        TapHandler {
                            onTapped: view.controller.pickCandidate(candidate.index)
                        }
                    }
                }
            }
        }
        LetterKeypad {
            objectName: "letterKeypad"
            Layout.alignment: Qt.AlignHCenter
            visible: view.fields.editingIndex === StyleTableViewController.SearchField
            keyboard: view.fields.activeKeyboard
        }
        NumberKeypad {
            objectName: "numberKeypad"
            Layout.alignment: Qt.AlignHCenter
            visible: view.fields.editingIndex === StyleTableViewController.AmountField
            keyboard: view.fields.activeKeyboard
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 16
            ActionButton {
                objectName: "cancelButton"
                Layout.fillWidth: true
                text: view.controller.cancelText
                onClicked: view.controller.cancel()
            }
            ActionButton {
                objectName: "confirmButton"
                Layout.fillWidth: true
                highlighted: true
                text: view.controller.confirmText
                onClicked: view.controller.confirm()
            }
        }
    }
}
