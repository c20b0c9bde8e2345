#pragma once

#include "server/ServerRecords.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class OrderManager;
class QObject;

// The checks an order passes before it is sent, in their order; the first that fails ends the
// attempt. The order list and the console share them and differ only in what they do at a stop.
namespace OrderSendChecks {

enum class Stop {
    None,            // every check passed: the order may go
    NotLoggedIn,     // nobody is logged in: the login dialog
    NoNetwork,       // the server cannot be reached
    NoLines,         // the order has no lines
    NoBoundTable,    // "kLockTable" is on but no table is bound
    AskTableState,   // bound table without a guest count: ask the server about the table
    ChooseTable,     // table or guests missing: the table chooser
    ShiJiaPriceZero, // a market-price line still has no price
};

// Runs the checks on the current order of `orders`. With "kLockTable" on, the pack is first bound
// to the bound table and the logged-in operator, unless the order is locked: a send without a
// definite answer goes again exactly as it went.
Stop check(OrderManager &orders);

// The error a stop is told with, through the string table; empty for the stops that open a dialog
// or ask the server instead.
QString message(Stop stop);

// The guest count the answer to a table-state request gives for `deskNo`: from the first row of
// that table, only when the table is in use (`useIndex` present and not "0") and the count is
// not empty. Otherwise the waiter is asked.
std::optional<QString> guestsInUse(const QList<Row> &rows, const QString &deskNo);

// Asks the server about table `deskNo` (with the blocking indicator) and gives `answer` its guest
// count in use (guestsInUse), or none when the server refused or failed (after its notice). False,
// and `answer` never runs, when the same question is on its way already. Nothing runs once
// `context` is gone.
bool askGuestsInUse(QObject *context, const QString &deskNo,
                    std::function<void(std::optional<QString>)> answer);

} // namespace OrderSendChecks
