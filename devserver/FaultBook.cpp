#include "FaultBook.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<const char *, FaultKind>, 5> kKinds = {{
    {"delay", FaultKind::Delay},
    {"status", FaultKind::Status},
    {"notxml", FaultKind::NotXml},
    {"gb18030", FaultKind::Gb18030},
    {"drop", FaultKind::Drop},
}};

} // namespace

std::optional<FaultKind> FaultBook::kindFromName(const std::string &name)
{
    for (const auto &[text, kind] : kKinds)
        if (name == text)
            return kind;
    return std::nullopt;
}

std::string FaultBook::kindName(FaultKind kind)
{
    for (const auto &[text, known] : kKinds)
        if (kind == known)
            return text;
    return {};
}

void FaultBook::add(const std::string &key, const Fault &fault, int count)
{
    std::lock_guard lock(mutex_);
    auto &queue = faults_[key];
    for (int i = 0; i < count; ++i)
        queue.push_back(fault);
}

std::optional<Fault> FaultBook::take(const std::string &key)
{
    std::lock_guard lock(mutex_);
    for (const std::string &candidate : {key, std::string("*")}) {
        auto it = faults_.find(candidate);
        if (it == faults_.end() || it->second.empty())
            continue;
        Fault fault = it->second.front();
        it->second.pop_front();
        if (it->second.empty())
            faults_.erase(it);
        return fault;
    }
    return std::nullopt;
}

void FaultBook::clear()
{
    std::lock_guard lock(mutex_);
    faults_.clear();
}

std::map<std::string, std::vector<std::string>> FaultBook::pending() const
{
    std::lock_guard lock(mutex_);
    std::map<std::string, std::vector<std::string>> result;
    for (const auto &[key, queue] : faults_)
        for (const Fault &fault : queue)
            result[key].push_back(kindName(fault.kind));
    return result;
}
