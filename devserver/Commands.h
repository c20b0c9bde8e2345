#pragma once

#include "Catalogue.h"
#include "DiningRoom.h"
#include "Reply.h"
#include "RequestDocument.h"

#include <string>

// What every command may read besides the request and the dining room.
struct ServerProfile {
    std::string dogNo;       // "ServerDogNo" of CheckServerStatus
    std::string serverVer;   // "ServerVer" of CheckServerStatus
    std::string packageName; // file name of the base-data package, served at "/<name>"
    std::string printFolder; // where PrintDeskBill puts the bills
};

struct CommandContext {
    const Catalogue &catalogue;
    const ServerProfile &profile;
};

// One handler per command. Each runs inside one dining-room transaction, which is kept only when
// the reply succeeds.
using CommandHandler = Reply (*)(const CommandContext &, DiningRoom &, const RequestDocument &);

namespace Commands {

Reply checkServerStatus(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply logIn(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply changePassword(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply getUpFileName(const CommandContext &, DiningRoom &, const RequestDocument &);

Reply kaiTai(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply changeDesk(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply mergeDesk(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply cancelDesk(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply editDesk(const CommandContext &, DiningRoom &, const RequestDocument &);

Reply orderPack(const CommandContext &, DiningRoom &, const RequestDocument &);

Reply deskHurry(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply catHurry(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply foodHurry(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply deskWakeUp(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply catWakeUp(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply foodWakeUp(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply returnFood(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply confirmQty(const CommandContext &, DiningRoom &, const RequestDocument &);

Reply getRoomDeskState(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply getDeskSaleList(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply getGqFoodList(const CommandContext &, DiningRoom &, const RequestDocument &);
Reply printDeskBill(const CommandContext &, DiningRoom &, const RequestDocument &);

} // namespace Commands
