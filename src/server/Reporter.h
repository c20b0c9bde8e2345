#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <memory>

class ServerRequest;

// The client report: asks the ordering server for its parameters ("CheckServerStatus"), then tells
// the maker's web service which terminal of which store talks to which server version
// ("/menu/api/ExClientInfo.aspx"). Runs on transport workers; its answer is never read and every
// failure is silent.
class Reporter {
public:
    static constexpr int kClientVersion = 23;

    static Reporter &sharedInstance();

    // Starts the report; returns at once.
    void reportClientInfo();
    // Sends the report with the server's dog number and version (empty after a transport failure).
    void updateInfo(const QString &partner, const QString &svrVer);

    // The reply to "CheckServerStatus": reports on "0", stays silent otherwise (public for tests).
    void handleReply(const QByteArray &body);
    // The report's address. Every value is escaped for a URL argument, so that no text of the
    // server or the catalogue can add or change a key.
    static QString reportUrl(const QString &unique, const QString &partner, const QString &storeName,
                             const QString &svrVer);
    // The value of the last "StoreName" store parameter, empty without one.
    static QString storeName();

private:
    QMutex mutex_;
    // The report last started; a new one replaces it.
    std::shared_ptr<ServerRequest> request_;
};
