#pragma once

#include "catalogue/CatalogueRecords.h"
#include "dining/TableBoard.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The tiles of a table grid, shared by the table chooser and the table board.
//
// Roles:
//   "tableNo"   (TableNoRole, QString)  the table's `deskno`;
//   "number"    (NumberRole, QString)   the number label;
//   "name"      (NameRole, QString)     the name label;
//   "second"    (SecondRole, QString)   the second label, empty for none;
//   "inUse"     (InUseRole, bool)       the in-use mark;
//   "selected"  (SelectedRole, bool)    the table picked last.
class TableGridModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by a screen")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    enum Roles { TableNoRole = Qt::UserRole + 1, NumberRole, NameRole, SecondRole, InUseRole, SelectedRole };

    explicit TableGridModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(tiles_.size()); }
    const QList<TableTile> &tiles() const { return tiles_; }
    int selectedIndex() const { return selected_; }

    // Rebuilds every tile from the tables and the states by table number; clears the pick.
    void reload(const QList<DeskInfo> &tables, const QHash<QString, Row> &states);
    // Highlights tile `index` (the previous one loses its highlight) and reports picked().
    Q_INVOKABLE void tap(int index);

signals:
    void picked(int index);
    void countChanged();

private:
    QList<TableTile> tiles_;
    int selected_ = -1;
};
