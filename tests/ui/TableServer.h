#pragma once

#include <QString>

#include <memory>

class DevServerHarness;

// The development server serving the demo package, for tests that also see the client's server
// records (whose `Row` the harness's header names otherwise).
class TableServer {
public:
    TableServer();
    ~TableServer();

    bool start();
    QString lastError() const;
    int port() const;
    // Logs the operator in and opens the table for that many guests; the server's return code.
    QString openTable(const QString &deskNo, int guests);
    // A POST to the server's control interface; the HTTP status.
    int controlPost(const QString &pathAndQuery);

private:
    std::unique_ptr<DevServerHarness> harness_;
};
