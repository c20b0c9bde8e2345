#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/TasteInfo.h"
#include "order/FoodOrder.h"

#include <QList>
#include <QMetaType>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class OrderLinesSource;

// The header of one order (table, waiter, guests, order remarks and the flow number that names
// the order to the server) and its two XML texts: the "OrderPack" command sent to the server and
// the held-order text kept on the device. Header texts left unset write no element at all;
// set to empty text they write an empty element.
class OrderPack {
public:
    std::optional<QString> PosNo;
    std::optional<QString> DeskNo;
    std::optional<QString> WaiterMan;
    std::optional<QString> CustCount;
    std::optional<QString> UniqueFlowNo;
    // Order remarks (tastes of "B" categories).
    QList<TasteInfo> arrTaste;
    // Only in a pack restored from a held order: its lines, set meals not yet relinked.
    QList<std::shared_ptr<FoodOrder>> ordersInPack;

    // A fresh pack: a new flow number and the configured POS number, nothing else.
    static std::shared_ptr<OrderPack> genNewPack();
    // "yyyyMMddHHmmss" of now followed by a counter 10001..99999, then 10000 again. The counter
    // continues after the last number made on this terminal ("kLastFlowNo" of the settings), also
    // across runs, so no two orders of one terminal share a number.
    static QString uniqueNo();
    // A number that may have been used without uniqueNo in this run (an adopted kept order): the
    // counter continues after it when it is the later one.
    static void noteFlowNo(const QString &flowNo);
    // The counter continues after `last` (tests).
    static void resetFlowCounter(qint64 last = 10000);

    // The held-order text's lines come from the registered source; without one the detail is empty.
    // `source` must stay alive while registered; nullptr unregisters.
    static void setLinesSource(OrderLinesSource *source);
    static OrderLinesSource *linesSource();

    // The envelope around `detail` (the line elements). The held-order variant adds the remarks in
    // their held-order form and keeps tabs and line breaks of every value through a restore.
    QString toStringWithDetails(const QString &detail, bool withGuadanTaste) const;
    // The "OrderPack" command with `lines` as its detail, written as they stand.
    QString toSendString(const QList<std::shared_ptr<FoodOrder>> &lines) const;
    QString toGuadanString() const;

    // Stores the held-order text as a new held order. On success shows "挂单成功", empties the
    // order and posts "kUpdateOrderList"; on failure shows "保存失败（1）" and leaves the order.
    // An order without lines is not stored ("挂单失败（0）"): it could never be restored.
    void saveGuaDan(const std::function<void(bool)> &completion) const;

    // A pack carrying the remarks, guest count and lines of a held order; none when the text does
    // not parse, declares a DTD, or has no lines.
    static std::shared_ptr<OrderPack> setupWithGuaDan(const Guadan &guadan);
};

Q_DECLARE_METATYPE(std::shared_ptr<OrderPack>)
