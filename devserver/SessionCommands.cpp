#include "Commands.h"

namespace Commands {

Reply checkServerStatus(const CommandContext &ctx, DiningRoom &, const RequestDocument &)
{
    Reply reply = Reply::ok("服务正常");
    reply.paraList = Attributes{{"ServerDogNo", ctx.profile.dogNo}, {"ServerVer", ctx.profile.serverVer}};
    return reply;
}

Reply logIn(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const std::string userId = request.text("UserID");
    if (userId.empty())
        return Reply::refused("请输入工号");
    const CatalogueCashier *cashier = ctx.catalogue.cashier(userId);
    if (!cashier)
        return Reply::refused("工号(" + userId + ")不存在");
    const std::string expected = room.password(userId).value_or(cashier->password);
    if (request.text("UserPassword") != expected)
        return Reply::refused("密码错误，请重新输入");
    room.markLoggedIn(userId);
    return Reply::ok("欢迎您(" + cashier->name + ")");
}

Reply changePassword(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const std::string userId = request.text("UserID");
    if (userId.empty())
        return Reply::refused("请指定工号");
    if (!ctx.catalogue.cashier(userId))
        return Reply::refused("工号(" + userId + ")不存在");
    if (userId != request.text("CashierID"))
        return Reply::refused("只能修改本人的密码");
    const std::string password = request.text("UserPassword");
    if (password.empty())
        return Reply::refused("新密码不能为空");
    room.setPassword(userId, password);
    return Reply::ok("密码修改成功");
}

Reply getUpFileName(const CommandContext &ctx, DiningRoom &, const RequestDocument &)
{
    Reply reply = Reply::ok("");
    reply.returnValue = ctx.profile.packageName;
    return reply;
}

} // namespace Commands
