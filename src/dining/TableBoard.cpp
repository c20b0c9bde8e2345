#include "TableBoard.h"

#include "dining/DishOperations.h"
#include "server/CommandMaker.h"
#include "settings/LanguageManager.h"

#include <algorithm>

using namespace Qt::StringLiterals;

TableState TableState::of(const std::optional<Row> &row)
{
    TableState state;
    if (!row)
        return state;
    state.inUse = row->useIndex.value_or(u"0"_s) != u"0";
    state.guests = row->custNumber.value_or(QString());
    state.amount = DishOperations::readNumber(row->TotalAmt);
    return state;
}

TableTile TableTile::make(const DeskInfo &desk, const std::optional<Row> &state)
{
    TableTile tile{desk.deskno, desk.deskno, desk.deskName, {}, false};
    const TableState read = TableState::of(state);
    if (read.inUse) {
        tile.second = state->deskNo.value_or(QString());
        // "%@人 ￥%.2f": the guests, then the amount.
        QString format = LanguageManager::defaultManager().readString(u"%@人 ￥%.2f"_s);
        format.replace(u"%.2f"_s, QString::asprintf("%.2f", double(read.amount)));
        tile.number = format.replace(u"%@"_s, read.guests);
        tile.inUse = true;
    }
    return tile;
}

namespace TableBoard {

QList<DeskInfo> tablesInRoom(const QList<DeskInfo> &tables, const QString &roomno)
{
    if (roomno == kAllRooms)
        return tables;
    QList<DeskInfo> shown;
    std::copy_if(tables.cbegin(), tables.cend(), std::back_inserter(shown),
                 [&roomno](const DeskInfo &desk) { return desk.roomno == roomno; });
    return shown;
}

QHash<QString, Row> statesByTable(const QList<DeskInfo> &tables, const QList<Row> &rows)
{
    QHash<QString, const Row *> first;
    first.reserve(rows.size());
    for (const Row &row : rows) {
        const QString deskNo = row.deskNo.value_or(QString());
        if (!first.contains(deskNo))
            first.insert(deskNo, &row);
    }
    QHash<QString, Row> states;
    states.reserve(tables.size());
    for (const DeskInfo &desk : tables) {
        if (const Row *row = first.value(desk.deskno))
            states.insert(desk.deskno, *row);
    }
    return states;
}

std::optional<TableForm> formFor(int action, const QString &tableNo, const std::optional<Row> &state,
                                 const QString &accountId)
{
    const QStringList threeLabels{u"台号"_s, u"人数"_s, u"服务员"_s};
    const QStringList twoLabels{u"原台"_s, u"目标台"_s};
    switch (action) {
    case OpenTable:
        return TableForm{action, u"开台操作"_s, threeLabels, {tableNo, u"0"_s, accountId}, {0}};
    case ChangeTable:
        return TableForm{action, u"换台操作"_s, twoLabels, {tableNo, QString()}, {0, 1}};
    case MergeTables:
        return TableForm{action, u"并台操作"_s, twoLabels, {tableNo, QString()}, {0, 1}};
    case EditTable: {
        const QString guests = state ? state->custNumber.value_or(QString()) : QString();
        return TableForm{action, u"改台操作"_s, threeLabels, {tableNo, guests, accountId}, {0}};
    }
    case CancelTable:
        return TableForm{action, u"撤台操作"_s, {u"台号"_s}, {tableNo}, {0}};
    default:
        return std::nullopt;
    }
}

std::optional<ClientCommand> tableCommand(int action, const QStringList &fields)
{
    switch (fields.size()) {
    case 3:
        if (action == OpenTable)
            return CommandMaker::commandKaiTaiWithDeskNo(fields.at(0), fields.at(1), fields.at(2));
        if (action == EditTable)
            return CommandMaker::editDesk(fields.at(0), fields.at(1), fields.at(2));
        break;
    case 2:
        if (action == ChangeTable)
            return CommandMaker::changeDeskFromSourceDesk(fields.at(0), fields.at(1));
        if (action == MergeTables)
            return CommandMaker::mergeSourceDesk(fields.at(0), fields.at(1));
        break;
    case 1:
        if (action == CancelTable)
            return CommandMaker::cancelDesk(fields.at(0));
        break;
    default:
        break;
    }
    return std::nullopt;
}

bool hasTable(const QList<DeskInfo> &tables, const QString &tableNo)
{
    return std::any_of(tables.cbegin(), tables.cend(),
                       [&tableNo](const DeskInfo &desk) { return desk.deskno == tableNo; });
}

QString statesText(const QStringList &tableNos, const QHash<QString, Row> &states)
{
    const LanguageManager &language = LanguageManager::defaultManager();
    QStringList texts;
    for (const QString &tableNo : tableNos) {
        const auto found = states.constFind(tableNo);
        const TableState state =
            TableState::of(found == states.cend() ? std::nullopt : std::optional<Row>(*found));
        texts << (state.inUse
                      ? language.readString(u"%1 使用中，%2人，￥%3"_s)
                            .arg(tableNo, state.guests, QString::asprintf("%.2f", double(state.amount)))
                      : language.readString(u"%1 空闲"_s).arg(tableNo));
    }
    return language.readString(u"桌台现状：%1"_s).arg(texts.join(language.readString(u"；"_s)));
}
} // namespace TableBoard
