#include "order/SetupFoodOrder.h"

#include "settings/ConfigManager.h"

void setupFoodOrder(const Food &food, FoodOrder &line)
{
    static const FoodInfo noDish;
    const FoodInfo &dish = food.info ? *food.info : noDish;

    line.foodno = dish.foodno;
    line.catno = dish.catno;
    line.foodName = dish.foodName;
    line.foodSubName = dish.foodSubName;
    line.currpriceFlag = dish.currpriceFlag;
    line.TjFlag = dish.TjFlag;
    line.TempFoodFlag = dish.TempFoodFlag;
    line.spellName = dish.spellName;
    line.salePrice1 = dish.salePrice1;
    line.salePrice2 = dish.salePrice2;
    line.salePrice3 = dish.salePrice3;
    line.MemberPrice = dish.MemberPrice;
    line.unitname = dish.unitname;
    line.itemsize = dish.itemsize;
    line.Remark = dish.Remark;

    line.bcatName = food.bcatName;
    line.scatName = food.scatName;
    line.suitno = food.suitno;
    line.suitFoodQty = food.suitFoodQty;
    line.forceChange = food.forceChange;
    line.suiteIndex = food.suiteIndex;
    line.OrgFoodNo = food.OrgFoodNo;
    line.changeAmt = food.changeAmt;

    line.PrintState = ConfigManager::defaultManager().defaultPrintState();

    if (food.isMFoodType()) {
        line.orderQty = food.suitFoodQty;
    } else {
        line.orderQty = 1;
        if (food.isShiJia())
            line.salePrice1 = 0;
    }
}
