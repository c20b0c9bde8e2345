#pragma once

#include "order/DishOperations.h"
#include "server/ClientCommand.h"

#include <QObject>

#include <functional>
#include <optional>

// A dining-room command sent from a screen (table operations, hurry, release, return, weigh, the
// bill's print), under the rules for commands whose earlier outcome is unknown (UncertainOutcomes):
// a print, hurry or release repeated after an unknown outcome asks the waiter first; the outcome is
// shown as the server's message ("操作成功" without one), its refusal, or "结果未知：…" with the
// failure. A refusal of a table operation repeated after an unknown outcome reports the tables'
// state instead of the refusal.
namespace DiningCommand {
// Reported: refused, and the tables' state shown instead (a table operation repeated after an
// unknown outcome).
enum class Result { Accepted, Refused, Reported, Unknown, NotSent };

// `done` runs on the main thread while `owner` lives, after the notice (none for NotSent: the
// waiter declined the repeat, or the same exchange is still on its way). `quantityBefore`: for a
// return, the dish's quantity on the table read just before.
void send(QObject *owner, const ClientCommand &command, std::function<void(Result)> done,
          std::optional<float> quantityBefore = std::nullopt);
// The command of a dish operation's confirmed selection. A return reads the table's sale list first
// and sends nothing when a repeat of a return whose outcome was unknown finds it done.
void sendSelection(QObject *owner, int operation, const QList<LeftMenu> &selection,
                   std::function<void(Result)> done);
} // namespace DiningCommand
