#include "SaleLine.h"

double SaleLine::amount() const
{
    if (saleQty <= 0 || (foodType != "D" && foodType != "T" && foodType != "M"))
        return 0;
    const double base = (sellWay == "C" ? 0.0 : salePrice) * saleQty;
    return base + base * tastePercent / 100.0 + tasteFixed;
}
