#include "SaleLine.h"

namespace {
bool charges(const SaleLine &line)
{
    return line.saleQty > 0 && (line.foodType == "D" || line.foodType == "T" || line.foodType == "M");
}
} // namespace

double SaleLine::chargedPrice() const
{
    return charges(*this) && sellWay != "C" ? salePrice : 0;
}

double SaleLine::surcharge() const
{
    if (!charges(*this))
        return 0;
    return chargedPrice() * saleQty * tastePercent / 100.0 + tasteFixed;
}
