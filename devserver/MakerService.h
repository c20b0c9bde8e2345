#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

// The maker's web service, served by the same program: the app-version description the terminal
// checks for updates, and the client reports it sends.
class MakerService {
public:
    struct VersionInfo {
        int versionCode = 23; // the terminal's own code: no update is offered
        std::string versionName = "1.0.23";
        std::string url;
        std::string description = "演示服务器上的版本说明。";
    };

    void setVersion(const VersionInfo &info);
    VersionInfo version() const;
    // "/update/update.xml" as the bytes sent (GB18030, declared gb2312, like every reply).
    std::string updateXml() const;

    // Keeps one report: its decoded query parameters and the query as received.
    void recordReport(const std::map<std::string, std::string> &params, const std::string &rawQuery);
    void clearReports();
    std::string reportsJson() const;

private:
    struct Report {
        std::map<std::string, std::string> params;
        std::string rawQuery;
    };
    mutable std::mutex mutex_;
    VersionInfo version_;
    std::vector<Report> reports_;
};
