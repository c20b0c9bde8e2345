import Diancai.Ui

// The login dialog.
AccountFormView {
    objectName: "loginView"
}
