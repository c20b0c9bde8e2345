// The two text forms of an order line: the "<Data ... />" element sent to the ordering server and
// the "<Guadan ... />" element kept in held orders.

#include "foundation/CommonUtils.h"
#include "order/FoodOrder.h"

namespace {
// Appends ` name="value"`. Values are escaped so that any dish name or typed taste leaves the
// element readable; the held-order form also keeps tabs and line breaks through a restore.
class AttributeWriter {
public:
    AttributeWriter(const char *element, CommonUtils::XmlWhitespace whitespace) : whitespace_(whitespace)
    {
        out_.reserve(1024);
        out_ += u'<';
        out_ += QLatin1StringView(element);
    }

    AttributeWriter &add(const char *name, const QString &value)
    {
        out_ += u' ';
        out_ += QLatin1StringView(name);
        out_ += QStringLiteral("=\"");
        out_ += CommonUtils::xmlEscape(value, whitespace_);
        out_ += u'"';
        return *this;
    }

    AttributeWriter &add(const char *name, float value) { return add(name, CommonUtils::format6(value)); }
    AttributeWriter &add(const char *name, qint64 value) { return add(name, QString::number(value)); }
    AttributeWriter &add(const char *name, quint64 value) { return add(name, QString::number(value)); }
    AttributeWriter &add(const char *name, qint32 value) { return add(name, QString::number(value)); }

    QString close()
    {
        out_ += QStringLiteral(" />");
        return out_;
    }

private:
    CommonUtils::XmlWhitespace whitespace_;
    QString out_;
};
} // namespace

QString FoodOrder::toDataString()
{
    AttributeWriter data("Data", CommonUtils::XmlWhitespace::AsIs);
    data.add("ItemSeq", itemSeq)
        .add("foodNo", foodno)
        .add("foodName", foodName)
        .add("FoodType", FoodType)
        .add("ItemSize", itemsize)
        .add("SaleQty", orderQty)
        .add("SalePrice", unitPrice())
        .add("SuitNo", suitno)
        .add("OrgFoodNo", OrgFoodNo.isEmpty() ? foodno : OrgFoodNo)
        .add("SuitIndex", suiteIndex)
        .add("TasteDef", TasteInfo::sendTasteDefString(arrTaste))
        .add("TasteManual", TasteInfo::sendTasteManualString(arrTaste))
        .add("PrintState", PrintState)
        .add("TempFoodFlag", TempFoodFlag)
        .add("CurrpriceFlag", currpriceFlag);
    settleSellWay();
    data.add("SellWay", sellWay).add("AuthID", authID);
    return data.close();
}

QString FoodOrder::toGuadanString()
{
    AttributeWriter guadan("Guadan", CommonUtils::XmlWhitespace::AsReferences);
    guadan.add("foodno", foodno)
        .add("catno", catno)
        .add("foodName", foodName)
        .add("foodSubName", foodSubName)
        .add("FoodType", FoodType)
        .add("currpriceFlag", currpriceFlag)
        .add("TjFlag", TjFlag)
        .add("TempFoodFlag", TempFoodFlag)
        .add("spellName", spellName)
        .add("salePrice1", salePrice1)
        .add("salePrice2", salePrice2)
        .add("salePrice3", salePrice3)
        .add("MemberPrice", MemberPrice)
        .add("unitname", unitname)
        .add("itemsize", itemsize)
        .add("Remark", Remark)
        .add("PrintState", PrintState)
        .add("bcatName", bcatName)
        .add("scatName", scatName)
        .add("suitno", suitno)
        .add("forceChange", forceChange)
        .add("suiteIndex", suiteIndex)
        .add("suitFoodQty", suitFoodQty)
        .add("suitIndex", suitIndex)
        .add("OrgFoodNo", OrgFoodNo)
        .add("changeAmt", changeAmt)
        .add("orderQty", orderQty)
        .add("itemSeq", itemSeq)
        .add("guadanTasteString", TasteInfo::guaDanTasteString(arrTaste));
    settleSellWay();
    guadan.add("SellWay", sellWay).add("AuthID", authID);
    return guadan.close();
}
