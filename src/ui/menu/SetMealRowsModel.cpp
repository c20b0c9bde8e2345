#include "SetMealRowsModel.h"

#include "media/PhotoManager.h"

SetMealRowsModel::SetMealRowsModel(QObject *parent) : QAbstractListModel(parent) {}

int SetMealRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant SetMealRowsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &row = rows_.at(index.row());
    switch (role) {
    case FoodnoRole:
        return row.foodno;
    case NameRole:
        return row.name;
    case DetailRole:
        return row.detail;
    case ChangeableRole:
        return row.changeable;
    case PictureRole:
        return pictures_.value(row.foodno);
    case SelectedRole:
        return index.row() == selected_;
    default:
        return {};
    }
}

QHash<int, QByteArray> SetMealRowsModel::roleNames() const
{
    return {{FoodnoRole, "foodno"},         {NameRole, "name"},       {DetailRole, "detail"},
            {ChangeableRole, "changeable"}, {PictureRole, "picture"}, {SelectedRole, "selected"}};
}

void SetMealRowsModel::reload(const QList<Row> &rows, int selected)
{
    // Rows removed and inserted rather than a reset (see CategoryScrollModel::reloadData).
    if (!rows_.isEmpty()) {
        beginRemoveRows({}, 0, int(rows_.size()) - 1);
        rows_.clear();
        selected_ = -1;
        endRemoveRows();
    }
    if (!rows.isEmpty()) {
        beginInsertRows({}, 0, int(rows.size()) - 1);
        rows_ = rows;
        selected_ = selected >= 0 && selected < rows_.size() ? selected : -1;
        endInsertRows();
    }
    emit selectionChanged();
}

void SetMealRowsModel::select(int index)
{
    if (index < 0 || index >= rows_.size() || index == selected_)
        return;
    const int previous = selected_;
    selected_ = index;
    if (previous >= 0)
        emit dataChanged(this->index(previous), this->index(previous), {SelectedRole});
    emit dataChanged(this->index(index), this->index(index), {SelectedRole});
    emit selectionChanged();
}

void SetMealRowsModel::setPicture(const QString &foodno, const QUrl &picture)
{
    pictures_.insert(foodno, picture.isEmpty() ? lostPicture() : picture);
    for (int i = 0; i < rows_.size(); ++i) {
        if (rows_.at(i).foodno == foodno)
            emit dataChanged(index(i), index(i), {PictureRole});
    }
}

QUrl SetMealRowsModel::lostPicture()
{
    return QUrl::fromLocalFile(PhotoManager::smallLostImagePath());
}
