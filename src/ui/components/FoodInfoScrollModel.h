#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QtQml/qqmlregistration.h>

// One tile of a tile grid: a caption, an optional second line (a surcharge, a guest count) and a
// tag that the grid's tile look maps to colours (e.g. a table's state); all three are the owner's.
struct FoodTile {
    QString title;
    QString detail;
    QString tag;

    bool operator==(const FoodTile &) const = default;
};

// The tiles of a tile grid (FoodInfoScrollView): the taste lists of the cooking-method editors and
// the table grid. Tile i stands in row i / columns, column i % columns; the view draws them.
//
// Roles:
//   "title"     (TitleRole, QString)   the tile's caption;
//   "detail"    (DetailRole, QString)  its second line, empty for none;
//   "tag"       (TagRole, QString)     the owner's look key, empty for the plain look;
//   "selected"  (SelectedRole, bool)   whether it is the tile tapped last.
//
// A tap reports lastSelectCell() for the tile tapped before, if any, and then selectCell() for the
// tapped one, also when it is the same tile.
class FoodInfoScrollModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectionChanged)
public:
    enum Roles { TitleRole = Qt::UserRole + 1, DetailRole, TagRole, SelectedRole };

    explicit FoodInfoScrollModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(tiles_.size()); }
    QList<FoodTile> tiles() const { return tiles_; }
    // The tile tapped last; -1 before any tap and after reloadData().
    int selectedIndex() const { return selected_; }

    // Rebuilds every tile; the view scrolls back to the top.
    void reloadData(const QList<FoodTile> &tiles);
    // Redraws one tile; an index outside the grid is ignored.
    void setTile(int index, const FoodTile &tile);
    Q_INVOKABLE void tap(int index);

signals:
    void lastSelectCell(int index);
    void selectCell(int index);
    void countChanged();
    void selectionChanged();
    void reloaded();

private:
    QList<FoodTile> tiles_;
    int selected_ = -1;
};
