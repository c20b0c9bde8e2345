#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The items of a category strip (CategoryScrollView): a title each, one of them selected.
//
// Roles:
//   "title"     (TitleRole, QString)  the item's caption;
//   "selected"  (SelectedRole, bool)  whether it is the selected item, drawn highlighted.
//
// The owner fills it with reloadData() and learns of a user's choice by itemDidSelected(), which is
// emitted only for a tap on an item that is not selected yet; selecting from code never emits it.
class CategoryScrollModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectionChanged)
public:
    enum Roles { TitleRole = Qt::UserRole + 1, SelectedRole };

    explicit CategoryScrollModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(titles_.size()); }
    QStringList titles() const { return titles_; }
    // -1 when the strip is empty.
    int selectedIndex() const { return selected_; }
    // The selected item's title; empty when none is selected.
    QString selecteItemTitle() const;

    // Rebuilds every item, then selects item 0 (none when empty).
    void reloadData(const QStringList &titles);
    // Selects and highlights item `index`; an index outside the strip is ignored.
    Q_INVOKABLE void selectItemOf(int index);
    // Selects the first item titled `name` and asks the view to bring it into view; no match does
    // nothing. Returns whether an item matched.
    Q_INVOKABLE bool scrollByName(const QString &name);
    // A tap on item `index`.
    Q_INVOKABLE void tap(int index);

signals:
    void itemDidSelected(int index);
    void countChanged();
    void selectionChanged();
    // The view scrolls so that item `index` is visible.
    void scrollRequested(int index);

private:
    void select(int index);

    QStringList titles_;
    int selected_ = -1;
};
