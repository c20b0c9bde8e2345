#pragma once

#include "Catalogue.h"
#include "DiningRoom.h"

#include <string>
#include <vector>

// Stands in for the cashier's printer: a bill becomes a text file (UTF-8) in the print folder.
namespace BillPrinter {

// The rows of the table's sale list (a line, then its surcharges) and their total.
std::string billText(const Catalogue &catalogue, const std::string &deskLabel, const OpenDesk &desk,
                     const std::vector<SaleLine> &lines);
// Writes the bill and gives the file's path; empty text when the file cannot be written.
std::string print(const std::string &printFolder, const std::string &deskNo, const std::string &text);

} // namespace BillPrinter
