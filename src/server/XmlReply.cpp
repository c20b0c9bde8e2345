#include "server/XmlReply.h"

#include "server/Gb18030.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <mutex>

namespace {

// Read as GB18030 whatever is declared; blanks dropped, CDATA as text; never substitute entities
// (no XML_PARSE_NOENT), never load a DTD or anything from the network.
constexpr int kParseOptions = XML_PARSE_COMPACT | XML_PARSE_NOBLANKS | XML_PARSE_NOCDATA | XML_PARSE_NONET |
                              XML_PARSE_IGNORE_ENC | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
constexpr const char *kEncoding = "GB18030";

void ignoreMessage(void *, const char *, ...) {}

void initLibxmlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
    // The encoding layer reports to this (per-thread) channel whatever the parse options say;
    // the reply's error reaches the caller through the parser context instead.
    xmlSetGenericErrorFunc(nullptr, ignoreMessage);
}

bool isElement(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char *>(node->name), name) == 0;
}

const xmlNode *firstChildElement(const xmlNode *parent, const char *name = nullptr)
{
    for (const xmlNode *n = parent->children; n; n = n->next) {
        if (n->type == XML_ELEMENT_NODE && (!name || isElement(n, name)))
            return n;
    }
    return nullptr;
}

// Text and CDATA below `node`; entity references stay unexpanded.
void appendText(const xmlNode *node, QByteArray &out)
{
    for (const xmlNode *n = node->children; n; n = n->next) {
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            if (n->content)
                out.append(reinterpret_cast<const char *>(n->content));
        } else if (n->type == XML_ELEMENT_NODE) {
            appendText(n, out);
        }
    }
}

} // namespace

struct XmlReply::Parsed {
    xmlDoc *doc = nullptr;
    QString error;
};

XmlReply::Parsed XmlReply::parse(const QByteArray &bytes)
{
    initLibxmlOnce();
    if (bytes.size() > kMaxReplyBytes)
        return {nullptr, QStringLiteral("reply of ") + QString::number(bytes.size()) +
                             QStringLiteral(" bytes is too large")};
    if (bytes.isEmpty())
        return {nullptr, QStringLiteral("empty reply")};
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt)
        return {nullptr, QStringLiteral("out of memory")};
    xmlDoc *doc =
        xmlCtxtReadMemory(ctxt, bytes.constData(), int(bytes.size()), nullptr, kEncoding, kParseOptions);
    Parsed parsed;
    if (doc && ctxt->wellFormed && xmlDocGetRootElement(doc)) {
        parsed.doc = doc;
    } else {
        if (doc)
            xmlFreeDoc(doc);
        const xmlError *error = xmlCtxtGetLastError(ctxt);
        parsed.error = error && error->message ? QString::fromUtf8(error->message).trimmed()
                                               : QStringLiteral("not an XML document");
    }
    xmlFreeParserCtxt(ctxt);
    return parsed;
}

QByteArray XmlReply::repairedBytes(const QByteArray &bytes, QString *error)
{
    Parsed again = parse(bytes);
    if (again.doc) {
        xmlFreeDoc(again.doc);
        return bytes;
    }
    if (error)
        *error = again.error;
    QString text = Gb18030::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(QStringLiteral("?>"), QStringLiteral(" ?> "));
    text.replace(QStringLiteral("gb2312"), QStringLiteral("GB18030"));
    return Gb18030::encode(text);
}

XmlReply::XmlReply(const QByteArray &bytes)
{
    Parsed parsed = parse(bytes);
    if (!parsed.doc && bytes.size() <= kMaxReplyBytes)
        parsed = parse(repairedBytes(bytes));
    doc_ = parsed.doc;
    errorText_ = parsed.error;
}

XmlReply::~XmlReply()
{
    if (doc_)
        xmlFreeDoc(doc_);
}

std::optional<QString> XmlReply::elementText(const char *name) const
{
    if (!doc_)
        return std::nullopt;
    const xmlNode *element = firstChildElement(xmlDocGetRootElement(doc_), name);
    if (!element)
        return std::nullopt;
    QByteArray text;
    appendText(element, text);
    return QString::fromUtf8(text);
}

std::optional<QString> XmlReply::RowView::attribute(const char *name) const
{
    for (const xmlAttr *a = node_->properties; a; a = a->next) {
        if (std::strcmp(reinterpret_cast<const char *>(a->name), name) != 0)
            continue;
        const xmlNode *first = a->children;
        if (!first)
            return QString();
        // Nearly always a single text node: convert it without an intermediate copy.
        if (!first->next && first->type == XML_TEXT_NODE)
            return QString::fromUtf8(reinterpret_cast<const char *>(first->content));
        QByteArray value;
        for (const xmlNode *n = first; n; n = n->next) {
            if (n->type == XML_TEXT_NODE && n->content)
                value.append(reinterpret_cast<const char *>(n->content));
        }
        return QString::fromUtf8(value);
    }
    return std::nullopt;
}

std::optional<XmlReply::RowView> XmlReply::childElement(const char *name) const
{
    if (!doc_)
        return std::nullopt;
    const xmlNode *element = firstChildElement(xmlDocGetRootElement(doc_), name);
    if (!element)
        return std::nullopt;
    return RowView(element);
}

bool XmlReply::forEachRow(const std::function<void(const RowView &)> &row,
                          const std::function<void(qsizetype rowCount)> &rowCount) const
{
    if (!doc_)
        return false;
    const xmlNode *list = firstChildElement(xmlDocGetRootElement(doc_), "ReturnList");
    if (!list)
        return false;
    const xmlNode *wrapper = firstChildElement(list);
    if (!wrapper || !firstChildElement(wrapper))
        return false;
    if (rowCount)
        rowCount(qsizetype(xmlChildElementCount(const_cast<xmlNode *>(wrapper))));
    for (const xmlNode *n = wrapper->children; n; n = n->next) {
        if (n->type == XML_ELEMENT_NODE)
            row(RowView(n));
    }
    return true;
}
