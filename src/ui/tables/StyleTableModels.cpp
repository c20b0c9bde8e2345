#include "StyleTableModels.h"

#include "settings/LanguageManager.h"

int LeftMenuModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant LeftMenuModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const LeftMenu &entry = entries_.at(index.row());
    switch (role) {
    case NameRole:
        return LanguageManager::defaultManager().readString(entry.name);
    case ValueRole:
        return entry.value();
    case EditableRole:
        return entry.style == LeftMenu::AmountStyle;
    case CheckedRole:
        return entry.isChecked;
    default:
        return {};
    }
}

QHash<int, QByteArray> LeftMenuModel::roleNames() const
{
    return {{NameRole, "name"}, {ValueRole, "value"}, {EditableRole, "editable"}, {CheckedRole, "checked"}};
}

void LeftMenuModel::setEntries(const QList<LeftMenu> &entries)
{
    beginResetModel();
    entries_ = entries;
    endResetModel();
}

void LeftMenuModel::change(int row, const std::function<void(LeftMenu &)> &edit)
{
    if (row < 0 || row >= entries_.size())
        return;
    const LeftMenu before = entries_.at(row);
    edit(entries_[row]);
    if (!(entries_.at(row) == before))
        emit dataChanged(index(row), index(row));
}

void LeftMenuModel::check(int row)
{
    for (int i = 0; i < entries_.size(); ++i)
        change(i, [checked = i == row](LeftMenu &entry) { entry.isChecked = checked; });
}

void LeftMenuModel::relabel()
{
    if (!entries_.isEmpty())
        emit dataChanged(index(0), index(int(entries_.size()) - 1), {NameRole});
}

int CandidateModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

QVariant CandidateModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case CellsRole:
        return shown_.at(index.row()).cells;
    case PickedRole:
        return index.row() == picked_;
    default:
        return {};
    }
}

QHash<int, QByteArray> CandidateModel::roleNames() const
{
    return {{CellsRole, "cells"}, {PickedRole, "picked"}};
}

void CandidateModel::setShown(const QList<Candidate> &shown)
{
    const bool countChanges = shown.size() != shown_.size();
    beginResetModel();
    shown_ = shown;
    picked_ = -1;
    endResetModel();
    if (countChanges)
        emit countChanged();
}

void CandidateModel::pick(int row)
{
    if (row < 0 || row >= shown_.size())
        return;
    const int previous = std::exchange(picked_, row);
    if (previous >= 0 && previous != row)
        emit dataChanged(index(previous), index(previous), {PickedRole});
    emit dataChanged(index(row), index(row), {PickedRole});
}
