// The reply reader: any bytes, every value a caller reads from a reply.
#include "server/ResponseParser.h"
#include "server/XmlReply.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const XmlReply reply(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    std::optional<QString> error;
    ResponseParser::parseResponseData(reply, QStringLiteral("ReturnCode"), &error);
    ResponseParser::parseResponseData(reply, QStringLiteral("ReturnMsg"));
    ResponseParser::parseGetRoomDeskState(reply);
    ResponseParser::parseDeskSaleList(reply, true);
    ResponseParser::parseGqFoodList(reply);
    ResponseParser::parseParaList(reply);
    return 0;
}
