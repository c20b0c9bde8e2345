import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// A field fed by an on-screen keypad: its label (optional, inside the field), its text (dots for a
// secret) or its placeholder, outlined in the accent colour while it takes the keypad's keys. A tap
// anywhere on it, label, text or padding, starts editing it. A typeable field also takes a physical
// keyboard: the tap gives its text input the focus, and editing elsewhere takes the focus away, so
// that keys always land in the field being edited.
Rectangle {
    id: field
    property string label
    property string text
    property string placeholder
    property bool secret: false
    property bool editing: false
    property bool typeable: false
    property int fontSize: Theme.fontNormal
    signal tapped
    signal edited(string text)

    // Read as its label (or placeholder) and value. A secret one is read as the button that edits
    // it: the text interface of an editable text would read its characters out.
    Accessible.role: secret ? Accessible.Button : Accessible.EditableText
    Accessible.name: (label !== "" ? label : placeholder) + (secret || text === "" ? "" : " " + text)
    Accessible.onPressAction: tapped()
    activeFocusOnTab: true

    implicitHeight: 56
    implicitWidth: 160
    radius: 8
    color: Theme.background
    border.width: editing ? 3 : 1
    border.color: editing ? Theme.accent : Theme.mutedText

    onEditingChanged: {
        if (editing && typeable)
            input.forceActiveFocus()
        else if (!editing)
            input.focus = false
    }
    // A form opened with this field edited: the physical keyboard types here too.
    Component.onCompleted: if (editing && typeable) input.forceActiveFocus()

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        spacing: 12

        Label {
            visible: field.label !== ""
            text: field.label
            color: Theme.mutedText
            font.pixelSize: Theme.fontSmall
        }
        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            Label {
                objectName: "fieldText"
                Accessible.ignored: field.secret
                anchors.fill: parent
                verticalAlignment: Text.AlignVCenter
                // A typeable field shows only its placeholder here; its text input shows the text.
                visible: !field.typeable || field.text === ""
                text: field.text === "" ? field.placeholder : (field.secret ? "\u25CF".repeat(field.text.length) : field.text)
                color: field.text === "" ? Theme.mutedText : Theme.text
                elide: Text.ElideLeft
                font.pixelSize: field.fontSize
            }
            TextInput {
                id: input
                objectName: "fieldInput"
                anchors.fill: parent
                verticalAlignment: TextInput.AlignVCenter
                visible: field.typeable
                text: field.text
                // The field's tap gives the focus; a press never arrives here, the tap area lies above.
                activeFocusOnPress: false
                // The field itself is what a screen reader reads.
                Accessible.ignored: true
                clip: true
                color: Theme.text
                font.pixelSize: field.fontSize
                onTextEdited: field.edited(text)
            }
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: {
            if (field.typeable)
                input.forceActiveFocus()
            field.tapped()
        }
    }
    FocusMark {
        visible: field.activeFocus
    }
}
