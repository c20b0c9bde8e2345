import QtQuick
import QtQuick.Controls
import Diancai.Ui

// A horizontal strip of category titles with the selected one highlighted. Taps go to the model,
// which tells its owner; the strip scrolls wherever the model asks.
ListView {
    id: strip
    objectName: "categoryStrip"
    required property CategoryScrollModel categories

    implicitHeight: 56
    orientation: ListView.Horizontal
    spacing: 6
    clip: true
    // Delegates made on demand only: a reset of the model while a delegate ahead of the view was
    // still being made asynchronously is refused by Qt with a warning.
    cacheBuffer: 0
    boundsBehavior: Flickable.StopAtBounds
    model: categories

    delegate: Rectangle {
        id: item
        required property int index
        required property string title
        required property bool selected

        objectName: "category_" + index
        // One choice of the strip: checked while it is the selected one.
        Accessible.role: Accessible.Button
        Accessible.name: title
        Accessible.checkable: true
        Accessible.checked: selected
        Accessible.onPressAction: strip.categories.tap(index)
        activeFocusOnTab: true
        width: Math.max(104, label.implicitWidth + 36)
        height: strip.height
        radius: 8
        color: selected ? Theme.primary : Theme.surfaceRaised

        Label {
            id: label
            anchors.centerIn: parent
            text: item.title
            color: item.selected ? Theme.primaryText : Theme.text
            font.pixelSize: Theme.fontNormal
        }
        MouseArea {
            anchors.fill: parent
            onClicked: strip.categories.tap(item.index)
        }
        FocusMark {
            visible: item.activeFocus
        }
    }

    Connections {
        target: strip.categories
        function onScrollRequested(index: int) {
            strip.positionViewAtIndex(index, ListView.Contain)
        }
    }
}
