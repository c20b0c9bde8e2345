import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The dish search pop-up: the search field, the matching dishes (number, name, mnemonic, ordered
// amount, "+" and "−"), the letter-and-digit keypad while the field is edited, and "关 闭".
PopCard {
    id: view
    required property SearchViewController controller

    title: Lang.text("菜品查询")
    implicitWidth: 760
    implicitHeight: 700
    // The field is edited from the start: the first key searches.
    Component.onCompleted: controller.field.beginEditing()

    ColumnLayout {
        anchors.fill: parent
        spacing: 8

        DishSearchBox {
            Layout.fillWidth: true
            field: view.controller.field
        }
        ListView {
            id: list
            objectName: "searchResults"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            model: view.controller.dishes
            onMovementEnded: view.controller.dishes.askAmounts(indexAt(0, contentY), indexAt(0, contentY + height - 1))
            delegate: RowLayout {
                id: row
                required property int index
                required property string foodno
                required property string name
                required property string spell
                required property string amount
                objectName: "searchRow_" + index
                width: ListView.view.width
                height: 52
                spacing: 8
                Label { Layout.preferredWidth: 80; text: row.foodno; color: Theme.mutedText; font.pixelSize: Theme.fontSmall }
                Label {
                    Layout.fillWidth: true
                    text: row.name
                    textFormat: Text.StyledText
                    elide: Text.ElideRight
                    color: Theme.text
                    font.pixelSize: Theme.fontNormal
                }
                Label { Layout.preferredWidth: 90; text: row.spell; color: Theme.mutedText; font.pixelSize: Theme.fontSmall }
                Label {
                    objectName: "amount"
                    Layout.preferredWidth: 50
                    horizontalAlignment: Text.AlignHCenter
                    text: row.amount
                    color: Theme.accent
                    font.pixelSize: Theme.fontNormal
                }
                TapButton {
                    objectName: "addButton"
                    implicitWidth: 56
                    text: "+"
                    Accessible.name: row.name.replace(/<[^>]*>/g, "") + " +"
                    onClicked: view.controller.add(row.index)
                }
                TapButton {
                    objectName: "removeButton"
                    implicitWidth: 56
                    text: "−"
                    Accessible.name: row.name.replace(/<[^>]*>/g, "") + " −"
                    onClicked: view.controller.remove(row.index)
                }
            }
        }
        LetterKeypad {
            objectName: "searchKeypad"
            Layout.alignment: Qt.AlignHCenter
            visible: view.controller.field.editing
            keyboard: view.controller.field.keyboard
        }
        ActionButton {
            objectName: "closeButton"
            Layout.fillWidth: true
            text: Lang.text("关 闭")
            onClicked: view.controller.close()
        }
    }
}
