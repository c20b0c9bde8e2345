#pragma once

#include "KeypadFormController.h"

#include "catalogue/CatalogueRecords.h"
#include "dining/TableBoard.h"

#include <QList>
#include <QStringList>

// The dialog of a table operation (open, change, merge, edit, cancel): one to three fields under
// the operation's title. Table-number fields take the letter-and-digit keypad or a physical
// keyboard (table numbers hold letters, "A01"); guests and waiter the numeric keypad.
//
// The keypad's OK key ends the editing and looks the table numbers up in the catalogue: one that
// is not there shows "不存在的桌台编号". "确定" does not repeat that check: it closes the dialog and
// hands the fields, in field order, to the board that opened it (confirmed()).
class TableFormController : public KeypadFormController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened by the table board")
    Q_CLASSINFO("PopView", "TableFormView")
public:
    TableFormController(const TableBoard::TableForm &form, const QList<DeskInfo> &tables,
                        QObject *parent = nullptr);

    int action() const { return action_; }
    Q_INVOKABLE bool isTableField(int index) const { return tableFields_.contains(index); }
    // A field typed on a physical keyboard.
    Q_INVOKABLE void typeText(int index, const QString &text);

signals:
    void confirmed(int action, const QStringList &fields);

protected:
    void submit() override;
    void okPressed(int index) override;

private:
    int action_;
    QList<int> tableFields_;
    QList<DeskInfo> tables_;
};
