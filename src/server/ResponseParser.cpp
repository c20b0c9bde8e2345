#include "server/ResponseParser.h"

#include "server/XmlReply.h"

#include <array>

namespace {

// Which attribute fills which field of a record.
template <typename Record, size_t N>
using Fields = std::array<std::pair<const char *, std::optional<QString> Record::*>, N>;

constexpr Fields<Row, 5> kRowFields{{{"deskNo", &Row::deskNo},
                                     {"deskName", &Row::deskName},
                                     {"useIndex", &Row::useIndex},
                                     {"custNumber", &Row::custNumber},
                                     {"TotalAmt", &Row::TotalAmt}}};

constexpr Fields<Row2, 11> kRow2Fields{{{"itemseq", &Row2::itemseq},
                                        {"pluno", &Row2::pluno},
                                        {"pluName", &Row2::pluName},
                                        {"unitName", &Row2::unitName},
                                        {"itemsize", &Row2::itemsize},
                                        {"saleQty", &Row2::saleQty},
                                        {"SalePrice", &Row2::SalePrice},
                                        {"sellWay", &Row2::sellWay},
                                        {"havePrtFlag", &Row2::havePrtFlag},
                                        {"FoodType", &Row2::FoodType},
                                        {"FlagGroup", &Row2::FlagGroup}}};

constexpr Fields<Row3, 8> kRow3Fields{{{"foodno", &Row3::foodno},
                                       {"foodName", &Row3::foodName},
                                       {"unitName", &Row3::unitName},
                                       {"itemsize", &Row3::itemsize},
                                       {"InitQty", &Row3::InitQty},
                                       {"SaleQty", &Row3::SaleQty},
                                       {"leftQty", &Row3::leftQty},
                                       {"AlterQty", &Row3::AlterQty}}};

// The fields read as numbers: amounts, quantities and guest counts.
template <typename Record, size_t N> using Numbers = std::array<std::optional<QString> Record::*, N>;
constexpr Numbers<Row, 2> kRowNumbers{&Row::custNumber, &Row::TotalAmt};
constexpr Numbers<Row2, 2> kRow2Numbers{&Row2::saleQty, &Row2::SalePrice};
// The sold-out list is compared as text ("0" is sold out), never read as numbers.
constexpr Numbers<Row3, 0> kRow3Numbers{};

template <typename Record, size_t N, size_t M, typename Keep>
std::optional<QList<Record>> readList(const XmlReply &reply, const Fields<Record, N> &fields,
                                      const Numbers<Record, M> &numbers, Keep keep)
{
    // Attribute positions are the same in every row: look them up once.
    std::array<qsizetype, N> positions;
    for (size_t i = 0; i < N; ++i)
        positions[i] = reply.rowAttributeIndex(fields[i].first);

    QList<Record> records;
    const bool hasList = reply.forEachRow(
        [&](const XmlReply::RowView &row) {
            Record record;
            for (size_t i = 0; i < N; ++i)
                record.*(fields[i].second) = row.attribute(positions[i]);
            for (const auto number : numbers)
                record.*number = finiteNumberText(record.*number);
            if (keep(record))
                records.append(std::move(record));
        },
        [&](qsizetype rowCount) { records.reserve(rowCount); });
    if (!hasList)
        return std::nullopt;
    return records;
}

constexpr auto keepAll = [](const auto &) { return true; };

} // namespace

ResponseParser &ResponseParser::sharedParser()
{
    static ResponseParser parser;
    return parser;
}

std::optional<QString> ResponseParser::parseResponseData(const XmlReply &reply, const QString &elementName,
                                                         std::optional<QString> *error)
{
    if (!reply.isValid()) {
        if (error)
            *error = reply.errorText();
        return std::nullopt;
    }
    return reply.elementText(elementName.toUtf8().constData());
}

std::optional<QList<Row>> ResponseParser::parseGetRoomDeskState(const XmlReply &reply)
{
    return readList(reply, kRowFields, kRowNumbers, keepAll);
}

std::optional<QList<Row2>> ResponseParser::parseDeskSaleList(const XmlReply &reply, bool isChengZhong)
{
    return readList(reply, kRow2Fields, kRow2Numbers,
                    [isChengZhong](const Row2 &row) { return !isChengZhong || row.isChengZhongItem(); });
}

std::optional<QList<Row3>> ResponseParser::parseGqFoodList(const XmlReply &reply)
{
    return readList(reply, kRow3Fields, kRow3Numbers, keepAll);
}

std::optional<ParaList> ResponseParser::parseParaList(const XmlReply &reply)
{
    const std::optional<XmlReply::RowView> element = reply.childElement("ParaList");
    if (!element)
        return std::nullopt;
    return ParaList{element->attribute("ServerDogNo"), element->attribute("ServerVer")};
}

std::optional<QString> ResponseParser::parseResponseData(const QByteArray &data, const QString &elementName,
                                                         std::optional<QString> *error) const
{
    return parseResponseData(XmlReply(data), elementName, error);
}

std::optional<QList<Row>> ResponseParser::parseGetRoomDeskState(const QByteArray &data) const
{
    return parseGetRoomDeskState(XmlReply(data));
}

std::optional<QList<Row2>> ResponseParser::parseDeskSaleList(const QByteArray &data, bool isChengZhong) const
{
    return parseDeskSaleList(XmlReply(data), isChengZhong);
}

std::optional<QList<Row3>> ResponseParser::parseGqFoodList(const QByteArray &data) const
{
    return parseGqFoodList(XmlReply(data));
}

std::optional<ParaList> ResponseParser::parseParaList(const QByteArray &data) const
{
    return parseParaList(XmlReply(data));
}

QByteArray ResponseParser::handleParseResponseError(const QByteArray &data,
                                                    std::optional<QString> *error) const
{
    QString text;
    QByteArray next = XmlReply::repairedBytes(data, &text);
    if (error && !text.isEmpty())
        *error = text;
    return next;
}
