#include "DeskRules.h"

namespace DeskRules {

std::optional<Reply> refuseUnknownDesk(const CommandContext &ctx, const std::optional<std::string> &deskNo,
                                       const std::string &role)
{
    if (!deskNo || deskNo->empty())
        return Reply::refused("请指定" + role);
    if (!ctx.catalogue.desk(*deskNo))
        return Reply::refused(role + "(" + *deskNo + ")不存在");
    return std::nullopt;
}

std::optional<Reply> refuseUnlessOpen(const CommandContext &ctx, DiningRoom &room,
                                      const std::optional<std::string> &deskNo, const std::string &role)
{
    if (auto refusal = refuseUnknownDesk(ctx, deskNo, role))
        return refusal;
    if (!room.openDesk(*deskNo))
        return Reply::refused(deskLabel(ctx, *deskNo) + "未开台");
    return std::nullopt;
}

std::optional<Reply> refuseUnlessFree(const CommandContext &ctx, DiningRoom &room,
                                      const std::optional<std::string> &deskNo, const std::string &role)
{
    if (auto refusal = refuseUnknownDesk(ctx, deskNo, role))
        return refusal;
    if (room.openDesk(*deskNo))
        return Reply::refused(deskLabel(ctx, *deskNo) + "已开台，正在使用");
    return std::nullopt;
}

std::string deskLabel(const CommandContext &ctx, const std::string &deskNo)
{
    const CatalogueDesk *desk = ctx.catalogue.desk(deskNo);
    if (!desk || desk->deskName.empty() || desk->deskName == deskNo)
        return "餐台" + deskNo;
    return desk->deskName + "(" + deskNo + ")";
}

} // namespace DeskRules
