#include "EditingFocus.h"

EditingFocus &EditingFocus::instance()
{
    static EditingFocus *const focus = new EditingFocus;
    return *focus;
}

void EditingFocus::begin(QObject *editor)
{
    if (!editor || current_ == editor)
        return;
    QObject *previous = current_;
    current_ = editor;
    if (previous)
        emit focusLost(previous);
}

void EditingFocus::end(QObject *editor)
{
    if (!editor || current_ != editor)
        return;
    current_ = nullptr;
    emit focusLost(editor);
}

void EditingFocus::clear()
{
    end(current_);
}
