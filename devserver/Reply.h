#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

using Attributes = std::vector<std::pair<std::string, std::string>>;

// One answer of the ordering server before it is written out: the return code and message every
// reply carries, and the value, row list or parameter record some replies add.
struct Reply {
    std::string returnCode = "0";
    std::string returnMsg;
    std::optional<std::string> returnValue;
    std::optional<std::vector<Attributes>> returnList; // one element per row, fields as attributes
    std::optional<Attributes> paraList;
    // Extra child elements of the root (name, text), written after the others.
    std::vector<std::pair<std::string, std::string>> extraElements;

    bool succeeded() const { return returnCode == "0"; }

    static Reply ok(std::string message);
    // A broken dining-room rule or a request the server cannot carry out.
    static Reply refused(std::string message);
    // A request that is not a readable command at all.
    static Reply malformed(std::string message);
};
