#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class DevServerHarness;

// The development server serving the demo package, for tests that also see the client's server
// records (whose `Row` the harness's header names otherwise).
class TableServer {
public:
    // With `demoCatalogue` the server's catalogue is the terminal's shipped demo data.
    explicit TableServer(bool demoCatalogue = false);
    ~TableServer();

    bool start();
    QString lastError() const;
    int port() const;
    // A POST to the server's control interface; the HTTP status.
    int controlPost(const QString &pathAndQuery);
    // A command with "Name=value&..." fields, signed by `cashier`; the server's return code.
    QString command(const QString &name, const QString &fields, const QString &cashier);
    // Starts again on a fresh state (no table open, nothing sold).
    bool restartFresh();
    // Logs the operator in at the server; its return code.
    QString login(const QString &id, const QString &password);
    // Sends an order of lines "foodNo|name|qty|price" for the table as operator `cashier`.
    QString order(const QString &deskNo, const QStringList &lines, const QString &guests,
                  const QString &cashier);
    // The documents the server received for `command`, oldest first.
    QStringList received(const QString &command);
    // The elements `names` of a received document as "name=value;...", "name=-" for one absent.
    static QString fields(const QString &xml, const QStringList &names);
    // The table's sale lines as "pluno|itemseq|saleQty|havePrtFlag".
    QStringList saleLines(const QString &deskNo);
    // The files the server wrote into its print folder.
    QStringList printedFiles() const;

private:
    std::unique_ptr<DevServerHarness> harness_;
};
