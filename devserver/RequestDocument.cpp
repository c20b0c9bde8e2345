#include "RequestDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

namespace {

std::string toString(const xmlChar *text)
{
    return text ? reinterpret_cast<const char *>(text) : std::string();
}

std::string nodeText(xmlNode *node)
{
    xmlChar *content = xmlNodeGetContent(node);
    std::string text = toString(content);
    xmlFree(content);
    return text;
}

struct DocFree {
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
struct CtxtFree {
    void operator()(xmlParserCtxt *ctxt) const { xmlFreeParserCtxt(ctxt); }
};

} // namespace

std::string OrderLineData::value(const std::string &name) const
{
    const auto it = attributes.find(name);
    return it == attributes.end() ? std::string() : it->second;
}

std::optional<RequestDocument> RequestDocument::parse(const std::string &utf8Text, std::string &error)
{
    if (utf8Text.empty()) {
        error = "empty document";
        return std::nullopt;
    }
    std::unique_ptr<xmlParserCtxt, CtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) {
        error = "out of memory";
        return std::nullopt;
    }
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;
    std::unique_ptr<xmlDoc, DocFree> doc(xmlCtxtReadMemory(
        ctxt.get(), utf8Text.data(), static_cast<int>(utf8Text.size()), nullptr, "UTF-8", options));
    if (!doc) {
        const xmlError *last = xmlCtxtGetLastError(ctxt.get());
        error = last && last->message ? last->message : "not an XML document";
        while (!error.empty() && (error.back() == '\n' || error.back() == ' '))
            error.pop_back();
        return std::nullopt;
    }
    // A command never needs a DTD; refusing one keeps entity expansion out altogether.
    if (doc->intSubset || doc->extSubset) {
        error = "document type declarations are not accepted";
        return std::nullopt;
    }
    xmlNode *root = xmlDocGetRootElement(doc.get());
    if (!root) {
        error = "no root element";
        return std::nullopt;
    }

    RequestDocument request;
    request.rootName_ = toString(root->name);
    for (xmlNode *child = root->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        const std::string name = toString(child->name);
        if (!request.fields_.count(name))
            request.fields_[name] = nodeText(child);
        if (name != "OrderDetail" || request.hasOrderDetail_)
            continue;
        request.hasOrderDetail_ = true;
        for (xmlNode *line = child->children; line; line = line->next) {
            if (line->type != XML_ELEMENT_NODE)
                continue;
            OrderLineData data;
            for (xmlAttr *attribute = line->properties; attribute; attribute = attribute->next)
                data.attributes[toString(attribute->name)] = nodeText(reinterpret_cast<xmlNode *>(attribute));
            request.orderLines_.push_back(std::move(data));
        }
    }
    return request;
}

std::optional<std::string> RequestDocument::field(const std::string &name) const
{
    const auto it = fields_.find(name);
    if (it == fields_.end())
        return std::nullopt;
    return it->second;
}
