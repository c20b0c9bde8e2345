#pragma once

#include "server/ServerRecords.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class XmlReply;

// Reads the ordering server's replies. Stateless; every operation takes the complete reply and
// may run on any thread. An unreadable reply sets `error` (when given) to the parser's words and
// yields an absent result. To read several values of one reply, parse it once with XmlReply and
// use the overloads taking it: the results are the same.
class ResponseParser {
public:
    static ResponseParser &sharedParser();

    // The text of the root's first child element with that name ("ReturnCode", "ReturnMsg",
    // "ReturnValue", ...); absent without one.
    std::optional<QString> parseResponseData(const QByteArray &data, const QString &elementName,
                                             std::optional<QString> *error = nullptr) const;
    std::optional<QList<Row>> parseGetRoomDeskState(const QByteArray &data) const;
    // With `isChengZhong` only the lines waiting for weighing (the list may then be empty).
    std::optional<QList<Row2>> parseDeskSaleList(const QByteArray &data, bool isChengZhong) const;
    std::optional<QList<Row3>> parseGqFoodList(const QByteArray &data) const;
    std::optional<ParaList> parseParaList(const QByteArray &data) const;
    // The bytes to parse after a failed first parse (see XmlReply::repairedBytes).
    QByteArray handleParseResponseError(const QByteArray &data,
                                        std::optional<QString> *error = nullptr) const;

    static std::optional<QString> parseResponseData(const XmlReply &reply, const QString &elementName,
                                                    std::optional<QString> *error = nullptr);
    static std::optional<QList<Row>> parseGetRoomDeskState(const XmlReply &reply);
    static std::optional<QList<Row2>> parseDeskSaleList(const XmlReply &reply, bool isChengZhong);
    static std::optional<QList<Row3>> parseGqFoodList(const XmlReply &reply);
    static std::optional<ParaList> parseParaList(const XmlReply &reply);
};
