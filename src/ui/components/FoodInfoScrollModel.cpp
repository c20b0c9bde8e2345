#include "FoodInfoScrollModel.h"

FoodInfoScrollModel::FoodInfoScrollModel(QObject *parent) : QAbstractListModel(parent) {}

int FoodInfoScrollModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant FoodInfoScrollModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FoodTile &tile = tiles_.at(index.row());
    switch (role) {
    case TitleRole:
    case Qt::DisplayRole:
        return tile.title;
    case DetailRole:
        return tile.detail;
    case TagRole:
        return tile.tag;
    case SelectedRole:
        return index.row() == selected_;
    default:
        return {};
    }
}

QHash<int, QByteArray> FoodInfoScrollModel::roleNames() const
{
    return {{TitleRole, "title"}, {DetailRole, "detail"}, {TagRole, "tag"}, {SelectedRole, "selected"}};
}

void FoodInfoScrollModel::reloadData(const QList<FoodTile> &tiles)
{
    const int oldCount = count();
    const bool hadSelection = selected_ >= 0;
    // Rows removed and inserted rather than a reset (see CategoryScrollModel::reloadData).
    selected_ = -1;
    if (oldCount > 0) {
        beginRemoveRows({}, 0, oldCount - 1);
        tiles_.clear();
        endRemoveRows();
    }
    if (!tiles.isEmpty()) {
        beginInsertRows({}, 0, int(tiles.size()) - 1);
        tiles_ = tiles;
        endInsertRows();
    }
    if (count() != oldCount)
        emit countChanged();
    if (hadSelection)
        emit selectionChanged();
    emit reloaded();
}

void FoodInfoScrollModel::setTile(int index, const FoodTile &tile)
{
    if (index < 0 || index >= count() || tiles_.at(index) == tile)
        return;
    tiles_[index] = tile;
    emit dataChanged(this->index(index), this->index(index), {TitleRole, DetailRole, TagRole});
}

void FoodInfoScrollModel::tap(int index)
{
    if (index < 0 || index >= count())
        return;
    const int previous = selected_;
    if (previous != index) {
        selected_ = index;
        if (previous >= 0)
            emit dataChanged(this->index(previous), this->index(previous), {SelectedRole});
        emit dataChanged(this->index(index), this->index(index), {SelectedRole});
        emit selectionChanged();
    }
    if (previous >= 0)
        emit lastSelectCell(previous);
    emit selectCell(index);
}
