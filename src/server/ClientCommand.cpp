#include "server/ClientCommand.h"

#include "foundation/CommonUtils.h"
#include "settings/DeviceIdentity.h"
#include "settings/LoginState.h"

namespace {
void appendElement(QString &out, const char *name, const QString &value)
{
    const QLatin1StringView tag(name);
    out += u'<' + tag + u'>';
    out += CommonUtils::xmlEscape(value);
    out += QStringLiteral("</") + tag + u'>';
}

void appendIfPresent(QString &out, const char *name, const std::optional<QString> &value)
{
    if (value)
        appendElement(out, name, *value);
}
} // namespace

QString ClientCommand::devSerial() const
{
    return DeviceIdentity::devSerialElement();
}

QString ClientCommand::toString() const
{
    QString out;
    out.reserve(512);
    out += QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand>");
    out += devSerial();
    appendIfPresent(out, "PosNo", posNo);

    // An account id outlives logout, so the last operator still signs later commands.
    const QString accountId = LoginState::accountId();
    if (!accountId.isEmpty())
        appendElement(out, "CashierID", accountId);
    else if (genEmptyCashierIDNode)
        out += QStringLiteral("<CashierID/>");

    appendIfPresent(out, "Command", command);
    appendIfPresent(out, "UserID", userID);
    appendIfPresent(out, "UserPassword", userPassword);
    appendIfPresent(out, "DeskNo", DeskNo);
    appendIfPresent(out, "CustCount", CustCount);
    appendIfPresent(out, "WaiterMan", WaiterMan);
    appendIfPresent(out, "SourceDeskNo", SourceDeskNo);
    appendIfPresent(out, "DestDeskNo", DestDeskNo);
    appendIfPresent(out, "CatNo", CatNo);
    appendIfPresent(out, "FoodNo", FoodNo);
    appendIfPresent(out, "FoodQty", FoodQty);
    appendIfPresent(out, "ReturnReason", ReturnReason);
    appendIfPresent(out, "itemseq", itemseq);

    if (genEmptyRoomNoNode)
        out += QStringLiteral("<RoomNo/>");
    else
        appendIfPresent(out, "RoomNo", RoomNo);

    out += QStringLiteral("</ClientCommand>");
    return out;
}
