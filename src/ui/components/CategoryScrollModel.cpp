#include "CategoryScrollModel.h"

CategoryScrollModel::CategoryScrollModel(QObject *parent) : QAbstractListModel(parent) {}

int CategoryScrollModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant CategoryScrollModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case TitleRole:
    case Qt::DisplayRole:
        return titles_.at(index.row());
    case SelectedRole:
        return index.row() == selected_;
    default:
        return {};
    }
}

QHash<int, QByteArray> CategoryScrollModel::roleNames() const
{
    return {{TitleRole, "title"}, {SelectedRole, "selected"}};
}

QString CategoryScrollModel::selecteItemTitle() const
{
    return selected_ < 0 ? QString() : titles_.at(selected_);
}

void CategoryScrollModel::reloadData(const QStringList &titles)
{
    const int oldCount = count();
    // Rows removed and inserted rather than a reset: a view resetting while it still makes a
    // delegate ahead of the visible ones cancels that delegate by an index that no longer exists.
    if (oldCount > 0) {
        beginRemoveRows({}, 0, oldCount - 1);
        titles_.clear();
        selected_ = -1;
        endRemoveRows();
    }
    if (!titles.isEmpty()) {
        beginInsertRows({}, 0, int(titles.size()) - 1);
        titles_ = titles;
        endInsertRows();
    }
    selected_ = titles_.isEmpty() ? -1 : 0;
    if (selected_ >= 0)
        emit dataChanged(index(0), index(0), {SelectedRole});
    if (count() != oldCount)
        emit countChanged();
    emit selectionChanged();
    if (selected_ >= 0)
        emit scrollRequested(selected_);
}

void CategoryScrollModel::selectItemOf(int index)
{
    if (index < 0 || index >= count())
        return;
    select(index);
    emit scrollRequested(index);
}

bool CategoryScrollModel::scrollByName(const QString &name)
{
    const int at = int(titles_.indexOf(name));
    if (at < 0)
        return false;
    select(at);
    emit scrollRequested(at);
    return true;
}

void CategoryScrollModel::tap(int index)
{
    if (index < 0 || index >= count() || index == selected_)
        return;
    select(index);
    emit itemDidSelected(index);
}

void CategoryScrollModel::select(int index)
{
    if (index == selected_)
        return;
    const int previous = selected_;
    selected_ = index;
    const QList<int> roles{SelectedRole};
    if (previous >= 0)
        emit dataChanged(this->index(previous), this->index(previous), roles);
    emit dataChanged(this->index(index), this->index(index), roles);
    emit selectionChanged();
}
