#include "server/CommandMaker.h"

#include "settings/ConfigManager.h"
#include "settings/LoginState.h"

namespace {
ClientCommand make(const char *command, bool emptyCashierNode = true)
{
    ClientCommand cmd;
    cmd.posNo = ConfigManager::defaultManager().posNum();
    cmd.command = QString::fromLatin1(command);
    cmd.genEmptyCashierIDNode = emptyCashierNode;
    return cmd;
}

// Hurry and release commands name the operator who asked (no UserID when there is none).
ClientCommand makeSigned(const char *command, const QString &deskNo)
{
    ClientCommand cmd = make(command);
    cmd.DeskNo = deskNo;
    if (const QString accountId = LoginState::accountId(); !accountId.isEmpty())
        cmd.userID = accountId;
    return cmd;
}
} // namespace

namespace CommandMaker {

ClientCommand getUpFileCommandWithUserId(const QString &)
{
    return make("GetUpFileName", false);
}

ClientCommand loginCommandWithUserId(const QString &userId, const QString &password)
{
    ClientCommand cmd = make("LogIn");
    cmd.userID = userId;
    cmd.userPassword = password;
    return cmd;
}

ClientCommand commandKaiTaiWithDeskNo(const QString &deskNo, const QString &custCount,
                                      const QString &waiterMan)
{
    ClientCommand cmd = make("KaiTai");
    cmd.DeskNo = deskNo;
    cmd.CustCount = custCount;
    cmd.WaiterMan = waiterMan;
    return cmd;
}

ClientCommand changeDeskFromSourceDesk(const QString &sourceDeskNo, const QString &destDeskNo)
{
    ClientCommand cmd = make("ChangeDesk");
    cmd.SourceDeskNo = sourceDeskNo;
    cmd.DestDeskNo = destDeskNo;
    return cmd;
}

ClientCommand mergeSourceDesk(const QString &sourceDeskNo, const QString &destDeskNo)
{
    ClientCommand cmd = make("MergeDesk");
    cmd.SourceDeskNo = sourceDeskNo;
    cmd.DestDeskNo = destDeskNo;
    return cmd;
}

ClientCommand cancelDesk(const QString &deskNo)
{
    ClientCommand cmd = make("CancelDesk");
    cmd.DeskNo = deskNo;
    return cmd;
}

ClientCommand editDesk(const QString &deskNo, const QString &custCount, const QString &waiterMan)
{
    ClientCommand cmd = make("EditDesk");
    cmd.DeskNo = deskNo;
    cmd.CustCount = custCount;
    cmd.WaiterMan = waiterMan;
    return cmd;
}

ClientCommand deskHurry(const QString &deskNo)
{
    return makeSigned("DeskHurry", deskNo);
}

ClientCommand catHurry(const QString &deskNo, const QString &catNo)
{
    ClientCommand cmd = makeSigned("CatHurry", deskNo);
    cmd.CatNo = catNo;
    return cmd;
}

ClientCommand foodHurry(const QString &deskNo, const QString &foodNo)
{
    ClientCommand cmd = makeSigned("FoodHurry", deskNo);
    cmd.FoodNo = foodNo;
    return cmd;
}

ClientCommand deskWakeup(const QString &deskNo)
{
    return makeSigned("DeskWakeUp", deskNo);
}

ClientCommand catWakeUp(const QString &deskNo, const QString &catNo)
{
    ClientCommand cmd = makeSigned("CatWakeUp", deskNo);
    cmd.CatNo = catNo;
    return cmd;
}

ClientCommand foodWakeUp(const QString &deskNo, const QString &foodNo)
{
    ClientCommand cmd = makeSigned("FoodWakeUp", deskNo);
    cmd.FoodNo = foodNo;
    return cmd;
}

ClientCommand returnFood(const QString &deskNo, const QString &foodNo, const QString &foodQty,
                         const QString &returnReason)
{
    ClientCommand cmd = make("ReturnFood");
    cmd.DeskNo = deskNo;
    cmd.FoodNo = foodNo;
    cmd.FoodQty = foodQty;
    cmd.ReturnReason = returnReason;
    return cmd;
}

ClientCommand chengZhongFood(const QString &deskNo, const QString &foodNo, const QString &itemseq,
                             const QString &foodQty)
{
    ClientCommand cmd = make("ConfirmQty");
    cmd.DeskNo = deskNo;
    cmd.FoodNo = foodNo;
    cmd.itemseq = itemseq;
    cmd.FoodQty = foodQty;
    return cmd;
}

ClientCommand getGqFoodList()
{
    return make("GetGqFoodList");
}

ClientCommand getRoomDeskStateWithRoomNo(const std::optional<QString> &roomNo)
{
    ClientCommand cmd = make("GetRoomDeskState");
    cmd.RoomNo = roomNo;
    cmd.genEmptyRoomNoNode = true;
    return cmd;
}

ClientCommand getRoomDeskStateWithDeskNo(const QString &deskNo)
{
    ClientCommand cmd = make("GetRoomDeskState");
    cmd.DeskNo = deskNo;
    cmd.genEmptyRoomNoNode = true;
    return cmd;
}

ClientCommand getDeskSaleList(const QString &deskNo)
{
    ClientCommand cmd = make("GetDeskSaleList");
    cmd.DeskNo = deskNo;
    return cmd;
}

ClientCommand printDeskBill(const QString &deskNo)
{
    ClientCommand cmd = make("PrintDeskBill");
    cmd.DeskNo = deskNo;
    return cmd;
}

ClientCommand changePassword(const QString &userId, const QString &newPassword)
{
    ClientCommand cmd = make("ChangePassword");
    cmd.userID = userId;
    cmd.userPassword = newPassword;
    return cmd;
}

ClientCommand checkServerStatus()
{
    return make("CheckServerStatus");
}

} // namespace CommandMaker
