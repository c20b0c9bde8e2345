import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// A vertical grid of tiles, `columns` to a row: tile i stands in row i / columns and column
// i % columns, `gap` below the row above. The scrollable height ends `gap` (10) points below the
// last tile; a reload scrolls back to the top. `tagColors` maps a tile's tag to its colour.
// In a layout it never gets narrower than its columns of whole tiles: a grid squeezed below that
// would draw its tiles as slivers, or more of them to a row.
GridView {
    id: grid
    objectName: "tileGrid"
    required property FoodInfoScrollModel tiles
    property int columns: 3
    property int tileWidth: 105
    property int tileHeight: 105
    property int gap: 10
    property var tagColors: ({})

    implicitWidth: columns * (tileWidth + gap)
    implicitHeight: tileHeight + 2 * gap
    Layout.minimumWidth: implicitWidth
    Layout.minimumHeight: implicitHeight
    clip: true
    // Delegates made on demand only: a reset of the model while a delegate ahead of the view was
    // still being made asynchronously is refused by Qt with a warning.
    cacheBuffer: 0
    boundsBehavior: Flickable.StopAtBounds
    model: tiles
    cellWidth: Math.floor(width / columns)
    cellHeight: tileHeight + gap
    footer: Item {
        width: grid.width
        height: grid.gap
    }

    delegate: Item {
        id: cell
        required property int index
        required property string title
        required property string detail
        required property string tag
        required property bool selected

        width: grid.cellWidth
        height: grid.cellHeight

        FoodTile {
            objectName: "tile_" + cell.index
            x: (cell.width - width) / 2
            y: grid.gap
            width: grid.tileWidth
            height: grid.tileHeight
            title: cell.title
            detail: cell.detail
            selected: cell.selected
            faceColor: grid.tagColors[cell.tag] ?? Theme.surfaceRaised
            onTapped: grid.tiles.tap(cell.index)
        }
    }

    Connections {
        target: grid.tiles
        function onReloaded() {
            grid.positionViewAtBeginning()
        }
    }
}
