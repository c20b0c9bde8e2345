#pragma once

#include <QObject>
#include <QPointer>

// The one input field being edited, terminal-wide. Every keypad posts the same notifications, so an
// editor copies a keypad's value only while its own field holds the editing focus; beginning to
// edit one field ends the editing of any other, as on a tablet where one field has the keyboard.
class EditingFocus : public QObject {
    Q_OBJECT
public:
    static EditingFocus &instance();

    // Gives the focus to `editor`; the previous editor, if another, is told by focusLost().
    void begin(QObject *editor);
    // Takes the focus from `editor` when it has it.
    void end(QObject *editor);
    // Takes the focus from whoever has it (the keypad's close key).
    void clear();

    bool isEditing(const QObject *editor) const { return editor && current_ == editor; }
    QObject *current() const { return current_; }

signals:
    void focusLost(QObject *editor);

private:
    QPointer<QObject> current_;
};
