#include "TableGridModel.h"

TableGridModel::TableGridModel(QObject *parent) : QAbstractListModel(parent) {}

int TableGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(tiles_.size());
}

QVariant TableGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TableTile &tile = tiles_.at(index.row());
    switch (role) {
    case TableNoRole:
        return tile.tableNo;
    case NumberRole:
        return tile.number;
    case NameRole:
        return tile.name;
    case SecondRole:
        return tile.second;
    case InUseRole:
        return tile.inUse;
    case SelectedRole:
        return index.row() == selected_;
    default:
        return {};
    }
}

QHash<int, QByteArray> TableGridModel::roleNames() const
{
    return {{TableNoRole, "tableNo"}, {NumberRole, "number"}, {NameRole, "name"},
            {SecondRole, "second"},   {InUseRole, "inUse"},   {SelectedRole, "selected"}};
}

void TableGridModel::reload(const QList<DeskInfo> &tables, const QHash<QString, Row> &states)
{
    beginResetModel();
    tiles_.clear();
    tiles_.reserve(tables.size());
    for (const DeskInfo &desk : tables) {
        const auto found = states.constFind(desk.deskno);
        tiles_.append(
            TableTile::make(desk, found == states.cend() ? std::nullopt : std::optional<Row>(*found)));
    }
    selected_ = -1;
    endResetModel();
    emit countChanged();
}

void TableGridModel::tap(int index)
{
    if (index < 0 || index >= tiles_.size())
        return;
    const int previous = std::exchange(selected_, index);
    if (previous >= 0 && previous != index)
        emit dataChanged(this->index(previous), this->index(previous), {SelectedRole});
    emit dataChanged(this->index(index), this->index(index), {SelectedRole});
    emit picked(index);
}
