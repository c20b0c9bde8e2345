import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The full screens, the home screen (its initial item) at the bottom; it follows Navigator's
// requests, without a navigation bar. Screens asked for while it was loading come first.
StackView {
    id: stack
    objectName: "screenStack"

    function show(name: string, properties: var) {
        stack.push(Qt.resolvedUrl(name + ".qml"), properties)
    }
    Component.onCompleted: {
        for (const screen of Navigator.attachView())
            show(screen.name, screen.properties)
    }
    Component.onDestruction: Navigator.detachView()

    Connections {
        target: Navigator
        function onPushRequested(name: string, properties: var) {
            stack.show(name, properties)
        }
        function onPopRequested() {
            stack.pop()
        }
        function onPopToRootRequested() {
            stack.pop(null)
        }
    }
}
