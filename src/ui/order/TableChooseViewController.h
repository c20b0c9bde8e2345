#pragma once

#include "CategoryScrollModel.h"
#include "TableGridModel.h"
#include "catalogue/CatalogueRecords.h"
#include "order/OrderPack.h"
#include "services/Services.h"
#include "toolkit/NumberAndLetterKeyboard.h"
#include "toolkit/NumberKeyboard.h"
#include "toolkit/PopRootViewController.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

// The table chooser: the table number ("台号"), guests ("人数") and waiter ("服务员") of an order
// pack, typed or picked from a grid of tables filtered by the room strip ("所有" first).
//
// The table field takes the letter-and-digit keypad (table numbers are like "A01"), the other two
// the numeric keypad; each copies its keypad only while it is being edited. With "kLockTable" on
// the table field holds the bound table and neither keys nor picks change it. "确定" refuses a bad
// guest count ("请输入正确人数！"), warns about a table the base data does not know ("不存在的桌台编号")
// but keeps it, writes the pack and posts "kPopManagerControllerConfirm" (with "requestId" in the
// user info when one was given). "取消" posts "kPopManagerControllerCancel".
//
// With "kAutoRefreshTableStatus" on and the server reachable, the tables' live states are asked
// for once, under the progress indicator. A reply that comes after the pop-up is gone touches
// nothing; the indicator never outlives the pop-up.
class TableChooseViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "TableChooseView")
    Q_PROPERTY(CategoryScrollModel *rooms READ rooms CONSTANT)
    Q_PROPERTY(TableGridModel *tables READ tables CONSTANT)
    Q_PROPERTY(QString tableNo READ tableNo NOTIFY fieldsChanged)
    Q_PROPERTY(QString guests READ guests NOTIFY fieldsChanged)
    Q_PROPERTY(QString waiter READ waiter NOTIFY fieldsChanged)
    Q_PROPERTY(bool tableLocked READ isTableLocked CONSTANT)
    Q_PROPERTY(int editingField READ editingField NOTIFY editingChanged)
    Q_PROPERTY(NumberKeyboard *numberKeys READ numberKeys CONSTANT)
    Q_PROPERTY(NumberAndLetterKeyboard *letterKeys READ letterKeys CONSTANT)
    Q_PROPERTY(QString requestId READ requestId WRITE setRequestId)
public:
    enum Field { NoField = 0, TableField, GuestField, WaiterField };
    Q_ENUM(Field)

    explicit TableChooseViewController(const std::shared_ptr<OrderPack> &pack, QObject *parent = nullptr);
    ~TableChooseViewController() override;

    CategoryScrollModel *rooms() { return &rooms_; }
    TableGridModel *tables() { return &grid_; }
    QString tableNo() const { return tableNo_; }
    QString guests() const { return guests_; }
    QString waiter() const { return waiter_; }
    bool isTableLocked() const { return locked_; }
    int editingField() const { return editing_; }
    NumberKeyboard *numberKeys() { return &numberKeys_; }
    NumberAndLetterKeyboard *letterKeys() { return &letterKeys_; }
    QString requestId() const { return requestId_.value_or(QString()); }
    void setRequestId(const QString &id) { requestId_ = id; }
    // The tables of the room selected in the strip.
    const QList<DeskInfo> &shownTables() const { return shown_; }

    // A field typed from a physical keyboard; the locked table field refuses.
    Q_INVOKABLE void setField(int field, const QString &text);
    Q_INVOKABLE void beginEditing(int field);
    void endEditing() override;
    // Whether the base data knows the table number (exact text).
    bool hasTable(const QString &tableNo) const;

    // Asks the server for every table's state (runs at opening when the settings want it).
    void refreshRoomInfo();

    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

signals:
    void fieldsChanged();
    void editingChanged();

private:
    void showRoom(int index);
    void keyPressed();
    void setEditing(Field field);
    void hideProgress();
    // The states read, or nothing when the server did not give them.
    void roomInfoArrived(const std::optional<QList<Row>> &rows);

    const Services &services_;
    std::shared_ptr<OrderPack> pack_;
    std::optional<QString> requestId_;
    QList<RoomInfo> roomList_;
    QList<DeskInfo> allTables_;
    QList<DeskInfo> shown_;
    QHash<QString, Row> states_;
    CategoryScrollModel rooms_;
    TableGridModel grid_;
    QString tableNo_;
    QString guests_;
    QString waiter_;
    bool locked_ = false;
    Field editing_ = NoField;
    bool progressShown_ = false;
    NumberKeyboard numberKeys_;
    NumberAndLetterKeyboard letterKeys_;
};
