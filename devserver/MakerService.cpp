#include "MakerService.h"

#include "JsonText.h"
#include "ReplyWriter.h"

void MakerService::setVersion(const VersionInfo &info)
{
    std::lock_guard lock(mutex_);
    version_ = info;
}

MakerService::VersionInfo MakerService::version() const
{
    std::lock_guard lock(mutex_);
    return version_;
}

std::string MakerService::updateXml() const
{
    const VersionInfo info = version();
    using ReplyWriter::escapeText;
    const std::string xml = std::string(ReplyWriter::kDeclaration) + "<update><versionCode>" +
                            std::to_string(info.versionCode) + "</versionCode><versionName>" +
                            escapeText(info.versionName) + "</versionName><url>" + escapeText(info.url) +
                            "</url><description>" + escapeText(info.description) + "</description></update>";
    return ReplyWriter::encode(xml);
}

void MakerService::recordReport(const std::map<std::string, std::string> &params, const std::string &rawQuery)
{
    std::lock_guard lock(mutex_);
    reports_.push_back({params, rawQuery});
}

void MakerService::clearReports()
{
    std::lock_guard lock(mutex_);
    reports_.clear();
}

std::string MakerService::reportsJson() const
{
    using JsonText::quoted;
    std::lock_guard lock(mutex_);
    std::string json = "{\"reports\":[";
    for (std::size_t i = 0; i < reports_.size(); ++i) {
        json += i ? ",{" : "{";
        json += "\"query\":" + quoted(reports_[i].rawQuery) + ",\"params\":{";
        bool first = true;
        for (const auto &[name, value] : reports_[i].params) {
            json += (first ? "" : ",") + quoted(name) + ":" + quoted(value);
            first = false;
        }
        json += "}}";
    }
    return json + "]}";
}
