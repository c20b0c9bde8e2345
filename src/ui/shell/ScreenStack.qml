import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The full screens, the home screen (its initial item) at the bottom; it follows Navigator's
// requests, without a navigation bar.
StackView {
    id: stack
    objectName: "screenStack"

    Component.onCompleted: Navigator.reset()

    Connections {
        target: Navigator
        function onPushRequested(name: string, properties: var) {
            stack.push(Qt.resolvedUrl(name + ".qml"), properties)
        }
        function onPopRequested() {
            stack.pop()
        }
        function onPopToRootRequested() {
            stack.pop(null)
        }
    }
}
