import Diancai.Ui

// The password dialog.
KeypadFormView {
    objectName: "changePwdView"
}
