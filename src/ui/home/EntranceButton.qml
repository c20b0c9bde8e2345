import QtQuick
import Diancai.Ui

// A big entrance button of the home screen.
TapButton {
    implicitWidth: 190
    implicitHeight: 96
    highlighted: true
    font.pixelSize: Theme.fontLarge
}
