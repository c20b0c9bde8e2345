#pragma once

#include "GiftMode.h"
#include "MenuViewController.h"
#include "OrderListModel.h"
#include "OrderSendFlow.h"

#include <QString>

#include <QtQml/qqmlregistration.h>
#include <optional>

struct Notification;
class OrderManager;
struct Services;

// The order list: the lines of the current order with their editing buttons, the totals, the
// order's remark, and the waiter's tools (gift mode, table operations, table choice, temporary
// dish, hold and restore, the whole order's print state, search) or, in customer mode, the table,
// the bill and search. "下单" is the send flow's (`sendFlow`), gift mode is `gifts`.
//
// The hold button decides from the order's current lines: an order with lines is held, an empty
// one opens the held list (or says there is none); its title follows every change of the lines.
// The list reloads on "kUpdateOrderList", which a send that went through also posts.
class OrderListViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(OrderListModel *rows READ rows CONSTANT)
    Q_PROPERTY(bool isCusMode READ isCusMode CONSTANT)
    Q_PROPERTY(bool showAmount READ showAmount CONSTANT)
    Q_PROPERTY(bool toolbarVisible READ toolbarVisible NOTIFY toolbarVisibleChanged)
    Q_PROPERTY(OrderSendFlow *sendFlow READ sendFlow CONSTANT)
    Q_PROPERTY(GiftMode *gifts READ gifts CONSTANT)
    Q_PROPERTY(bool canGuaDan READ canGuaDan NOTIFY guaDanStateChanged)
    Q_PROPERTY(QString guaDanTitle READ guaDanTitle NOTIFY guaDanStateChanged)
    Q_PROPERTY(QString tableTitle READ tableTitle NOTIFY tableTitleChanged)
    Q_PROPERTY(QString amountText READ amountText NOTIFY totalsChanged)
    Q_PROPERTY(QString quantityText READ quantityText NOTIFY totalsChanged)
    Q_PROPERTY(QString remarkText READ remarkText NOTIFY remarkTextChanged)
public:
    explicit OrderListViewController(QObject *parent = nullptr);
    ~OrderListViewController() override;

    OrderListModel *rows() { return &rows_; }
    bool isCusMode() const { return isCusMode_; }
    bool showAmount() const { return showAmount_; }
    bool toolbarVisible() const { return toolbarVisible_; }
    OrderSendFlow *sendFlow() { return &sendFlow_; }
    GiftMode *gifts() { return &gifts_; }
    bool canGuaDan() const { return canGuaDan_; }
    QString guaDanTitle() const;
    QString tableTitle() const { return tableTitle_; }
    QString amountText() const { return amountText_; }
    QString quantityText() const { return quantityText_; }
    QString remarkText() const { return remarkText_; }

    // Row actions.
    Q_INVOKABLE void add(int row);
    Q_INVOKABLE void del(int row);
    Q_INVOKABLE void remove(int row);
    Q_INVOKABLE void showTaste(int row);
    Q_INVOKABLE void showSaleQtyChange(int row);
    Q_INVOKABLE void changeAmount(int row);
    Q_INVOKABLE void switchLineState(int row);
    Q_INVOKABLE void toggleGift(int row);

    // The screen's buttons.
    Q_INVOKABLE void orderRemark();
    Q_INVOKABLE void removeAll();
    Q_INVOKABLE void showTableOp();
    Q_INVOKABLE void showTables();
    Q_INVOKABLE void showTempFood();
    Q_INVOKABLE void guaDan();
    Q_INVOKABLE void switchState();
    Q_INVOKABLE void showSearch();
    Q_INVOKABLE void checkBill();

signals:
    void toolbarVisibleChanged();
    void guaDanStateChanged();
    void tableTitleChanged();
    void totalsChanged();
    void remarkTextChanged();

protected:
    void initLanguage() override;
    void loadView() override;

private:
    void observe();
    void updateOrderList();
    void reloadRows();
    void setGuadanState();
    void updateTableNo();
    void updateOrderPackRemark();
    void setTotals(const QString &quantity, const QString &amount);
    void setToolbarVisible(bool visible);
    void restoreHeld(const Notification &notification);
    void runPackTask();

    const Services &services_;
    OrderManager &orders_;
    OrderListModel rows_;
    OrderSendFlow sendFlow_;
    GiftMode gifts_;

    bool isCusMode_ = false;
    bool showAmount_ = true;
    bool toolbarVisible_ = false;
    bool canGuaDan_ = true;
    bool heldListOpen_ = false;
    QString tableTitle_;
    QString amountText_;
    QString quantityText_;
    QString remarkText_;
};
