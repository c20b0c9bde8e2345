#pragma once

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

enum class FaultKind {
    Delay,   // the reply comes late
    Status,  // an HTTP status other than 200
    NotXml,  // status 200 with a body that is no XML document
    Gb18030, // a reply that a strict GB2312 reader refuses but a GB18030 reader reads
    Drop,    // the connection is closed without any answer
};

struct Fault {
    FaultKind kind = FaultKind::Delay;
    int delayMs = 0;
    int status = 500;
    // Whether the command is still carried out. Delayed and GB18030 replies always are.
    bool execute = false;
};

// Faults waiting for the next replies, per command name ("OrderPack"), per served path of the
// GET routes ("@package", "@update", "@report") or for anything ("*").
class FaultBook {
public:
    static std::optional<FaultKind> kindFromName(const std::string &name);
    static std::string kindName(FaultKind kind);

    void add(const std::string &key, const Fault &fault, int count);
    // The next fault for that key (or for "*"), taken off the book.
    std::optional<Fault> take(const std::string &key);
    void clear();
    // key -> kinds still waiting, in order.
    std::map<std::string, std::vector<std::string>> pending() const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::deque<Fault>> faults_;
};
