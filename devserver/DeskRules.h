#pragma once

#include "Commands.h"

#include <optional>
#include <string>
#include <vector>

// Checks shared by the commands that act on a table. Each returns the refusal to answer with, or
// nothing when the rule holds.
namespace DeskRules {

// The table number names a table of the catalogue.
std::optional<Reply> refuseUnknownDesk(const CommandContext &ctx, const std::optional<std::string> &deskNo,
                                       const std::string &role = "台号");
// ... and that table is in use.
std::optional<Reply> refuseUnlessOpen(const CommandContext &ctx, DiningRoom &room,
                                      const std::optional<std::string> &deskNo,
                                      const std::string &role = "台号");
// ... and that table is free.
std::optional<Reply> refuseUnlessFree(const CommandContext &ctx, DiningRoom &room,
                                      const std::optional<std::string> &deskNo,
                                      const std::string &role = "台号");

// "名称(编号)" of a table for messages.
std::string deskLabel(const CommandContext &ctx, const std::string &deskNo);

} // namespace DeskRules
