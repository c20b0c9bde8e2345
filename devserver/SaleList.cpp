#include "SaleList.h"

#include "Numbers.h"
#include "TasteText.h"

namespace SaleList {

std::vector<BillRow> rows(const std::vector<SaleLine> &lines)
{
    std::vector<BillRow> rows;
    rows.reserve(lines.size() * 2);
    for (const SaleLine &line : lines) {
        rows.push_back({&line, false, Numbers::asShownQuantity(line.saleQty),
                        Numbers::asShownMoney(line.chargedPrice())});
        if (const double surcharge = Numbers::asShownMoney(line.surcharge()); surcharge != 0)
            rows.push_back({&line, true, 1, surcharge});
    }
    return rows;
}

double total(const std::vector<SaleLine> &lines)
{
    double sum = 0;
    for (const BillRow &row : rows(lines))
        sum += row.qty * row.price;
    return sum;
}

std::string surchargeName(const Catalogue &catalogue, const SaleLine &line)
{
    std::string names;
    const auto add = [&names](const std::string &name) { names += (names.empty() ? "" : "、") + name; };
    for (const std::string &tasteNo : TasteText::split(line.tasteDef, ',')) {
        const CatalogueTaste *taste = catalogue.taste(tasteNo);
        if (taste && taste->amount != 0 && (taste->amtStyle == "A" || taste->amtStyle == "P"))
            add(taste->name);
    }
    for (const std::string &manual : TasteText::split(line.tasteManual, ',')) {
        if (const auto typed = TasteText::typedTaste(manual); typed && typed->second != 0)
            add(typed->first);
    }
    return "做法加价(" + names + ")";
}

std::vector<Attributes> replyRows(const Catalogue &catalogue, const std::vector<SaleLine> &lines)
{
    std::vector<Attributes> reply;
    for (const BillRow &row : rows(lines)) {
        const SaleLine &line = *row.line;
        const std::string qty = Numbers::quantity(row.qty);
        const std::string price = Numbers::money(row.price);
        if (row.isSurcharge) {
            // Not a dish: no number, so no dish operation offers it, and never waiting for weighing.
            reply.push_back({{"itemseq", ""},
                             {"pluno", ""},
                             {"pluName", surchargeName(catalogue, line)},
                             {"unitName", ""},
                             {"itemsize", ""},
                             {"saleQty", qty},
                             {"SalePrice", price},
                             {"sellWay", "A"},
                             {"havePrtFlag", PrintFlag::kSent},
                             {"FoodType", ""},
                             {"FlagGroup", "NNNN"}});
            continue;
        }
        reply.push_back({{"itemseq", std::to_string(line.itemseq)},
                         {"pluno", line.pluno},
                         {"pluName", line.pluName},
                         {"unitName", line.unitName},
                         {"itemsize", line.itemsize},
                         {"saleQty", qty},
                         {"SalePrice", price},
                         {"sellWay", line.sellWay},
                         {"havePrtFlag", line.havePrtFlag},
                         {"FoodType", line.foodType},
                         {"FlagGroup", line.flagGroup}});
    }
    return reply;
}

} // namespace SaleList
