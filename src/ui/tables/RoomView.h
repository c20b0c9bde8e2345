#pragma once

#include "CategoryScrollModel.h"
#include "TableGridModel.h"

#include "catalogue/CatalogueRecords.h"
#include "dining/DiningRoom.h"
#include "services/Services.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The table board: the room strip ("所有" first), the tables of the chosen room with their live
// states, "刷 新" and the ten table operations. Shown by the staff screen's "餐台操作" page and by
// the table-operation screen, each with a board of its own.
//
// The operated table is the selected table's number, kept by number: a refresh or another room
// clears it, and every operation but "刷 新" refuses to start without one ("请选择桌台").
// Each dialog a board opens answers that board only, through its own signal, so that two boards
// alive together never both act on one confirmation. Table commands are followed by a state
// refresh; dish commands are not. An unreadable reply to either shows "解析错误" and refreshes the
// states, so the board shows what the server really did.
class RoomView : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the staff screen or the table-operation screen")
    Q_PROPERTY(CategoryScrollModel *rooms READ rooms CONSTANT)
    Q_PROPERTY(TableGridModel *tables READ tables CONSTANT)
    Q_PROPERTY(QStringList buttonTitles READ buttonTitles NOTIFY captionsChanged)
    Q_PROPERTY(QString selectedTableNo READ selectedTableNo NOTIFY selectionChanged)
public:
    enum Button {
        Refresh,
        KaiTai,
        HuanTai,
        BingTai,
        GaiTai,
        CheTai,
        CuiCai,
        QiCai,
        TuiCai,
        ChengZhong,
        ChaZhangDan
    };
    Q_ENUM(Button)

    explicit RoomView(QObject *parent = nullptr);

    CategoryScrollModel *rooms() { return &rooms_; }
    TableGridModel *tables() { return &grid_; }
    QStringList buttonTitles() const { return buttonTitles_; }
    QString selectedTableNo() const { return selectedTableNo_; }
    const QList<DeskInfo> &shownTables() const { return arrFilterTables_; }
    std::optional<Row> stateOf(const QString &tableNo) const;

    // Reads the rooms and tables of the catalogue, shows "所有" and asks the dining room for the states.
    Q_INVOKABLE void setup();
    Q_INVOKABLE void refreshRoomInfo();
    Q_INVOKABLE void tapButton(int button);

    // The parts of setup() and of the state reply, for callers that have the lists already.
    void showTables(const QList<RoomInfo> &rooms, const QList<DeskInfo> &tables);
    void applyStates(const QList<Row> &rows);
    void selectRoom(int index);

    // What the dialogs hand back.
    void styleConfirmAction(int action, const QStringList &fields);
    void styleLeftMenuSeleted(int operation, const QList<LeftMenu> &entries);

signals:
    void captionsChanged();
    void selectionChanged();

private:
    void initLanguage();
    void setSelectedTable(const QString &tableNo);
    void openTableForm(int action);
    void openDishOperation(int operation);
    void getSaleList();
    void tableActionRequetWithCommand(const ClientCommand &command, bool refresh);
    // The board is read again after any unknown outcome, and after an accepted table operation.
    void refreshAfter(DiningRoom::Result result, bool tableOperation);

    const Services &services_;
    QList<RoomInfo> arrRooms_;
    QList<DeskInfo> arrTables_;
    QList<DeskInfo> arrFilterTables_;
    QHash<QString, Row> dictRoomInfos_;
    QString selectedTableNo_;
    CategoryScrollModel rooms_;
    TableGridModel grid_;
    QStringList buttonTitles_;
};
