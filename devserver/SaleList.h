#pragma once

#include "Catalogue.h"
#include "Reply.h"
#include "SaleLine.h"

#include <string>
#include <vector>

// A table's sale list as the replies report it: each line at the price it is charged (a gift at
// nothing), followed by a row of its taste surcharges when it has any, every figure as the reply
// shows it. Adding up quantity × price over the rows, as the terminal's bill does, gives the
// table's total, which is what the table board shows.
namespace SaleList {

struct BillRow {
    const SaleLine *line = nullptr; // the line the row comes from
    bool isSurcharge = false;
    double qty = 0;   // as shown: three decimals at most
    double price = 0; // as shown: cents
};

// The rows of these lines, which must outlive them.
std::vector<BillRow> rows(const std::vector<SaleLine> &lines);
// The amount a table has consumed so far: the sum of its rows.
double total(const std::vector<SaleLine> &lines);
// The name a surcharge row shows: "做法加价(加辣、打包)", the tastes that cost extra.
std::string surchargeName(const Catalogue &catalogue, const SaleLine &line);
// The rows of "GetDeskSaleList", fields as attributes.
std::vector<Attributes> replyRows(const Catalogue &catalogue, const std::vector<SaleLine> &lines);

} // namespace SaleList
