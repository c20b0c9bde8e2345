import QtQuick
import QtQuick.Controls
import Diancai.Ui

// A list of the set-meal details: thumbnail (the menu's, scaled down; the missing-picture image when
// there is none), styled name, quantity or surcharge, and the exchange mark "换" on components with
// alternatives.
ListView {
    id: list
    required property SetMealRowsModel rows
    signal rowTapped(int index)

    clip: true
    // Delegates made on demand only: a reset of the model while a delegate ahead of the view was
    // still being made asynchronously is refused by Qt with a warning.
    cacheBuffer: 0
    model: rows
    delegate: Rectangle {
        id: row
        required property int index
        required property string name
        required property string detail
        required property bool changeable
        required property url picture
        required property bool selected

        objectName: list.objectName + "_" + index
        width: list.width
        height: 72
        color: selected ? Theme.selected : Theme.unselected
        border.width: rowArea.activeFocus ? 3 : 0
        border.color: Theme.focus

        Image {
            id: thumb
            objectName: "rowPicture"
            x: 6
            anchors.verticalCenter: parent.verticalCenter
            width: 80
            height: 60
            source: row.picture
            asynchronous: true
            fillMode: Image.PreserveAspectCrop
            sourceSize.width: width
            sourceSize.height: height
        }
        Text {
            anchors.left: thumb.right
            anchors.right: mark.left
            anchors.top: parent.top
            anchors.margins: 8
            text: row.name
            textFormat: Text.StyledText
            elide: Text.ElideRight
            color: Theme.text
            font.pixelSize: Theme.fontNormal
        }
        Label {
            anchors.left: thumb.right
            anchors.bottom: parent.bottom
            anchors.margins: 8
            text: row.detail
            color: Theme.mutedText
            font.pixelSize: Theme.fontSmall
        }
        Label {
            id: mark
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            visible: row.changeable
            text: Lang.text("换")
            color: Theme.primary
            font.pixelSize: Theme.fontNormal
        }
        MouseArea {
            id: rowArea
            anchors.fill: parent
            onClicked: list.rowTapped(row.index)
            Accessible.role: Accessible.Button
            Accessible.name: [row.name.replace(/<[^>]*>/g, ""), row.detail].filter(t => t !== "").join(" ")
            Accessible.onPressAction: list.rowTapped(row.index)
            activeFocusOnTab: true
        }
    }
}
