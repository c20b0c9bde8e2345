#include "BillPrinter.h"

#include "Numbers.h"
#include "SaleList.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace BillPrinter {

std::string billText(const Catalogue &catalogue, const std::string &deskLabel, const OpenDesk &desk,
                     const std::vector<SaleLine> &lines)
{
    std::string text = "账单  " + deskLabel + "\n";
    text += "人数：" + desk.custCount + "  服务员：" + desk.waiterMan + "\n";
    text += "----------------------------------------\n";
    for (const SaleList::BillRow &row : SaleList::rows(lines)) {
        const SaleLine &line = *row.line;
        if (row.isSurcharge) {
            text += "  " + SaleList::surchargeName(catalogue, line);
        } else {
            text += line.pluName;
            if (!line.itemsize.empty())
                text += "(" + line.itemsize + ")";
            text +=
                "  " + Numbers::quantity(row.qty) + line.unitName + " × " + Numbers::money(line.salePrice);
            text += line.sellWay == "C" ? "  赠送" : "";
        }
        text += "  = " + Numbers::money(row.qty * row.price) + "\n";
    }
    text += "----------------------------------------\n";
    text += "合计：" + Numbers::money(SaleList::total(lines)) + "\n";
    return text;
}

std::string print(const std::string &printFolder, const std::string &deskNo, const std::string &text)
{
    namespace fs = std::filesystem;
    static std::atomic<int> counter{0};
    std::error_code ec;
    fs::create_directories(printFolder, ec);
    // Table numbers come from the catalogue, but keep the file name plain anyway.
    std::string safeDesk;
    for (const char c : deskNo)
        safeDesk += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const fs::path path =
        fs::path(printFolder) / ("bill-" + safeDesk + "-" + stamp + "-" + std::to_string(++counter) + ".txt");
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    return out ? path.string() : std::string();
}

} // namespace BillPrinter
