#include "server/XmlReply.h"

#include "server/Gb18030.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <cstring>
#include <mutex>

namespace {

// Read as GB18030 whatever is declared, CDATA as text; never substitute entities (no
// XML_PARSE_NOENT), never load anything from the network.
constexpr int kParseOptions =
    XML_PARSE_NOCDATA | XML_PARSE_NONET | XML_PARSE_IGNORE_ENC | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
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

bool isBlank(const QByteArray &text)
{
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

// Builds XmlReply::Content from the parser's events. Depth 1 is the root, 2 its children, 3 the
// wrapper inside `ReturnList`, 4 the rows.
struct Builder {
    enum class List { Before, InList, InWrapper, After };

    XmlReply::Content content;
    int depth = 0;
    int current = -1; // the root child whose text is being gathered; -1 for a repeated name
    QByteArray pendingText;
    List list = List::Before;
    bool sawRoot = false;
    bool refusedDoctype = false;
    // Names come from the parser's dictionary, so one name is always the same pointer.
    std::vector<std::pair<const xmlChar *, qsizetype>> rowNameIndex;

    static Builder &of(void *ctx)
    {
        return *static_cast<Builder *>(static_cast<xmlParserCtxtPtr>(ctx)->_private);
    }

    // Text between two tags is one text node; a node of blanks only is dropped.
    void flushText()
    {
        if (pendingText.isEmpty())
            return;
        if (current >= 0 && !isBlank(pendingText))
            content.elements[size_t(current)].text += pendingText;
        pendingText.clear();
    }

    qsizetype rowNameIndexOf(const xmlChar *name)
    {
        for (const auto &[known, index] : rowNameIndex) {
            if (known == name)
                return index;
        }
        const qsizetype index = content.rowAttributeNames.size();
        content.rowAttributeNames.append(QByteArray(reinterpret_cast<const char *>(name)));
        rowNameIndex.emplace_back(name, index);
        return index;
    }

    static QString value(const xmlChar **attribute)
    {
        const char *begin = reinterpret_cast<const char *>(attribute[3]);
        QString text = QString::fromUtf8(begin, reinterpret_cast<const char *>(attribute[4]) - begin);
        // Without entity substitution libxml2 hands every "&" of an attribute value over as "&#38;".
        if (text.contains(u'&'))
            text.replace(QStringLiteral("&#38;"), QStringLiteral("&"));
        return text;
    }

    void startRootChild(const xmlChar *localname, int count, const xmlChar **attributes)
    {
        const char *name = reinterpret_cast<const char *>(localname);
        current = -1;
        for (const XmlReply::Element &e : content.elements) {
            if (e.name == name)
                return;
        }
        XmlReply::Element e;
        e.name = name;
        for (int i = 0; i < count; ++i) {
            e.attributeNames.append(QByteArray(reinterpret_cast<const char *>(attributes[5 * i])));
            e.attributeValues.append(value(attributes + 5 * i));
        }
        content.elements.push_back(std::move(e));
        current = int(content.elements.size()) - 1;
        if (list == List::Before && std::strcmp(name, "ReturnList") == 0)
            list = List::InList;
    }

    void addRow(int count, const xmlChar **attributes)
    {
        // Rows of one list carry the same attributes, so the row is sized once.
        QList<std::optional<QString>> row(content.rowAttributeNames.size());
        for (int i = 0; i < count; ++i) {
            const qsizetype index = rowNameIndexOf(attributes[5 * i]);
            if (row.size() <= index)
                row.resize(content.rowAttributeNames.size());
            row[index] = value(attributes + 5 * i);
        }
        content.rows.append(std::move(row));
    }

    static void startElement(void *ctx, const xmlChar *localname, const xmlChar *, const xmlChar *, int,
                             const xmlChar **, int count, int, const xmlChar **attributes)
    {
        Builder &b = of(ctx);
        b.flushText();
        ++b.depth;
        if (b.depth == 1)
            b.sawRoot = true;
        else if (b.depth == 2)
            b.startRootChild(localname, count, attributes);
        else if (b.depth == 3 && b.list == List::InList)
            b.list = List::InWrapper;
        else if (b.depth == 4 && b.list == List::InWrapper)
            b.addRow(count, attributes);
    }

    static void endElement(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *)
    {
        Builder &b = of(ctx);
        b.flushText();
        if ((b.depth == 3 && b.list == List::InWrapper) || (b.depth == 2 && b.list == List::InList))
            b.list = List::After;
        if (b.depth == 2)
            b.current = -1;
        --b.depth;
    }

    static void characters(void *ctx, const xmlChar *text, int length)
    {
        Builder &b = of(ctx);
        if (b.current >= 0)
            b.pendingText.append(reinterpret_cast<const char *>(text), length);
    }

    static void doctype(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *)
    {
        of(ctx).refusedDoctype = true;
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
    }
};

} // namespace

XmlReply::Parsed XmlReply::parse(const QByteArray &bytes)
{
    initLibxmlOnce();
    Parsed parsed;
    if (bytes.size() > kMaxReplyBytes) {
        parsed.error = QStringLiteral("reply of ") + QString::number(bytes.size()) +
                       QStringLiteral(" bytes is too large");
        return parsed;
    }
    if (bytes.isEmpty()) {
        parsed.error = QStringLiteral("empty reply");
        return parsed;
    }
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        parsed.error = QStringLiteral("out of memory");
        return parsed;
    }
    xmlSAXHandler events{};
    events.initialized = XML_SAX2_MAGIC;
    events.startElementNs = Builder::startElement;
    events.endElementNs = Builder::endElement;
    events.characters = Builder::characters;
    events.internalSubset = Builder::doctype;
    *ctxt->sax = events;
    Builder builder;
    ctxt->_private = &builder;

    xmlDocPtr unused =
        xmlCtxtReadMemory(ctxt, bytes.constData(), int(bytes.size()), nullptr, kEncoding, kParseOptions);
    if (unused)
        xmlFreeDoc(unused);
    if (builder.refusedDoctype) {
        parsed.error = QStringLiteral("document type declarations are not accepted");
    } else if (!ctxt->wellFormed || !builder.sawRoot) {
        const xmlError *error = xmlCtxtGetLastError(ctxt);
        parsed.error = error && error->message ? QString::fromUtf8(error->message).trimmed()
                                               : QStringLiteral("not an XML document");
    } else {
        parsed.valid = true;
        parsed.content = std::move(builder.content);
    }
    xmlFreeParserCtxt(ctxt);
    return parsed;
}

QByteArray XmlReply::repairedBytes(const QByteArray &bytes, QString *error)
{
    const Parsed again = parse(bytes);
    if (again.valid)
        return bytes;
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
    if (!parsed.valid && bytes.size() <= kMaxReplyBytes)
        parsed = parse(repairedBytes(bytes));
    valid_ = parsed.valid;
    errorText_ = parsed.error;
    content_ = std::move(parsed.content);
}

const XmlReply::Element *XmlReply::element(const char *name) const
{
    for (const Element &e : content_.elements) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

std::optional<QString> XmlReply::elementText(const char *name) const
{
    const Element *e = element(name);
    if (!e)
        return std::nullopt;
    return QString::fromUtf8(e->text);
}

std::optional<XmlReply::RowView> XmlReply::childElement(const char *name) const
{
    const Element *e = element(name);
    if (!e)
        return std::nullopt;
    return RowView(&e->attributeNames, &e->attributeValues);
}

std::optional<QString> XmlReply::RowView::attribute(const char *name) const
{
    return attribute(names_->indexOf(QByteArrayView(name)));
}

std::optional<QString> XmlReply::RowView::attribute(qsizetype index) const
{
    if (index < 0 || index >= values_->size())
        return std::nullopt;
    return values_->at(index);
}

qsizetype XmlReply::rowAttributeIndex(const char *name) const
{
    return content_.rowAttributeNames.indexOf(QByteArrayView(name));
}

bool XmlReply::forEachRow(const std::function<void(const RowView &)> &row,
                          const std::function<void(qsizetype rowCount)> &rowCount) const
{
    if (content_.rows.isEmpty())
        return false;
    if (rowCount)
        rowCount(content_.rows.size());
    for (const QList<std::optional<QString>> &values : content_.rows)
        row(RowView(&content_.rowAttributeNames, &values));
    return true;
}
