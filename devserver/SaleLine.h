#pragma once

#include <cstdint>
#include <string>

// One line of a table's sale list, as the server keeps it.
struct SaleLine {
    std::int64_t itemseq = 0; // the server's own line number
    std::string deskNo;
    std::string pluno;
    std::string pluName;
    std::string unitName;
    std::string itemsize;
    std::string smallCatNo;
    std::string bigCatNo;
    double saleQty = 0;
    double salePrice = 0;
    std::string sellWay;     // "A" normal, "C" gift
    std::string havePrtFlag; // "0" held back, "1" sent to the kitchen, "2" waiting for weighing
    std::string foodType;
    std::string flagGroup; // market price, sold by weight, temporary dish, gift: "Y"/"N" each
    std::string printState;
    std::string suitNo;
    std::string suitIndex;
    std::string orgFoodNo;
    std::string tasteDef;
    std::string tasteManual;
    double tasteFixed = 0;   // surcharges of fixed amount
    double tastePercent = 0; // surcharges in percent of the line's base
    std::string authId;
    std::string flowNo;
    std::string cashierId;

    bool isSoldByWeight() const { return flagGroup.size() > 1 && flagGroup[1] == 'Y'; }
    // What one portion is charged: its price; nothing for a gift or a line that charges nothing.
    double chargedPrice() const;
    // Its taste surcharges: the percentages of the charged price times quantity, and the fixed amounts.
    double surcharge() const;
};

// Print states sent by the terminal and the printed-state codes the server answers with.
namespace PrintFlag {
inline constexpr const char *kServeAtOnce = "0";
inline constexpr const char *kHeld = "0";
inline constexpr const char *kSent = "1";
inline constexpr const char *kAwaitingWeight = "2";
} // namespace PrintFlag
