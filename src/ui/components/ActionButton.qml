import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The terminal's button: a flat face in the palette, filled with the primary colour when
// highlighted. Drawn without the style's shadow layers, which the software renderer cannot draw.
Button {
    id: control
    readonly property color face: highlighted ? Theme.primary : Theme.surfaceRaised

    implicitHeight: 56
    implicitWidth: Math.max(120, implicitContentWidth + leftPadding + rightPadding)
    font.pixelSize: Theme.fontNormal
    // Named by its text even before a screen reader turns accessibility on; a button repeated per
    // row may name what it acts on instead.
    Accessible.role: Accessible.Button
    // "刷 新" is spaced for the eye only: it reads "刷新".
    Accessible.name: text.replace(/([\u4e00-\u9fff]) (?=[\u4e00-\u9fff])/g, "$1")
    // Space taps a focused button already; Enter does too, as on a keyboard at the pass.
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Label {
        text: control.text
        font: control.font
        color: control.highlighted ? Theme.primaryText : Theme.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: 8
        color: control.down ? Qt.darker(control.face, 1.2) : control.face
        opacity: control.enabled ? 1 : 0.5
        border.width: control.highlighted ? 0 : 1
        border.color: Theme.keyPressed

        FocusMark {
            // Keyboard focus only: a tap focuses the button too, and needs no frame.
            visible: control.visualFocus
        }
    }
}
