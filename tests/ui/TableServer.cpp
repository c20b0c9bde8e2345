#include "TableServer.h"

#include "DevServerHarness.h"

TableServer::TableServer() : harness_(std::make_unique<DevServerHarness>()) {}

TableServer::~TableServer() = default;

bool TableServer::start()
{
    return harness_->start({}, true);
}

QString TableServer::lastError() const
{
    return harness_->lastError();
}

int TableServer::port() const
{
    return harness_->port();
}

QString TableServer::openTable(const QString &deskNo, int guests)
{
    const ServerReply login = harness_->login();
    if (login.code != QStringLiteral("0"))
        return login.code;
    return harness_
        ->command(QStringLiteral("KaiTai"), QStringLiteral("DeskNo=%1&CustCount=%2").arg(deskNo).arg(guests))
        .code;
}

int TableServer::controlPost(const QString &pathAndQuery)
{
    return harness_->controlPost(pathAndQuery);
}
