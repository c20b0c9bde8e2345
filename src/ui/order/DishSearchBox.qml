import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The search field of the dish search screens: the key typed on the keypad (a tap starts editing),
// selected as a whole after a dish was added, and its clear button.
Rectangle {
    id: box
    required property DishSearchField field
    property bool allSelected: false

    implicitHeight: 52
    radius: 8
    color: Theme.background
    border.width: field.editing || fieldArea.activeFocus ? 3 : 1
    border.color: fieldArea.activeFocus ? Theme.focus : field.editing ? Theme.accent : Theme.mutedText

    Connections {
        target: box.field
        function onSelectAllRequested() { box.allSelected = box.field.text.length > 0 }
        function onTextChanged() { box.allSelected = false }
    }
    Rectangle {
        anchors.fill: searchText
        visible: box.allSelected
        color: Theme.accent
        opacity: 0.3
    }
    Label {
        id: searchText
        objectName: "searchText"
        anchors.verticalCenter: parent.verticalCenter
        anchors.left: parent.left
        anchors.leftMargin: 12
        text: box.field.text.length > 0 ? box.field.text : Lang.text("请输入助记码/菜号")
        color: box.field.text.length > 0 ? Theme.text : Theme.mutedText
        font.pixelSize: Theme.fontNormal
    }
    MouseArea {
        id: fieldArea
        anchors.fill: parent
        onClicked: box.field.beginEditing()
        // Read as the field it is: its text, or what to type when empty.
        Accessible.role: Accessible.EditableText
        Accessible.name: searchText.text
        Accessible.onPressAction: box.field.beginEditing()
        activeFocusOnTab: true
    }
    ToolButton {
        objectName: "clearSearch"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        visible: box.field.text.length > 0
        text: "✕"
        Accessible.name: Lang.text("清空")
        onClicked: box.field.clear()
    }
}
