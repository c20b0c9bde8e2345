// Reading a held order back: the stored text is untrusted (it outlives program versions and can be
// damaged), so it is parsed without network access, DTD loading or entity substitution, and a
// text that declares a DTD is refused before parsing.

#include "order/OrderPack.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>

namespace {
const QString kGb2312Declaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>");
const QString kUtf8Declaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct DocFree {
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

void initParserOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

bool isElementNamed(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, reinterpret_cast<const xmlChar *>(name));
}

const xmlNode *firstChildNamed(const xmlNode *parent, const char *name)
{
    for (const xmlNode *child = parent->children; child; child = child->next) {
        if (isElementNamed(child, name))
            return child;
    }
    return nullptr;
}

QString fromXml(xmlChar *text)
{
    if (!text)
        return {};
    QString value = QString::fromUtf8(reinterpret_cast<const char *>(text));
    xmlFree(text);
    return value;
}

QString elementText(const xmlNode *element)
{
    return fromXml(xmlNodeGetContent(element));
}

class Attributes {
public:
    explicit Attributes(const xmlNode *element) : element_(const_cast<xmlNode *>(element)) {}

    QString text(const char *name) const
    {
        return fromXml(xmlGetProp(element_, reinterpret_cast<const xmlChar *>(name)));
    }

    float decimal(const char *name) const
    {
        bool ok = false;
        const float value = text(name).trimmed().toFloat(&ok);
        return ok && std::isfinite(value) ? value : 0.0f;
    }

    qint32 integer(const char *name) const { return text(name).trimmed().toInt(); }

private:
    xmlNode *element_;
};

std::shared_ptr<FoodOrder> readLine(const xmlNode *element)
{
    const Attributes attr(element);
    auto line = std::make_shared<FoodOrder>();
    line->foodno = attr.text("foodno");
    line->catno = attr.text("catno");
    line->foodName = attr.text("foodName");
    line->foodSubName = attr.text("foodSubName");
    line->FoodType = attr.text("FoodType");
    line->currpriceFlag = attr.text("currpriceFlag");
    line->TjFlag = attr.text("TjFlag");
    line->TempFoodFlag = attr.text("TempFoodFlag");
    line->spellName = attr.text("spellName");
    line->unitname = attr.text("unitname");
    line->itemsize = attr.text("itemsize");
    line->Remark = attr.text("Remark");
    line->PrintState = attr.text("PrintState");
    line->bcatName = attr.text("bcatName");
    line->scatName = attr.text("scatName");
    line->suitno = attr.text("suitno");
    line->forceChange = attr.text("forceChange");
    line->OrgFoodNo = attr.text("OrgFoodNo");
    line->sellWay = attr.text("SellWay");
    line->authID = attr.text("AuthID");

    line->salePrice1 = attr.decimal("salePrice1");
    line->salePrice2 = attr.decimal("salePrice2");
    line->salePrice3 = attr.decimal("salePrice3");
    line->MemberPrice = attr.decimal("MemberPrice");
    line->suitFoodQty = attr.decimal("suitFoodQty");
    line->changeAmt = attr.decimal("changeAmt");
    line->orderQty = attr.decimal("orderQty");

    line->suiteIndex = attr.integer("suiteIndex");
    line->suitIndex = attr.integer("suitIndex");
    // A sequence number is never negative; a damaged one must not wrap to a huge number.
    line->itemSeq = static_cast<quint64>(std::max(attr.integer("itemSeq"), 0));

    line->arrTaste =
        TasteInfo::parseGuadanTasteString(attr.text("guadanTasteString")).value_or(QList<TasteInfo>());
    if (line->sellWay == u"C")
        line->setIsZengSong(true);
    return line;
}
} // namespace

std::shared_ptr<OrderPack> OrderPack::setupWithGuaDan(const Guadan &guadan)
{
    QString content = guadan.content;
    content.replace(kGb2312Declaration, kUtf8Declaration);
    // Held-order texts never carry a DTD; one that does is not ours and may define entity bombs.
    if (content.contains(QStringLiteral("<!DOCTYPE")))
        return nullptr;

    initParserOnce();
    const QByteArray utf8 = content.toUtf8();
    if (utf8.size() > std::numeric_limits<int>::max())
        return nullptr;
    DocPtr doc(xmlReadMemory(utf8.constData(), int(utf8.size()), nullptr, "UTF-8", kParseOptions));
    if (!doc || doc->intSubset || doc->extSubset)
        return nullptr;
    const xmlNode *root = xmlDocGetRootElement(doc.get());
    if (!root)
        return nullptr;

    auto pack = std::make_shared<OrderPack>();
    if (const xmlNode *remarks = firstChildNamed(root, "PackTasteString"))
        pack->arrTaste = TasteInfo::parseGuadanTasteString(elementText(remarks)).value_or(QList<TasteInfo>());
    if (const xmlNode *guests = firstChildNamed(root, "CustCount"))
        pack->CustCount = elementText(guests);

    const xmlNode *detail = firstChildNamed(root, "OrderDetail");
    if (!detail)
        return nullptr;
    for (const xmlNode *child = detail->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            pack->ordersInPack.append(readLine(child));
    }
    if (pack->ordersInPack.isEmpty())
        return nullptr;
    return pack;
}
