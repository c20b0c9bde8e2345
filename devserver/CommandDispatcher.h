#pragma once

#include "Commands.h"

#include <string>

// Turns one posted document into one reply: reads it, finds the command, checks the operator
// where the command changes the dining room, and runs the command in one transaction.
class CommandDispatcher {
public:
    CommandDispatcher(const Catalogue &catalogue, DiningRoomStore &store, ServerProfile profile);

    // The reply to a document that parsed.
    Reply dispatch(const RequestDocument &request);
    // The reply to a post that is not a readable command (no form field, broken XML).
    static Reply unreadable(const std::string &reason);

    static bool isKnownCommand(const std::string &name);

private:
    const Catalogue &catalogue_;
    DiningRoomStore &store_;
    ServerProfile profile_;
};
