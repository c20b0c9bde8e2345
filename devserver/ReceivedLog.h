#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

// One post received on "/", as the control endpoint shows it.
struct ReceivedCommand {
    std::int64_t seq = 0;
    std::string command; // the "Command" text; empty when the post was not readable
    std::string deskNo;
    std::string xml; // the decoded form field
    std::string remote;
    std::string fault; // the injected fault's kind, if any
    std::string returnCode;
    std::string returnMsg;
};

// What the server received, kept in memory for tests (the oldest entries go beyond a limit).
class ReceivedLog {
public:
    std::int64_t add(ReceivedCommand entry);
    void setResult(std::int64_t seq, const std::string &returnCode, const std::string &returnMsg);
    void clear();
    // {"commands":[...]} with the entries of that command (all when empty) after seq "since".
    std::string toJson(const std::string &command, std::int64_t since) const;

private:
    static constexpr std::size_t kLimit = 100000;
    mutable std::mutex mutex_;
    std::deque<ReceivedCommand> entries_;
    std::int64_t nextSeq_ = 1;
};
