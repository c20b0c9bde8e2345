#pragma once

#include "dining/DishOperations.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The selection entries on the left of the dish-operation dialog.
//
// Roles:
//   "name"     (NameRole, QString)     the entry's label in the current language;
//   "value"    (ValueRole, QString)    its chosen value (table, category, dish, quantity or reason);
//   "editable" (EditableRole, bool)    the quantity entry, whose value is a field of its own;
//   "checked"  (CheckedRole, bool)     the selected entry.
class LeftMenuModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the dish-operation dialog")
public:
    enum Roles { NameRole = Qt::UserRole + 1, ValueRole, EditableRole, CheckedRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<LeftMenu> &entries() const { return entries_; }
    void setEntries(const QList<LeftMenu> &entries);
    // Changes entry `row` in place and redraws it.
    void change(int row, const std::function<void(LeftMenu &)> &edit);
    // Marks entry `row` as the selected one (and no other).
    void check(int row);
    // Redraws every label (a change of language).
    void relabel();

private:
    QList<LeftMenu> entries_;
};

// One candidate on the right: the texts of its columns, the texts a search looks into, and what
// picking it sets (the number, and for a sold line its `itemseq`).
struct Candidate {
    QStringList cells;
    QStringList searchTexts;
    QString value;
    QString itemseq;
};

// The candidates matching the search, on the right of the dish-operation dialog.
//
// Roles:
//   "cells"   (CellsRole, QStringList)  the column texts;
//   "picked"  (PickedRole, bool)        the candidate picked last.
class CandidateModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the dish-operation dialog")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    enum Roles { CellsRole = Qt::UserRole + 1, PickedRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(shown_.size()); }
    const QList<Candidate> &shown() const { return shown_; }
    // Shows the candidates; none is picked.
    void setShown(const QList<Candidate> &shown);
    void pick(int row);

signals:
    void countChanged();

private:
    QList<Candidate> shown_;
    int picked_ = -1;
};
