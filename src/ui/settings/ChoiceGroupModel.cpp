#include "ChoiceGroupModel.h"

void ChoiceGroupModel::setGroups(QList<Group> groups)
{
    beginResetModel();
    groups_ = std::move(groups);
    endResetModel();
}

void ChoiceGroupModel::setTexts(int row, const QString &title, const QStringList &choices)
{
    if (row < 0 || row >= groups_.size())
        return;
    groups_[row].title = title;
    groups_[row].choices = choices;
    emit dataChanged(index(row), index(row), {TitleRole, ChoicesRole});
}

void ChoiceGroupModel::setSelected(int row, int choice)
{
    if (row < 0 || row >= groups_.size() || groups_.at(row).selected == choice)
        return;
    groups_[row].selected = choice;
    emit dataChanged(index(row), index(row), {SelectedRole, InputVisibleRole});
}

int ChoiceGroupModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(groups_.size());
}

QVariant ChoiceGroupModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Group &group = groups_.at(index.row());
    switch (role) {
    case TitleRole:
        return group.title;
    case ChoicesRole:
        return group.choices;
    case SelectedRole:
        return group.selected;
    case InputRole:
        return int(group.input);
    case InputVisibleRole:
        return group.input != NoInput && group.selected == 0;
    default:
        return {};
    }
}

QHash<int, QByteArray> ChoiceGroupModel::roleNames() const
{
    return {{TitleRole, "title"},
            {ChoicesRole, "choices"},
            {SelectedRole, "selected"},
            {InputRole, "input"},
            {InputVisibleRole, "inputVisible"}};
}
