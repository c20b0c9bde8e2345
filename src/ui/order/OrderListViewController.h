#pragma once

#include "MenuViewController.h"
#include "OrderListModel.h"

#include <QString>

#include <QtQml/qqmlregistration.h>
#include <optional>

struct Notification;

// The order list: the lines of the current order with their editing buttons, the totals, the
// order's remark, and the waiter's tools (gift mode, table operations, table choice, temporary
// dish, hold and restore, the whole order's print state, search) or, in customer mode, the table,
// the bill and search. "下单" runs the send checks in their order (OrderSendChecks) and sends
// through the order manager.
//
// The screen reacts only to the confirmations of the table chooser and guest-count editor it
// opened itself: each carries the screen's token in its "openedBy" property. The hold button
// decides from the order's current lines: an order with lines is held, an empty one opens the
// held list (or says there is none); its title follows every change of the lines.
//
// Gifts: the logged-in operator's own authority gives a line at once, recorded as `authID`;
// without it, or without anybody logged in, the authorisation dialog asks. Gift mode ends when
// the operator logs out.
class OrderListViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(OrderListModel *rows READ rows CONSTANT)
    Q_PROPERTY(bool isCusMode READ isCusMode CONSTANT)
    Q_PROPERTY(bool showAmount READ showAmount CONSTANT)
    Q_PROPERTY(bool toolbarVisible READ toolbarVisible NOTIFY toolbarVisibleChanged)
    Q_PROPERTY(bool isZengSongMode READ isZengSongMode NOTIFY zengSongModeChanged)
    Q_PROPERTY(bool canGuaDan READ canGuaDan NOTIFY guaDanStateChanged)
    Q_PROPERTY(QString guaDanTitle READ guaDanTitle NOTIFY guaDanStateChanged)
    Q_PROPERTY(QString tableTitle READ tableTitle NOTIFY tableTitleChanged)
    Q_PROPERTY(QString amountText READ amountText NOTIFY totalsChanged)
    Q_PROPERTY(QString quantityText READ quantityText NOTIFY totalsChanged)
    Q_PROPERTY(QString remarkText READ remarkText NOTIFY remarkTextChanged)
public:
    static inline const QString kOpenedBy = QStringLiteral("openedBy");

    explicit OrderListViewController(QObject *parent = nullptr);
    ~OrderListViewController() override;

    OrderListModel *rows() { return &rows_; }
    bool isCusMode() const { return isCusMode_; }
    bool showAmount() const { return showAmount_; }
    bool toolbarVisible() const { return toolbarVisible_; }
    bool isZengSongMode() const { return isZengSongMode_; }
    bool canGuaDan() const { return canGuaDan_; }
    QString guaDanTitle() const;
    QString tableTitle() const { return tableTitle_; }
    QString amountText() const { return amountText_; }
    QString quantityText() const { return quantityText_; }
    QString remarkText() const { return remarkText_; }
    // The token the pop-ups this screen opens carry in "openedBy".
    QString token() const { return token_; }

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
    Q_INVOKABLE void sendOrderPack();
    Q_INVOKABLE void removeAll();
    Q_INVOKABLE void showZengSong();
    Q_INVOKABLE void showTableOp();
    Q_INVOKABLE void showTables();
    Q_INVOKABLE void showTempFood();
    Q_INVOKABLE void guaDan();
    Q_INVOKABLE void switchState();
    Q_INVOKABLE void showSearch();
    Q_INVOKABLE void checkBill();

signals:
    void toolbarVisibleChanged();
    void zengSongModeChanged();
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
    void setZengSongMode(bool on);
    void changeZengSong(const OrderListModel::Line &line, const QString &authID);
    void askTableState(const QString &deskNo);
    void openLogin();
    void openGuestEditor();
    void openChooser(const std::optional<QString> &requestId);
    void popupConfirmed(const Notification &notification);
    void restoreHeld(const Notification &notification);
    void afterSend();
    void runPackTask();

    OrderListModel rows_;
    QString token_;
    bool isCusMode_ = false;
    bool showAmount_ = true;
    bool toolbarVisible_ = false;
    bool isZengSongMode_ = false;
    bool canGuaDan_ = true;
    bool heldListOpen_ = false;
    QString tableTitle_;
    QString amountText_;
    QString quantityText_;
    QString remarkText_;
};
