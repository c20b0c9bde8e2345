#include "server/ResponseParser.h"

#include "server/XmlReply.h"

namespace {

Row readRow(const XmlReply::RowView &r)
{
    return Row{r.attribute("deskNo"), r.attribute("deskName"), r.attribute("useIndex"),
               r.attribute("custNumber"), r.attribute("TotalAmt")};
}

Row2 readRow2(const XmlReply::RowView &r)
{
    return Row2{r.attribute("itemseq"),   r.attribute("pluno"),    r.attribute("pluName"),
                r.attribute("unitName"),  r.attribute("itemsize"), r.attribute("saleQty"),
                r.attribute("SalePrice"), r.attribute("sellWay"),  r.attribute("havePrtFlag"),
                r.attribute("FoodType"),  r.attribute("FlagGroup")};
}

Row3 readRow3(const XmlReply::RowView &r)
{
    return Row3{r.attribute("foodno"),   r.attribute("foodName"), r.attribute("unitName"),
                r.attribute("itemsize"), r.attribute("InitQty"),  r.attribute("SaleQty"),
                r.attribute("leftQty"),  r.attribute("AlterQty")};
}

template <typename Record, typename Read, typename Keep>
std::optional<QList<Record>> readList(const XmlReply &reply, Read read, Keep keep)
{
    QList<Record> records;
    const bool hasList = reply.forEachRow(
        [&](const XmlReply::RowView &row) {
            Record record = read(row);
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
    return readList<Row>(reply, readRow, keepAll);
}

std::optional<QList<Row2>> ResponseParser::parseDeskSaleList(const XmlReply &reply, bool isChengZhong)
{
    return readList<Row2>(
        reply, readRow2, [isChengZhong](const Row2 &row) { return !isChengZhong || row.isChengZhongItem(); });
}

std::optional<QList<Row3>> ResponseParser::parseGqFoodList(const XmlReply &reply)
{
    return readList<Row3>(reply, readRow3, keepAll);
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
