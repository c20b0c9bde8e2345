#include "ReplyWriter.h"

#include "TextCodec.h"

namespace {

std::string element(const std::string &name, const std::string &text)
{
    return "<" + name + ">" + ReplyWriter::escapeText(text) + "</" + name + ">";
}

std::string attributes(const Attributes &fields)
{
    std::string out;
    for (const auto &[name, value] : fields)
        out += " " + name + "=\"" + ReplyWriter::escapeAttribute(value) + "\"";
    return out;
}

} // namespace

namespace ReplyWriter {

std::string escapeText(const std::string &text)
{
    std::string out;
    for (const char c : TextCodec::sanitizeUtf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string escapeAttribute(const std::string &text)
{
    std::string out;
    for (const char c : TextCodec::sanitizeUtf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        // Escaped so that an XML reader's attribute normalisation keeps them.
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string toXml(const Reply &reply)
{
    std::string xml = kDeclaration;
    xml += "<ServerReply>";
    xml += element("ReturnCode", reply.returnCode);
    xml += element("ReturnMsg", reply.returnMsg);
    if (reply.returnValue)
        xml += element("ReturnValue", *reply.returnValue);
    if (reply.returnList) {
        xml += "<ReturnList><Rows>";
        for (const Attributes &row : *reply.returnList)
            xml += "<Row" + attributes(row) + " />";
        xml += "</Rows></ReturnList>";
    }
    if (reply.paraList)
        xml += "<ParaList" + attributes(*reply.paraList) + " />";
    for (const auto &[name, text] : reply.extraElements)
        xml += element(name, text);
    xml += "</ServerReply>";
    return xml;
}

std::string encode(const std::string &xmlText)
{
    // The text is sanitised UTF-8 already, so the conversion cannot fail; stay safe anyway.
    return TextCodec::utf8ToGb18030(TextCodec::sanitizeUtf8(xmlText)).value_or(std::string());
}

std::string toBytes(const Reply &reply)
{
    return encode(toXml(reply));
}

} // namespace ReplyWriter
