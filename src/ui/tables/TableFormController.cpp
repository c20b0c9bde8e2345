#include "TableFormController.h"

#include "foundation/UserNotice.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

TableFormController::TableFormController(const TableBoard::TableForm &form, const QList<DeskInfo> &tables,
                                         QObject *parent)
    : KeypadFormController(form.titleKey, form.labelKeys, false, parent), action_(form.action),
      tableFields_(form.tableFields), tables_(tables)
{
    for (int index : std::as_const(tableFields_))
        fields()->setKeypad(index, KeypadFields::Letters);
    for (int index = 0; index < form.texts.size(); ++index)
        fields()->setText(index, form.texts.at(index));
    // Again, now that the first field's keypad is known: its first key replaces the text.
    fields()->beginEditing(0);
    initLanguage();
}

void TableFormController::typeText(int index, const QString &text)
{
    if (!isDismissing())
        fields()->setText(index, text);
}

void TableFormController::okPressed(int index)
{
    KeypadFormController::okPressed(index);
    for (int field : std::as_const(tableFields_)) {
        if (!TableBoard::hasTable(tables_, fields()->text(field))) {
            UserNotice::error(LanguageManager::defaultManager().readString(u"不存在的桌台编号"_s));
            return;
        }
    }
}

void TableFormController::submit()
{
    const QStringList texts = fields()->texts();
    close();
    emit confirmed(action_, texts);
}
