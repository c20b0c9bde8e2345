#include "ReceivedLog.h"

#include "JsonText.h"

std::int64_t ReceivedLog::add(ReceivedCommand entry)
{
    std::lock_guard lock(mutex_);
    entry.seq = nextSeq_++;
    entries_.push_back(std::move(entry));
    if (entries_.size() > kLimit)
        entries_.pop_front();
    return entries_.back().seq;
}

void ReceivedLog::setResult(std::int64_t seq, const std::string &returnCode, const std::string &returnMsg)
{
    std::lock_guard lock(mutex_);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->seq == seq) {
            it->returnCode = returnCode;
            it->returnMsg = returnMsg;
            return;
        }
    }
}

void ReceivedLog::clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
}

std::string ReceivedLog::toJson(const std::string &command, std::int64_t since) const
{
    using JsonText::quoted;
    std::lock_guard lock(mutex_);
    std::string json = "{\"commands\":[";
    bool first = true;
    for (const ReceivedCommand &entry : entries_) {
        if (entry.seq <= since || (!command.empty() && entry.command != command))
            continue;
        json += first ? "" : ",";
        first = false;
        json += "{\"seq\":" + std::to_string(entry.seq) + ",\"command\":" + quoted(entry.command) +
                ",\"deskNo\":" + quoted(entry.deskNo) + ",\"remote\":" + quoted(entry.remote) +
                ",\"fault\":" + quoted(entry.fault) + ",\"returnCode\":" + quoted(entry.returnCode) +
                ",\"returnMsg\":" + quoted(entry.returnMsg) + ",\"xml\":" + quoted(entry.xml) + "}";
    }
    return json + "]}";
}
