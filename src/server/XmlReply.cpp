#include "server/XmlReply.h"

#include "server/Gb18030.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

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
    qsizetype current = -1; // the root child whose text is being gathered; -1 for a repeated name
    QByteArray pendingText;
    List list = List::Before;
    bool sawRoot = false;
    bool refusedDoctype = false;
    bool tooManyNames = false;
    // Names come from the parser's dictionary, so one name is always the same pointer.
    std::unordered_map<const xmlChar *, qsizetype> attributeByPointer;
    std::unordered_set<const xmlChar *> rootChildNames;
    std::unordered_set<const xmlChar *> seenNames;

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

    qsizetype attributeIndexOf(const xmlChar *name)
    {
        const auto [known, added] = attributeByPointer.try_emplace(name, content.attributeIndex.size());
        if (added)
            content.attributeIndex.insert(QByteArray(reinterpret_cast<const char *>(name)), known->second);
        return known->second;
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

    XmlReply::Attributes attributes(int count, const xmlChar **attributes)
    {
        XmlReply::Attributes kept;
        kept.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            kept.emplace_back(attributeIndexOf(attributes[5 * i]), value(attributes + 5 * i));
        return kept;
    }

    void startRootChild(const xmlChar *localname, int count, const xmlChar **attributes)
    {
        current = -1;
        if (!rootChildNames.insert(localname).second)
            return;
        XmlReply::Element e;
        e.name = QByteArray(reinterpret_cast<const char *>(localname));
        e.attributes = this->attributes(count, attributes);
        current = qsizetype(content.elements.size());
        content.elementIndex.insert(e.name, current);
        if (list == List::Before && e.name == "ReturnList")
            list = List::InList;
        content.elements.push_back(std::move(e));
    }

    // Every element and attribute name goes into the parser's dictionary, whose lookups slow down
    // once it holds more than some ten thousand names; a reply with more names than any real one is
    // stopped before that.
    bool countNames(const xmlChar *localname, int count, const xmlChar **attributes)
    {
        seenNames.insert(localname);
        for (int i = 0; i < count; ++i)
            seenNames.insert(attributes[5 * i]);
        tooManyNames = seenNames.size() > size_t(XmlReply::kMaxNames);
        return !tooManyNames;
    }

    static void startElement(void *ctx, const xmlChar *localname, const xmlChar *, const xmlChar *, int,
                             const xmlChar **, int count, int, const xmlChar **attributes)
    {
        Builder &b = of(ctx);
        if (!b.countNames(localname, count, attributes)) {
            xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
            return;
        }
        b.flushText();
        ++b.depth;
        if (b.depth == 1)
            b.sawRoot = true;
        else if (b.depth == 2)
            b.startRootChild(localname, count, attributes);
        else if (b.depth == 3 && b.list == List::InList)
            b.list = List::InWrapper;
        else if (b.depth == 4 && b.list == List::InWrapper)
            b.content.rows.push_back(b.attributes(count, attributes));
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

QString XmlReply::shapeError(const QByteArray &bytes)
{
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    auto skipPast = [end](const char *from, std::string_view mark) {
        const char *found = std::search(from, end, mark.begin(), mark.end());
        return found == end ? end : found + mark.size();
    };
    int namespaces = 0;
    while (p < end) {
        const char *open = static_cast<const char *>(std::memchr(p, '<', size_t(end - p)));
        if (!open)
            break;
        const std::string_view rest(open, size_t(end - open));
        if (rest.starts_with("<!--")) {
            p = skipPast(open + 4, "-->");
            continue;
        }
        if (rest.starts_with("<![CDATA[")) {
            p = skipPast(open + 9, "]]>");
            continue;
        }
        if (rest.starts_with("<?")) {
            p = skipPast(open + 2, "?>");
            continue;
        }
        // A tag: each "=" outside a quoted value is one attribute. GB18030 never uses these
        // characters inside a multi-byte character, so the bytes can be read one by one.
        int attributes = 0;
        char quote = 0;
        bool afterSpace = false;
        const char *name = nullptr;
        const char *q = open + 1;
        for (; q < end; ++q) {
            const char c = *q;
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
                afterSpace = false;
            } else if (c == '>') {
                break;
            } else if (c == '=') {
                if (++attributes > kMaxAttributesPerElement)
                    return QStringLiteral("an element with more than ") +
                           QString::number(kMaxAttributesPerElement) + QStringLiteral(" attributes");
                if (name && std::string_view(name, size_t(q - name)).starts_with("xmlns") &&
                    ++namespaces > kMaxNamespaceDeclarations)
                    return QStringLiteral("more than ") + QString::number(kMaxNamespaceDeclarations) +
                           QStringLiteral(" namespace declarations");
                name = nullptr;
                afterSpace = false;
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                afterSpace = true;
            } else {
                if (afterSpace)
                    name = q;
                afterSpace = false;
            }
        }
        p = q + 1;
    }
    return {};
}

XmlReply::Parsed XmlReply::parse(const QByteArray &bytes)
{
    initLibxmlOnce();
    Parsed parsed;
    if (bytes.size() > kMaxReplyBytes) {
        parsed.refused = true;
        parsed.error = QStringLiteral("reply of ") + QString::number(bytes.size()) +
                       QStringLiteral(" bytes is too large");
        return parsed;
    }
    if (bytes.isEmpty()) {
        parsed.error = QStringLiteral("empty reply");
        return parsed;
    }
    if (QString shape = shapeError(bytes); !shape.isEmpty()) {
        parsed.refused = true;
        parsed.error = std::move(shape);
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
        parsed.refused = true;
        parsed.error = QStringLiteral("document type declarations are not accepted");
    } else if (builder.tooManyNames) {
        parsed.refused = true;
        parsed.error = QStringLiteral("more than ") + QString::number(kMaxNames) +
                       QStringLiteral(" different element and attribute names");
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
    if (!parsed.valid && !parsed.refused)
        parsed = parse(repairedBytes(bytes));
    valid_ = parsed.valid;
    errorText_ = parsed.error;
    content_ = std::move(parsed.content);
}

const XmlReply::Element *XmlReply::element(const char *name) const
{
    const auto found = content_.elementIndex.constFind(QByteArray(name));
    return found == content_.elementIndex.cend() ? nullptr : &content_.elements[size_t(*found)];
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
    return RowView(this, &e->attributes);
}

std::optional<QString> XmlReply::RowView::attribute(const char *name) const
{
    return attribute(reply_->rowAttributeIndex(name));
}

std::optional<QString> XmlReply::RowView::attribute(qsizetype index) const
{
    if (index < 0)
        return std::nullopt;
    // An element's own attributes are few (see kMaxAttributesPerElement).
    for (const Attribute &attribute : *values_) {
        if (attribute.first == index)
            return attribute.second;
    }
    return std::nullopt;
}

qsizetype XmlReply::rowAttributeIndex(const char *name) const
{
    return content_.attributeIndex.value(QByteArray(name), -1);
}

bool XmlReply::forEachRow(const std::function<void(const RowView &)> &row,
                          const std::function<void(qsizetype rowCount)> &rowCount) const
{
    if (content_.rows.empty())
        return false;
    if (rowCount)
        rowCount(qsizetype(content_.rows.size()));
    for (const Attributes &values : content_.rows)
        row(RowView(this, &values));
    return true;
}
