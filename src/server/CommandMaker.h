#pragma once

#include "server/ClientCommand.h"

#include <QString>

#include <optional>

// Builds the command for each request the terminal makes of the ordering server. Every command
// carries the terminal's POS number; all but "GetUpFileName" write "<CashierID/>" when nobody has
// an account id. Where a command names the operator in UserID, the account id is read when the
// command is built.
namespace CommandMaker {
// The name of the current base-data package. `userId` is not sent.
ClientCommand getUpFileCommandWithUserId(const QString &userId);
ClientCommand loginCommandWithUserId(const QString &userId, const QString &password);

// Tables (开台, 换台, 并台, 撤台, 改台).
ClientCommand commandKaiTaiWithDeskNo(const QString &deskNo, const QString &custCount,
                                      const QString &waiterMan);
ClientCommand changeDeskFromSourceDesk(const QString &sourceDeskNo, const QString &destDeskNo);
ClientCommand mergeSourceDesk(const QString &sourceDeskNo, const QString &destDeskNo);
ClientCommand cancelDesk(const QString &deskNo);
ClientCommand editDesk(const QString &deskNo, const QString &custCount, const QString &waiterMan);

// Hurrying (催菜) and releasing (起菜) a table, a category or a dish.
ClientCommand deskHurry(const QString &deskNo);
ClientCommand catHurry(const QString &deskNo, const QString &catNo);
ClientCommand foodHurry(const QString &deskNo, const QString &foodNo);
ClientCommand deskWakeup(const QString &deskNo);
ClientCommand catWakeUp(const QString &deskNo, const QString &catNo);
ClientCommand foodWakeUp(const QString &deskNo, const QString &foodNo);

// Returning a dish (退菜) and confirming a weighed quantity (称重).
ClientCommand returnFood(const QString &deskNo, const QString &foodNo, const QString &foodQty,
                         const QString &returnReason);
ClientCommand chengZhongFood(const QString &deskNo, const QString &foodNo, const QString &itemseq,
                             const QString &foodQty);

// The sold-out list (沽清).
ClientCommand getGqFoodList();
// Table states. The room is always written as "<RoomNo/>": the server answers for every room.
ClientCommand getRoomDeskStateWithRoomNo(const std::optional<QString> &roomNo = std::nullopt);
ClientCommand getRoomDeskStateWithDeskNo(const QString &deskNo);
ClientCommand getDeskSaleList(const QString &deskNo);
ClientCommand printDeskBill(const QString &deskNo);
ClientCommand changePassword(const QString &userId, const QString &newPassword);
ClientCommand checkServerStatus();
} // namespace CommandMaker
