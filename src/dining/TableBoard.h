#pragma once

#include "catalogue/CatalogueRecords.h"
#include "server/ClientCommand.h"
#include "server/ServerRecords.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A table's live state as the server reported it: in use or not, the guests and the amount. A row
// without `custNumber` or `TotalAmt` reads as no guests and 0; a text that is not a number too.
struct TableState {
    bool inUse = false;
    QString guests;
    float amount = 0;

    static TableState of(const std::optional<Row> &row);
};

// What one table tile shows: the table's number and name, and when the server reported it in use,
// its guests and amount ("4人 ￥120.00") in place of the number, its number in the second label and
// the in-use mark. A free table ("0") or one without a state shows no mark.
struct TableTile {
    QString tableNo;
    QString number;
    QString name;
    QString second;
    bool inUse = false;

    static TableTile make(const DeskInfo &desk, const std::optional<Row> &state);
    bool operator==(const TableTile &) const = default;
};

// The rules of the table board that the screens and the console share: which tables a room shows,
// which state belongs to which table, the table dialogs' contents and the commands they lead to.
namespace TableBoard {
// The room that stands for every room.
inline const QString kAllRooms = QStringLiteral("all");

// The tables of room `roomno` in catalogue order; every table for "all".
QList<DeskInfo> tablesInRoom(const QList<DeskInfo> &tables, const QString &roomno);
// Each catalogue table's state: the first row whose `deskNo` is the table's number. Tables without
// a row get no entry.
QHash<QString, Row> statesByTable(const QList<DeskInfo> &tables, const QList<Row> &rows);

// The table operations, as the dialogs' action codes.
enum Action { OpenTable = 0, ChangeTable = 1, MergeTables = 2, EditTable = 3, CancelTable = 4 };

// A table dialog before it is shown: its title and labels (texts to look up in the string table),
// the fields' first texts, and which fields hold table numbers (checked against the catalogue and
// typed with letters).
struct TableForm {
    int action = OpenTable;
    QString titleKey;
    QStringList labelKeys;
    QStringList texts;
    QList<int> tableFields;
};
// The dialog of `action` for the selected table, with its state (when the server gave one) and the
// operator's number; absent for an unknown action.
std::optional<TableForm> formFor(int action, const QString &tableNo, const std::optional<Row> &state,
                                 const QString &accountId);
// The command of a confirmed dialog: the fields in field order. Absent for an unknown action or a
// field count that is not the action's.
std::optional<ClientCommand> tableCommand(int action, const QStringList &fields);
// Whether the catalogue knows the table number (exact text).
bool hasTable(const QList<DeskInfo> &tables, const QString &tableNo);
// "桌台现状：A10 使用中，4人，￥120.00；A11 空闲": each table's state as `states` has it, in the
// current language.
QString statesText(const QStringList &tableNos, const QHash<QString, Row> &states);
} // namespace TableBoard
